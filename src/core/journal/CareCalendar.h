#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/journal/DueTasks.h"

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace talvane::journal {

// The tasks as an iCalendar file: one all-day event on each due date, with the
// tree's name in its summary and an alarm at 9 in the morning of that day. Each event's UID stays the same from one export to
// the next as long as the tree's identifier (collection/TreeIdentity.h) and the
// event's date, kind and text stay, whatever the tree is called; for a tree without
// an identifier, as long as its name and the event stay. A calendar that imports the
// file again thus updates its events instead of doubling them; a task done since
// is not in the file, so a calendar that subscribes to it drops the task. A repeating
// task is one event that repeats (RRULE) as the task comes back when done on each due
// day; its UID leaves the date out, so that once done it moves to its next due date,
// with a new LAST-MODIFIED. `stamp` is the moment of the export.
std::string careCalendarText(const collection::EntryList& entries, const std::vector<DueTask>& tasks, std::time_t stamp);

// Writes the calendar so that the file holds either its old bytes or all of the
// new ones. Gives nothing on success, or a sentence that names the problem.
std::optional<std::string> writeCareCalendar(const std::filesystem::path& path, const collection::EntryList& entries,
                                             const std::vector<DueTask>& tasks);

} // namespace talvane::journal
