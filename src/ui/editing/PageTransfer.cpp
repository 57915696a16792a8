#include "ui/editing/PageTransfer.h"

#include "ui/album/PhotoAlbumPage.h"
#include "core/collection/BonsaiData.h"
#include "core/collection/FieldCatalogue.h"
#include "ui/editing/FormPages.h"
#include "core/guide/GuideEspece.h"
#include "core/journal/Journal.h"
#include "ui/garden/GardenPage.h"
#include "ui/journal/JournalPage.h"
#include "core/text/DecimalText.h"

#include <QListWidget>

namespace {

using F = CBonsaiData;

void albumToPage(CPage1& album, const CBonsaiData& entry)
{
    for (std::size_t k = 0; k < CBonsaiData::kPhotoSlots; ++k) {
        album.m_strPhotoFile[k] = entry[CBonsaiData::photoField(k)];
        album.m_strPhotoDesc[k] = entry[CBonsaiData::photoDescriptionField(k)];
    }
}

bool albumShows(const CPage1& album, const CBonsaiData& entry)
{
    for (std::size_t k = 0; k < CBonsaiData::kPhotoSlots; ++k) {
        if (album.m_strPhotoFile[k] != entry[CBonsaiData::photoField(k)] ||
            album.m_strPhotoDesc[k] != entry[CBonsaiData::photoDescriptionField(k)])
            return false;
    }
    return true;
}

} // namespace

bool pageFieldsEqual(const CBonsaiData& a, const CBonsaiData& b)
{
    for (std::size_t field : talvane::collection::pageFields()) {
        if (a[field] != b[field])
            return false;
    }
    return true;
}

FieldValues changedPageFieldValues(const CBonsaiData& entry, const CBonsaiData& edited)
{
    FieldValues values;
    for (std::size_t field : talvane::collection::pageFields()) {
        if (entry[field] != edited[field])
            values.emplace_back(field, edited[field]);
    }
    return values;
}

FieldValues pageFieldValues(const CBonsaiData& entry)
{
    FieldValues values;
    values.reserve(talvane::collection::pageFields().size());
    for (std::size_t field : talvane::collection::pageFields())
        values.emplace_back(field, entry[field]);
    return values;
}

FieldValues photoFieldValues(const CBonsaiData& entry)
{
    FieldValues values;
    for (std::size_t k = 0; k < CBonsaiData::kPhotoSlots; ++k) {
        values.emplace_back(CBonsaiData::photoField(k), entry[CBonsaiData::photoField(k)]);
        values.emplace_back(CBonsaiData::photoDescriptionField(k), entry[CBonsaiData::photoDescriptionField(k)]);
    }
    return values;
}

PageTransfer::PageTransfer(CPage2& plant, CPage3& purchase, CPage4& transformation, CPage5& maintenance,
                           CPage6& species, CPage1& album, JournalPage& journal, GardenPage& garden)
    : m_plant(plant), m_purchase(purchase), m_transformation(transformation), m_maintenance(maintenance),
      m_species(species), m_album(album), m_journal(journal), m_garden(garden)
{
}

std::array<FieldFormPage*, 5> PageTransfer::formPages()
{
    return {&m_plant, &m_purchase, &m_transformation, &m_maintenance, &m_species};
}

void PageTransfer::toPages(const CBonsaiData& entry)
{
    for (FieldFormPage* form : formPages())
        form->takeValuesFrom(entry);
    m_shownIntExt = entry[F::IntExt];
    m_plant.m_nIntExt = talvane::text::decimalTextToInt(m_shownIntExt);
    albumToPage(m_album, entry);
    m_journal.m_journalText = entry[talvane::journal::kJournalField];
    m_garden.m_placeText = entry[talvane::collection::kPlaceField];
    m_garden.m_watchText = entry[talvane::collection::kWatchField];
}

void PageTransfer::refreshPages()
{
    for (FieldFormPage* form : formPages())
        form->UpdateData(false);
    m_album.RefreshPictureList();
    m_journal.refreshEventList();
    m_garden.refresh();
}

void PageTransfer::loadEntry(const CBonsaiData& entry)
{
    toPages(entry);
    refreshPages();
    m_album.ShowPicture(0);
}

void PageTransfer::loadAlbumAndJournal(const CBonsaiData& entry,
                                       const std::function<std::string(const std::string&)>& merged)
{
    if (!albumShows(m_album, entry)) {
        albumToPage(m_album, entry);
        // The list chooses its last photo: the one a step adds.
        m_album.RefreshPictureList();
        m_album.ShowPicture(m_album.pictureList()->currentRow());
    }
    const std::string journal = merged(m_journal.m_journalText);
    if (journal != m_journal.m_journalText) {
        m_journal.m_journalText = journal;
        m_journal.refreshEventList();
    }
    m_garden.m_placeText = entry[talvane::collection::kPlaceField];
    m_garden.m_watchText = entry[talvane::collection::kWatchField];
    m_garden.refresh();
}

void PageTransfer::readPagesInto(CBonsaiData& entry)
{
    for (FieldFormPage* form : formPages()) {
        form->UpdateData(true);
        form->giveValuesTo(entry);
    }
    // A text other than "-1", "0" or "1" (from an import or another program) is kept
    // as it is until the user chooses a button.
    entry[F::IntExt] = m_plant.intExtChosen() ? std::to_string(m_plant.m_nIntExt) : m_shownIntExt;
    for (std::size_t k = 0; k < CBonsaiData::kPhotoSlots; ++k) {
        entry[CBonsaiData::photoField(k)] = m_album.m_strPhotoFile[k];
        entry[CBonsaiData::photoDescriptionField(k)] = m_album.m_strPhotoDesc[k];
    }
    entry[talvane::journal::kJournalField] = m_journal.m_journalText;
    entry[talvane::collection::kPlaceField] = m_garden.m_placeText;
    entry[talvane::collection::kWatchField] = m_garden.m_watchText;
}

void PageTransfer::clearPages()
{
    const CBonsaiData empty;
    toPages(empty);
    refreshPages();
}

void PageTransfer::prepareNewEntry(int speciesIndex, const std::string& typedBotanicalName)
{
    CBonsaiData fresh;
    FillEntryFromGuide(fresh, speciesIndex, typedBotanicalName);
    toPages(fresh);
    refreshPages();
}
