#include "core/journal/DueTasks.h"

#include "core/journal/Journal.h"
#include "core/journal/JournalFormat.h"

#include <algorithm>

namespace talvane::journal {

namespace {

template <typename Keep>
std::vector<DueTask> collectTasks(const collection::EntryList& entries, Keep keep)
{
    std::vector<DueTask> tasks;
    for (std::size_t entry = 0; entry < entries.size(); ++entry) {
        const std::string_view field = (*entries[entry])[kJournalField];
        if (field.empty())
            continue;
        const Journal journal = Journal::read(field);
        const auto& lines = journal.lines();
        for (std::size_t line = 0; line < lines.size(); ++line)
            if (lines[line].event && lines[line].event->due && keep(*lines[line].event->due))
                tasks.push_back({entry, line, *lines[line].event});
    }
    std::stable_sort(tasks.begin(), tasks.end(), [](const DueTask& a, const DueTask& b) { return a.due() < b.due(); });
    return tasks;
}

CalendarDate lastDueDay(CalendarDate today, int withinDays)
{
    return today.plusDays(std::max(withinDays, 0));
}

} // namespace

std::vector<DueTask> pendingTasks(const collection::EntryList& entries)
{
    return collectTasks(entries, [](const CalendarDate&) { return true; });
}

std::vector<DueTask> dueTasks(const collection::EntryList& entries, CalendarDate today, int withinDays)
{
    const CalendarDate last = lastDueDay(today, withinDays);
    return collectTasks(entries, [last](const CalendarDate& due) { return due <= last; });
}

std::size_t countDueTasks(const collection::EntryList& entries, CalendarDate today, int withinDays)
{
    std::size_t count = 0;
    for (const auto& entry : entries)
        count += countDueTasks(*entry, today, withinDays);
    return count;
}

std::size_t countDueTasks(const CBonsaiData& entry, CalendarDate today, int withinDays)
{
    const CalendarDate last = lastDueDay(today, withinDays);
    std::size_t count = 0;
    forEachJournalLine(entry[kJournalField], [&count, last](std::string_view line) {
        const auto due = quickDueOfLine(line);
        if (due && *due <= last && parseEventLine(line))
            ++count;
    });
    return count;
}

std::string taskTitle(std::string_view treeName, CareKind kind, std::string_view firstLine, const text::Words& words)
{
    using text::say;
    const std::string title = say(words, SHOWN_TEXT("%1: %2"), {std::string(treeName), say(words, careKindName(kind))});
    return firstLine.empty() ? title : say(words, SHOWN_TEXT("%1, %2"), {title, std::string(firstLine)});
}

std::string_view firstLineOf(const CareEvent& event)
{
    return std::string_view(event.text).substr(0, event.text.find_first_of("\r\n"));
}

std::string dueSummary(std::size_t taskCount, int withinDays, const text::Words& words)
{
    using text::say;
    // None and one have texts of their own: French counts none in the singular.
    const auto days = static_cast<std::size_t>(std::max(withinDays, 0));
    const std::string tasks = taskCount == 0   ? say(words, SHOWN_TEXT("0 care tasks"))
                              : taskCount == 1 ? say(words, SHOWN_TEXT("1 care task"))
                                               : say(words, SHOWN_TEXT("%1 care tasks"), {std::to_string(taskCount)});
    const std::string span =
        days == 1 ? say(words, SHOWN_TEXT("1 day")) : say(words, SHOWN_TEXT("%1 days"), {std::to_string(days)});
    return say(words, SHOWN_TEXT("%1 due in the next %2"), {tasks, span});
}

} // namespace talvane::journal
