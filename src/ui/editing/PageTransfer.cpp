#include "editing/PageTransfer.h"

#include "album/PhotoAlbumPage.h"
#include "collection/BonsaiData.h"
#include "editing/FormPages.h"
#include "guide/GuideEspece.h"
#include "journal/Journal.h"
#include "journal/JournalPage.h"
#include "text/DecimalText.h"

namespace {

using F = CBonsaiData;

// Which member of which page carries which field. Both directions go through this
// one table, so they can never disagree.
template <typename Page>
struct Binding {
    std::size_t field;
    std::string Page::*member;
};

const Binding<CPage2> kPlant[] = {
    {F::BotanicalName, &CPage2::m_strBotanicalName}, {F::FrenchName, &CPage2::m_strFrenchName},
    {F::EnglishName, &CPage2::m_strEnglishName},     {F::CommonName, &CPage2::m_strCommonName},
    {F::Type, &CPage2::m_strType},                   {F::Species, &CPage2::m_strSpecies},
    {F::Cultivar, &CPage2::m_strCultivar},           {F::PlantNotes, &CPage2::m_strPlantNotes},
};
const Binding<CPage3> kPurchase[] = {
    {F::PurchaseAge, &CPage3::m_strPurchaseAge},
    {F::PurchaseDate, &CPage3::m_strPurchaseDate},
    {F::PurchaseTrunkDiameter, &CPage3::m_strPurchaseTrunkDiameter},
    {F::PurchaseStyle, &CPage3::m_strPurchaseStyle},
    {F::PurchaseTrunkHeight, &CPage3::m_strPurchaseTrunkHeight},
    {F::Source, &CPage3::m_strSource},
    {F::PricePaid, &CPage3::m_strPricePaid},
};
const Binding<CPage4> kTransformation[] = {
    {F::ShapingAge, &CPage4::m_strShapingAge},
    {F::ShapingDate, &CPage4::m_strShapingDate},
    {F::ShapingTrunkDiameter, &CPage4::m_strShapingTrunkDiameter},
    {F::ShapingStyle, &CPage4::m_strShapingStyle},
    {F::ShapingTrunkHeight, &CPage4::m_strShapingTrunkHeight},
    {F::History, &CPage4::m_strHistory},
};
const Binding<CPage5> kMaintenance[] = {
    {F::Defoliation, &CPage5::m_strDefoliation},   {F::Fertilization, &CPage5::m_strFertilization},
    {F::Insecticide, &CPage5::m_strInsecticide},   {F::Pinching, &CPage5::m_strPinching},
    {F::Repotting, &CPage5::m_strRepotting},       {F::Pruning, &CPage5::m_strPruning},
    {F::MaintenanceNotes, &CPage5::m_strMaintenanceNotes}, {F::ToDo, &CPage5::m_strToDo},
};
const Binding<CPage6> kSpecies[] = {
    {F::NeedWatering, &CPage6::m_strNeedWatering},   {F::NeedPosition, &CPage6::m_strNeedPosition},
    {F::NeedFertilization, &CPage6::m_strNeedFertilization}, {F::NeedWintering, &CPage6::m_strNeedWintering},
    {F::MinTemperature, &CPage6::m_strMinTemperature}, {F::PH, &CPage6::m_strPH},
    {F::NeedRepotting, &CPage6::m_strNeedRepotting}, {F::RustZone, &CPage6::m_strRustZone},
    {F::NeedSoil, &CPage6::m_strNeedSoil},           {F::NeedWiring, &CPage6::m_strNeedWiring},
    {F::NeedPruning, &CPage6::m_strNeedPruning},
};

template <typename Page, std::size_t N>
void ToPage(Page& page, const Binding<Page> (&bindings)[N], const CBonsaiData& entry)
{
    for (const auto& b : bindings)
        page.*b.member = entry[b.field];
}

template <typename Page, std::size_t N>
void FromPage(const Page& page, const Binding<Page> (&bindings)[N], CBonsaiData& entry)
{
    for (const auto& b : bindings)
        entry[b.field] = page.*b.member;
}

void AlbumToPage(CPage1& album, const CBonsaiData& entry)
{
    for (std::size_t k = 0; k < CBonsaiData::kPhotoSlots; ++k) {
        album.m_strPhotoFile[k] = entry[CBonsaiData::PhotoField(k)];
        album.m_strPhotoDesc[k] = entry[CBonsaiData::PhotoDescriptionField(k)];
    }
}

} // namespace

