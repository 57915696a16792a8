#include "core/companion/PhoneChange.h"

#include "core/collection/Sha256.h"
#include "core/collection/TreeIdentity.h"
#include "core/companion/CollectionSnapshot.h"
#include "core/garden/Place.h"
#include "core/journal/CareOnTrees.h"
#include "core/journal/Journal.h"
#include "core/journal/JournalFormat.h"
#include "core/text/Windows1252.h"

namespace talvane::companion {

namespace {

using journal::CareEvent;
using journal::Journal;
using journal::kJournalField;
using Result = ChangeOutcome::Result;

ChangeOutcome failure(Result result, PhoneText message)
{
    return {result, std::move(message), {}, {}, {}};
}

ChangeOutcome treeGone()
{
    return failure(Result::NoSuchTree, PHONE_TEXT("This tree is no longer in the collection: it was deleted or changed "
                                                  "on the desktop. Nothing was changed."));
}

struct TreeAtHand {
    std::size_t position;
    Journal journal;
    std::string id;
    bool givesId;
};

std::variant<TreeAtHand, ChangeOutcome> findTreeToChange(const collection::EntryList& entries, const std::string& ref,
                                                         const std::string& proposedId = {})
{
    const auto position = findTreeByRef(entries, ref);
    if (!position)
        return treeGone();
    const CBonsaiData& entry = *entries[*position];
    Journal journal = Journal::read(entry[kJournalField]);
    if (journal.isForeign())
        return failure(Result::Refused, {PHONE_TEXT("The journal of “%1” was written by another program: it is kept "
                                                    "as it is and cannot be changed from the phone. Nothing was changed."),
                                         {text::cp1252ToUtf8(entry[CBonsaiData::Name])}});
    const std::string existing(talvane::collection::treeIdAt(entries, *position));
    const bool givesId = existing.empty() && talvane::collection::mayGiveTreeId(entries, *position);
    const std::string given = proposedId.empty() ? talvane::collection::newTreeId() : proposedId;
    return TreeAtHand{*position, std::move(journal), givesId ? given : existing, givesId};
}

PlannedChange planFor(const collection::EntryList& entries, const TreeAtHand& tree, std::string stepVerb)
{
    PlannedChange plan;
    auto& values = plan.entries.emplace_back(PlannedChange::EntryValues{tree.position, {}}).values;
    values = {{kJournalField, tree.journal.text()}};
    if (tree.givesId)
        values.push_back({talvane::collection::kTreeIdField, tree.id});
    plan.stepVerb = std::move(stepVerb);
    plan.name = std::string((*entries[tree.position])[CBonsaiData::Name]);
    return plan;
}

timeline::AddedPhotos copyPhotos(const collection::EntryList& entries, const TreeAtHand& tree, const LoggedCare& care,
                                 const std::filesystem::path& photosFolder)
{
    timeline::PhotoAddition addition;
    addition.sources = care.photos;
    addition.treeName = std::string((*entries[tree.position])[CBonsaiData::Name]);
    addition.treeId = tree.id;
    addition.kind = care.kind;
    addition.text = care.text;
    return timeline::copyPhotosToTimeline(photosFolder, addition);
}

ChangeOutcome photosFailed(const timeline::AddedPhotos& added)
{
    return failure(Result::Failed, {PHONE_TEXT("The photos could not be added: %1. Nothing was changed."),
                                    {text::cp1252ToUtf8(added.problem)}});
}

// The events logged care adds, given the events copying made of its photos: each dated
// by its camera, of the care's kind and text.
std::vector<CareEvent> loggedEvents(const LoggedCare& care, const std::vector<CareEvent>& photoEvents,
                                    const std::string& treeId)
{
    std::vector<CareEvent> events;
    if (care.byPhotoDates && !photoEvents.empty()) {
        events = photoEvents;
    } else {
        CareEvent event{care.date, care.kind, std::nullopt, {}, care.text, {}, {}, {}};
        std::vector<std::string> pictures;
        for (const CareEvent& photo : photoEvents)
            pictures.push_back(photo.picture);
        event.setPictures(std::move(pictures));
        // Its photos stay the tree's whatever it is renamed to.
        if (!photoEvents.empty())
            event.treeId = treeId;
        events.push_back(std::move(event));
    }
    events.front().due = care.due;
    events.front().repeat = care.repeat;
    events.front().measurements = care.measurements;
    return events;
}

std::variant<PlannedChange, ChangeOutcome> planLoggedCare(const collection::EntryList& entries, const LoggedCare& care,
                                                          const std::filesystem::path& photosFolder)
{
    auto found = findTreeToChange(entries, care.treeRef, care.proposedTreeId);
    if (auto* outcome = std::get_if<ChangeOutcome>(&found))
        return *outcome;
    TreeAtHand& tree = std::get<TreeAtHand>(found);

    timeline::AddedPhotos added;
    if (care.copied) {
        added = *care.copied;
        // The tree may have been given its identifier on the desktop since the copies were made.
        for (CareEvent& event : added.events)
            event.treeId = tree.id;
    } else if (!care.photos.empty()) {
        added = copyPhotos(entries, tree, care, photosFolder);
        if (!added.problem.empty())
            return photosFailed(added);
    }
    const std::vector<CareEvent> events = loggedEvents(care, added.events, tree.id);
    for (const CareEvent& event : events)
        tree.journal.add(event);
    PlannedChange plan = planFor(entries, tree, SHOWN_TEXT("Add event from phone"));
    plan.addedEvents = events;
    plan.photos = std::move(added);
    return plan;
}

std::variant<PlannedChange, ChangeOutcome> planDoneTask(const collection::EntryList& entries, const DoneTask& done)
{
    auto found = findTreeToChange(entries, done.treeRef);
    if (auto* outcome = std::get_if<ChangeOutcome>(&found))
        return *outcome;
    TreeAtHand& tree = std::get<TreeAtHand>(found);
    const auto& lines = tree.journal.lines();
    if (done.line >= lines.size() || !lines[done.line].event || !lines[done.line].event->due ||
        taskCheck(*lines[done.line].event) != done.check)
        return failure(Result::TaskChanged, PHONE_TEXT("This task was changed or done on the desktop since the page "
                                                       "was shown. Nothing was changed."));
    tree.journal.markDone(done.line, done.today);
    PlannedChange plan = planFor(entries, tree, SHOWN_TEXT("Mark done from phone"));
    plan.done = done;
    return plan;
}

// One event on every tree of the place, or none: a tree whose journal another program
// wrote refuses the whole care, naming the tree.
std::variant<PlannedChange, ChangeOutcome> planPlaceCare(const collection::EntryList& entries, const PlaceCare& care)
{
    const std::vector<std::size_t> positions = garden::treesAt(entries, care.placeName);
    if (positions.empty())
        return placeGone();
    const CareEvent event{care.date, care.kind, std::nullopt, {}, care.text, {}, {}, {}};
    auto changes = journal::careOnTrees(entries, positions, event);
    // Said in the program's words, which are the phone's.
    if (const auto* refused = std::get_if<std::string>(&changes))
        return failure(Result::Refused, {*refused, {}});
    PlannedChange plan;
    for (const journal::JournalChange& change : std::get<std::vector<journal::JournalChange>>(changes))
        plan.entries.push_back({change.entry, {{kJournalField, change.journalText}}});
    // Only the log of a server without a window says it.
    plan.stepVerb = "Log " + std::string(journal::careKindName(care.kind)) + " on " + std::to_string(plan.entries.size()) +
                    (plan.entries.size() == 1 ? " tree" : " trees") + " from phone";
    plan.name = care.placeName;
    plan.addedEvents = {event};
    plan.placeName = care.placeName;
    return plan;
}

} // namespace

std::vector<std::size_t> PlannedChange::positions() const
{
    std::vector<std::size_t> positions;
    for (const EntryValues& entry : entries)
        positions.push_back(entry.position);
    return positions;
}

std::optional<ChangeOutcome> copyCarePhotos(const collection::EntryList& entries, LoggedCare& care,
                                            const std::filesystem::path& photosFolder)
{
    if (care.photos.empty() || care.copied)
        return std::nullopt;
    auto found = findTreeToChange(entries, care.treeRef);
    if (auto* outcome = std::get_if<ChangeOutcome>(&found))
        return *outcome;
    const TreeAtHand& tree = std::get<TreeAtHand>(found);
    timeline::AddedPhotos added = copyPhotos(entries, tree, care, photosFolder);
    if (!added.problem.empty())
        return photosFailed(added);
    care.copied = std::move(added);
    if (tree.givesId)
        care.proposedTreeId = tree.id;
    return std::nullopt;
}

ChangeOutcome collectionClosed()
{
    return failure(Result::Closed, PHONE_TEXT("The collection was closed on the desktop. Nothing was changed."));
}

ChangeOutcome placeGone()
{
    return failure(Result::NoSuchPlace, PHONE_TEXT("No tree stands at this place: it was renamed or emptied on the "
                                                   "desktop. Nothing was changed."));
}

ChangeOutcome collectionReadOnly()
{
    return failure(Result::ReadOnly, PHONE_TEXT("The collection is open read-only on the computer; close the other "
                                                "window first"));
}

int ChangeOutcome::httpStatus() const
{
    switch (result) {
    case Result::Applied: return 200;
    case Result::NoSuchTree: return 404;
    case Result::NoSuchPlace: return 404;
    case Result::TaskChanged: return 409;
    case Result::Refused: return 403;
    case Result::ReadOnly: return 409;
    case Result::Closed: return 503;
    case Result::Failed: return 500;
    }
    return 500;
}

std::string taskCheck(const CareEvent& event)
{
    return collection::sha256Hex(journal::eventLine(event)).substr(0, 32);
}

std::variant<PlannedChange, ChangeOutcome> planChange(const collection::EntryList& entries, const PhoneChange& change,
                                                      const std::filesystem::path& photosFolder)
{
    if (const auto* care = std::get_if<LoggedCare>(&change))
        return planLoggedCare(entries, *care, photosFolder);
    if (const auto* care = std::get_if<PlaceCare>(&change))
        return planPlaceCare(entries, *care);
    return planDoneTask(entries, std::get<DoneTask>(change));
}

std::string mergeIntoJournal(const PlannedChange& plan, const std::string& journalText)
{
    Journal journal = Journal::read(journalText);
    for (const CareEvent& event : plan.addedEvents)
        journal.add(event);
    if (plan.done) {
        const auto& lines = journal.lines();
        for (std::size_t line = 0; line < lines.size(); ++line)
            if (lines[line].event && lines[line].event->due && taskCheck(*lines[line].event) == plan.done->check) {
                journal.markDone(line, plan.done->today);
                break;
            }
    }
    return journal.isForeign() ? journalText : journal.text();
}

void applyPlannedValues(collection::EntryList& entries, const PlannedChange& plan)
{
    for (const PlannedChange::EntryValues& changed : plan.entries) {
        CBonsaiData& entry = collection::entryToChange(entries, changed.position);
        for (const auto& [field, value] : changed.values)
            entry[field] = value;
    }
}

ChangeOutcome appliedOutcome(const collection::EntryList& entriesAfter, const PlannedChange& plan)
{
    ChangeOutcome outcome{Result::Applied, {}, {}, {}, {}};
    for (const PlannedChange::EntryValues& changed : plan.entries)
        outcome.treeRefs.push_back(treeRefAt(entriesAfter, changed.position));
    outcome.treeRef = outcome.treeRefs.front();
    const Journal journal = Journal::read((*entriesAfter[plan.entries.front().position])[kJournalField]);
    for (const CareEvent& event : plan.addedEvents)
        for (std::size_t line = 0; line < journal.lines().size(); ++line)
            if (journal.lines()[line].event == event) {
                outcome.added.push_back({line, event});
                break;
            }
    return outcome;
}

} // namespace talvane::companion
