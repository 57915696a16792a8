#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/companion/PhoneWords.h"
#include "core/journal/CareEvent.h"
#include "core/journal/Journal.h"
#include "core/text/StorableForm.h"
#include "core/timeline/TimelineAdding.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

// What a phone may change: it only adds to the journals of trees (events and their
// photos, on one tree or on every tree of a place) and marks tasks done, so nothing typed
// on the desktop can be overwritten by it.
namespace talvane::companion {

// Care logged on a tree from the phone's form: one event, dated as the care was done,
// that holds every photo; or, asked for, one event a photo dated by its camera, as
// Add photos… puts photos on the timeline.
struct LoggedCare {
    std::string treeRef;
    journal::CareKind kind = journal::CareKind::Note;
    std::string text; // Windows-1252
    // What the text as typed was changed to so that the file can hold it.
    std::vector<text::StorableChange> textChanges;
    std::optional<journal::CalendarDate> due;
    // How the task due comes back once done; only with a due date.
    std::optional<journal::CareRepeat> repeat;
    std::vector<journal::Measurement> measurements;
    // Each photo an event of its own, of the care's kind and text, dated by its camera;
    // the first holds the due date, the repeat and the measurements.
    bool byPhotoDates = false;
    // The photos received with the form, in a folder of their own until they are copied.
    std::vector<std::filesystem::path> photos;
    journal::CalendarDate today = journal::CalendarDate::today();
    // The day the care was done: today unless the grower said otherwise.
    journal::CalendarDate date = today;
    // The photos once copied into the photo folder ahead of the change (copyCarePhotos),
    // and the identifier a tree without one is given with them.
    std::optional<timeline::AddedPhotos> copied;
    std::string proposedTreeId;
    // Who sent it: the paired phone's name, or the program's.
    std::string sender;
};

// A task marked done from the phone. The check is the task's journal line as the phone
// saw it, so that a line changed since then on the desktop is not marked by mistake.
struct DoneTask {
    std::string treeRef;
    std::size_t line = 0;
    std::string check;
    journal::CalendarDate today = journal::CalendarDate::today();
    std::string sender; // as LoggedCare's
};

// The same care given from the phone to every tree standing at a place: a bench watered.
struct PlaceCare {
    std::string placeName; // Windows-1252, as the trees' place field holds it
    journal::CareKind kind = journal::CareKind::Watering;
    std::string text; // Windows-1252
    std::vector<text::StorableChange> textChanges; // as LoggedCare's
    journal::CalendarDate today = journal::CalendarDate::today();
    journal::CalendarDate date = today;
    std::string sender; // as LoggedCare's
};

using PhoneChange = std::variant<LoggedCare, DoneTask, PlaceCare>;

inline const std::string& senderOf(const PhoneChange& change)
{
    return std::visit([](const auto& made) -> const std::string& { return made.sender; }, change);
}

// What became of a change, for the phone's page.
struct ChangeOutcome {
    enum class Result { Applied, NoSuchTree, NoSuchPlace, TaskChanged, Refused, ReadOnly, Closed, Failed };
    Result result = Result::Applied;
    PhoneText message;
    std::string treeRef; // the tree's reference after the change; the first tree's for a place
    // The events the change added, with their lines in the (first) tree's journal as it is after it.
    std::vector<journal::NumberedEvent> added;
    // The references of every tree changed, in the collection's order.
    std::vector<std::string> treeRefs;
    // Written to the collection's file; false while a window holds it unsaved.
    bool saved = false;
    int httpStatus() const;
    bool applied() const { return result == Result::Applied; }
};

// What a change sent while the collection was closing became: nothing.
ChangeOutcome collectionClosed();
// What care for a place where no tree stands becomes: nothing.
ChangeOutcome placeGone();
// What a change sent to a collection open read-only (another window holds it) becomes:
// nothing, since it could then only be kept by saving the collection elsewhere.
ChangeOutcome collectionReadOnly();

// A change worked out on a collection: new values for fields of one entry, or of every
// tree of a place, which the host applies as one step, or writes. The photos are already
// copied into the photo folder: a host that cannot apply the values takes them back out.
struct PlannedChange {
    struct EntryValues {
        std::size_t position = 0;
        std::vector<std::pair<std::size_t, std::string>> values;
    };
    // One entry, the tree's; for a place, each of its trees in the collection's order.
    std::vector<EntryValues> entries;
    std::string stepVerb; // "Add event from phone", English for the window to say
    std::string name;     // Windows-1252: the tree's, or the place's
    timeline::AddedPhotos photos;
    // What the change does to each journal, to do the same to a copy of it that holds
    // edits of its own (the desktop's Journal tab): events added, or a task marked done.
    std::vector<journal::CareEvent> addedEvents;
    std::optional<DoneTask> done;
    // The change is one event on every tree of this place (Windows-1252).
    std::optional<std::string> placeName;

    std::vector<std::size_t> positions() const;
};

// The journal text with the planned change made to it as well; a foreign text, or a
// task no longer in it, stays as it is.
std::string mergeIntoJournal(const PlannedChange& plan, const std::string& journalText);

// Works out a change on the entries as they are now. Gives the outcome instead when it
// cannot be made (the tree is gone, the task changed, a photo cannot be copied).
std::variant<PlannedChange, ChangeOutcome> planChange(const collection::EntryList& entries, const PhoneChange& change,
                                                      const std::filesystem::path& photosFolder);

// Copies the care's photos into the photo folder, named and dated as the change will
// have them, so that a host can do this long part away from the thread that makes the
// change. Gives the outcome instead when the tree is gone or a photo cannot be copied.
// The care then holds the copies, which whoever does not apply it takes back out.
std::optional<ChangeOutcome> copyCarePhotos(const collection::EntryList& entries, LoggedCare& care,
                                            const std::filesystem::path& photosFolder);

// Gives the entries the planned values: what a host without a history of steps does.
void applyPlannedValues(collection::EntryList& entries, const PlannedChange& plan);

// The check a Mark done form carries for a journal line.
std::string taskCheck(const journal::CareEvent& event);

// The outcome of a change applied: the references of the trees as they are afterwards.
ChangeOutcome appliedOutcome(const collection::EntryList& entriesAfter, const PlannedChange& plan);

} // namespace talvane::companion
