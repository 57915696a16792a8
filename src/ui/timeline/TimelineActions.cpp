#include "ui/timeline/TimelineActions.h"

#include <QCoreApplication>

#include "ui/album/PhotoImport.h"
#include "core/collection/TreeIdentity.h"
#include "ui/document/AlbumFolder.h"
#include "ui/document/TalvaneDoc.h"
#include "core/collection/FieldCatalogue.h"
#include "ui/framework/AnsiText.h"
#include "ui/framework/UiServices.h"
#include "core/journal/Journal.h"
#include "core/timeline/TimelineAdding.h"

#include <QFile>
#include <QFileInfo>

using talvane::journal::Journal;
using talvane::journal::kJournalField;

namespace {

constexpr std::size_t kAlbumPlaces = 5;

} // namespace

TimelineActions::TimelineActions(CTalvaneDoc& doc, UiServices& services) : m_doc(doc), m_services(services) {}

void TimelineActions::tell(const QString& text)
{
    m_services.prompter().ask(text, QStringLiteral("Talvane"), mb::kOk | mb::kIconExclamation);
}

bool TimelineActions::askAndAddPhotos(std::size_t position)
{
    FileRequest request;
    request.caption = QCoreApplication::translate("TimelineActions", "Add photos");
    request.nameFilters = {QCoreApplication::translate("TimelineActions", "Photos (*.jpg *.jpeg *.png *.webp *.tif *.tiff *.heic *.heif *.avif *.bmp *.gif)"),
                           QCoreApplication::translate("TimelineActions", "All files (*)")};
    const QStringList chosen = m_services.fileChooser().chooseOpenFiles(request);
    return !chosen.isEmpty() && addPhotos(position, chosen);
}

bool TimelineActions::addPhotos(std::size_t position, const QStringList& paths)
{
    if (position >= m_doc.entryCount() || paths.isEmpty())
        return false;
    const CBonsaiData& entry = m_doc.entryAt(position);
    Journal journal = Journal::read(entry[kJournalField]);
    if (journal.isForeign()) {
        tell(QCoreApplication::translate("TimelineActions", "The journal of \u201C%1\u201D was written by another program: it is kept as it is and "
                            "photos cannot be added to it.")
                 .arg(fromAnsi(entry[CBonsaiData::Name])));
        return false;
    }
    const std::string existingId(talvane::collection::treeIdAt(m_doc.entries(), position));
    const bool givesId = existingId.empty() && talvane::collection::mayGiveTreeId(m_doc.entries(), position);

    talvane::timeline::PhotoAddition addition;
    for (const QString& path : paths)
        addition.sources.emplace_back(QFile::encodeName(path).toStdString());
    addition.treeName = entry[CBonsaiData::Name];
    addition.treeId = givesId ? talvane::collection::newTreeId() : existingId;
    const auto added = talvane::timeline::copyPhotosToTimeline(
        QFile::encodeName(photosFolder(m_doc)).toStdString(), addition);
    if (!added.problem.empty()) {
        tell(QCoreApplication::translate("TimelineActions", "The photos could not be added:\n%1\nNothing was added.").arg(QFile::decodeName(added.problem.c_str())));
        return false;
    }
    for (const auto& event : added.events)
        journal.add(event);
    FieldValues values = {{kJournalField, journal.text()}};
    if (givesId)
        values.push_back({talvane::collection::kTreeIdField, addition.treeId});
    const QString verb = paths.size() == 1 ? QCoreApplication::translate("TimelineActions", "Add a photo to") : QCoreApplication::translate("TimelineActions", "Add photos to");
    return m_doc.changeFieldsFromElsewhere(position, values, CTalvaneDoc::stepText(verb, entry[CBonsaiData::Name]));
}

bool TimelineActions::useInAlbum(std::size_t position, const QString& photoPath, const std::string& description)
{
    if (position >= m_doc.entryCount())
        return false;
    const CBonsaiData& entry = m_doc.entryAt(position);
    std::size_t place = 0;
    while (place < kAlbumPlaces && !entry[CBonsaiData::photoField(place)].empty())
        ++place;
    if (place == kAlbumPlaces) {
        tellPictureLimit(m_services.prompter());
        return false;
    }
    const auto copy = PhotoImport(m_services.prompter(), albumFolder(m_doc)).run(photoPath);
    if (!copy)
        return false;
    const std::size_t limit = talvane::collection::field(CBonsaiData::photoDescriptionField(place)).typingLimit;
    std::string shortDescription = description.substr(0, description.find_first_of("\r\n"));
    if (limit > 0 && shortDescription.size() > limit)
        shortDescription.resize(limit);
    return m_doc.changeFieldsFromElsewhere(position,
                                           {{CBonsaiData::photoField(place), toAnsi(*copy)},
                                            {CBonsaiData::photoDescriptionField(place), shortDescription}},
                                           CTalvaneDoc::stepText(QCoreApplication::translate("TimelineActions", "Use in album"), entry[CBonsaiData::Name]));
}
