#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/journal/CareEvent.h"
#include "core/text/Words.h"

#include <cstddef>
#include <string>
#include <vector>

namespace talvane::journal {

// An event of a tree's journal whose next step has a due date.
struct DueTask {
    std::size_t entry;  // position of the tree in the collection
    std::size_t line;   // the event's line in the tree's journal
    CareEvent event;    // its due date is set

    const CalendarDate& due() const { return *event.due; }
    bool isOverdue(CalendarDate today) const { return due() < today; }
};

// Every event of the collection with a due date, earliest due first; tasks due on
// the same day keep the order of the collection and of the journal. Journals are
// read here, not when the collection is opened.
std::vector<DueTask> pendingTasks(const collection::EntryList& entries);

// How far ahead "due" looks unless the grower says otherwise, in days.
inline constexpr int kDefaultDueDays = 30;

// The tasks whose due date has passed or falls within `withinDays` days of today.
std::vector<DueTask> dueTasks(const collection::EntryList& entries, CalendarDate today, int withinDays);

// How many tasks dueTasks() would give, counted without building them; the second
// counts one tree's, so that a large collection can be counted a part at a time.
std::size_t countDueTasks(const collection::EntryList& entries, CalendarDate today, int withinDays);
std::size_t countDueTasks(const CBonsaiData& entry, CalendarDate today, int withinDays);

// "Juniper No. 3: Wire removal, remove the wire": the tree, the kind and the first
// line of the event's text, said in the words given. The name and the line come as
// the caller shows them (UTF-8).
std::string taskTitle(std::string_view treeName, CareKind kind, std::string_view firstLine,
                      const text::Words& words = text::inEnglish);
// The first line of the event's text, as it is stored (Windows-1252).
std::string_view firstLineOf(const CareEvent& event);

// "3 care tasks due in the next 30 days", said in the words given.
std::string dueSummary(std::size_t taskCount, int withinDays, const text::Words& words = text::inEnglish);

} // namespace talvane::journal
