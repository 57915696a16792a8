#include "core/passport/PassportImport.h"

#include "core/collection/TreeIdentity.h"
#include "core/journal/Journal.h"
#include "core/passport/PicturePlacing.h"
#include "core/text/Windows1252.h"
#include "core/text/Words.h"

namespace talvane::passport {

namespace {

using journal::CareEvent;
using journal::Journal;
using journal::kJournalField;

// Keeps the tree's identifier unless the collection holds it already; then, and when it
// has none, the tree is given a new one, and the journal's events of the tree follow it.
// A text that is no identifier is kept as read. Gives true when an identifier was replaced.
bool giveOwnIdentifier(CBonsaiData& entry, const collection::EntryList& collection)
{
    const std::string id(entry[collection::kTreeIdField]);
    if (!collection::mayGiveTreeId(collection, collection.size(), id))
        return false;
    const std::string newId = collection::newTreeId();
    entry[collection::kTreeIdField] = newId;
    if (id.empty())
        return false;
    Journal journal = Journal::read(entry[kJournalField]);
    for (std::size_t line = 0; line < journal.lines().size(); ++line) {
        const auto& event = journal.lines()[line].event;
        if (event && event->treeId == id) {
            CareEvent moved = *event;
            moved.treeId = newId;
            journal.replace(line, moved);
        }
    }
    entry[kJournalField] = journal.text();
    return true;
}

bool noteReceived(CBonsaiData& entry, const PassportManifest& manifest, journal::CalendarDate day)
{
    Journal journal = Journal::read(entry[kJournalField]);
    const CareEvent received{day, journal::CareKind::Note, std::nullopt, {},
                             text::utf8ToCp1252(manifest.giver.empty() ? text::sayMessage(SHOWN_TEXT("Received"))
                                                                        : text::sayMessage(SHOWN_TEXT("Received from %1"), {manifest.giver})),
                             {}, {}, {}};
    if (!journal.add(received))
        return false;
    entry[kJournalField] = journal.text();
    return true;
}

} // namespace

ImportedTree importPassport(const PassportImport& request, const collection::EntryList& collection)
{
    ImportedTree imported;
    PassportReader reader(request.passport, request.limits);
    if (!reader.problem().empty()) {
        imported.problem = reader.problem();
        return imported;
    }
    PlacedPictures placed = placePictures(reader, request.albumFolder, request.photosFolder);
    if (!placed.problem.empty()) {
        imported.problem = std::move(placed.problem);
        return imported;
    }
    imported.entry = reader.takeEntry();
    imported.manifest = reader.manifest();
    imported.placed = std::move(placed.files);
    renamePictures(*imported.entry, placed.newNames);
    imported.givenNewId = giveOwnIdentifier(*imported.entry, collection);
    imported.receivedNoted = noteReceived(*imported.entry, imported.manifest, request.receivedOn);
    return imported;
}

} // namespace talvane::passport