const std::array<std::size_t, 52> kPageFields = {
    1,  2,  3,  4,  5,  6,  7,  8,  9,  14, 15, 16, 17, 18, 19, 20, 26, 27, 28, 29, 30, 31, 37, 38, 39, 40,
    41, 42, 43, 44, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74,
    talvane::journal::kJournalField,
};

bool PageFieldsEqual(const CBonsaiData& a, const CBonsaiData& b)
{
    for (std::size_t field : kPageFields) {
        if (a[field] != b[field])
            return false;
    }
    return true;
}

FieldValues ChangedPageFieldValues(const CBonsaiData& entry, const CBonsaiData& edited)
{
    FieldValues values;
    for (std::size_t field : kPageFields) {
        if (entry[field] != edited[field])
            values.emplace_back(field, edited[field]);
    }
    return values;
}

FieldValues PageFieldValues(const CBonsaiData& entry)
{
    FieldValues values;
    values.reserve(kPageFields.size());
    for (std::size_t field : kPageFields)
        values.emplace_back(field, entry[field]);
    return values;
}

FieldValues PhotoFieldValues(const CBonsaiData& entry)
{
    FieldValues values;
    for (std::size_t k = 0; k < CBonsaiData::kPhotoSlots; ++k) {
        values.emplace_back(CBonsaiData::PhotoField(k), entry[CBonsaiData::PhotoField(k)]);
        values.emplace_back(CBonsaiData::PhotoDescriptionField(k), entry[CBonsaiData::PhotoDescriptionField(k)]);
    }
    return values;
}

PageTransfer::PageTransfer(CPage2& plant, CPage3& purchase, CPage4& transformation, CPage5& maintenance,
                           CPage6& species, CPage1& album, JournalPage& journal)
    : m_plant(plant), m_purchase(purchase), m_transformation(transformation), m_maintenance(maintenance),
      m_species(species), m_album(album), m_journal(journal)
{
}

void PageTransfer::ToPages(const CBonsaiData& entry)
{
    ToPage(m_plant, kPlant, entry);
    m_shownIntExt = entry[F::IntExt];
    m_plant.m_nIntExt = text::DecimalTextToInt(m_shownIntExt);
    ToPage(m_purchase, kPurchase, entry);
    ToPage(m_transformation, kTransformation, entry);
    ToPage(m_maintenance, kMaintenance, entry);
    ToPage(m_species, kSpecies, entry);
    AlbumToPage(m_album, entry);
    m_journal.m_strJournal = entry[talvane::journal::kJournalField];
}

void PageTransfer::RefreshPages()
{
    m_plant.UpdateData(false);
    m_purchase.UpdateData(false);
    m_transformation.UpdateData(false);
    m_maintenance.UpdateData(false);
    m_species.UpdateData(false);
    m_album.RefreshPictureList();
    m_journal.RefreshEventList();
}

void PageTransfer::LoadEntry(const CBonsaiData& entry)
{
    ToPages(entry);
    RefreshPages();
    m_album.ShowPicture(0);
}

void PageTransfer::ReadPagesInto(CBonsaiData& entry)
{
    m_plant.UpdateData(true);
    FromPage(m_plant, kPlant, entry);
    // A text other than "-1", "0" or "1" (from an import or another program) is kept
    // as it is until the user chooses a button.
    entry[F::IntExt] = m_plant.intExtChosen() ? std::to_string(m_plant.m_nIntExt) : m_shownIntExt;
    m_purchase.UpdateData(true);
    FromPage(m_purchase, kPurchase, entry);
    m_transformation.UpdateData(true);
    FromPage(m_transformation, kTransformation, entry);
    m_maintenance.UpdateData(true);
    FromPage(m_maintenance, kMaintenance, entry);
    m_species.UpdateData(true);
    FromPage(m_species, kSpecies, entry);
    for (std::size_t k = 0; k < CBonsaiData::kPhotoSlots; ++k) {
        entry[CBonsaiData::PhotoField(k)] = m_album.m_strPhotoFile[k];
        entry[CBonsaiData::PhotoDescriptionField(k)] = m_album.m_strPhotoDesc[k];
    }
    entry[talvane::journal::kJournalField] = m_journal.m_strJournal;
}

void PageTransfer::ClearPages()
{
    const CBonsaiData empty;
    ToPages(empty);
    RefreshPages();
}

void PageTransfer::PrepareNewEntry(int speciesIndex, const std::string& typedBotanicalName)
{
    CBonsaiData fresh;
    FillEntryFromGuide(fresh, speciesIndex, typedBotanicalName);
    ToPages(fresh);
    RefreshPages();
}
