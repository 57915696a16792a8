#include "journal/DueTasks.h"
#include "journal/Journal.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace talvane::journal;

namespace {

// One tree whose events carry these due dates, in this order.
void AddTree(EntryList& entries, const std::string& name, std::vector<const char*> dues)
{
    entries.push_back(std::make_unique<CBonsaiData>());
    (*entries.back())[CBonsaiData::Name] = name;
    Journal journal = Journal::read("");
    for (const char* due : dues)
        journal.add({CalendarDate::fromText("2024-01-01").value(), CareKind::Treatment, CalendarDate::fromText(due), {}, due});
    journal.add({CalendarDate::fromText("2024-01-02").value(), CareKind::Note, std::nullopt, {}, "nothing pending"});
    (*entries.back())[kJournalField] = journal.text();
}

std::vector<std::pair<std::size_t, std::string>> Listed(const std::vector<DueTask>& tasks)
{
    std::vector<std::pair<std::size_t, std::string>> listed;
    for (const auto& task : tasks)
        listed.emplace_back(task.entry, task.due().text());
    return listed;
}

} // namespace

TEST(DueTasks, SortedByDueDateAcrossMonthYearAndLeapDays)
{
    EntryList entries;
    AddTree(entries, "Maple", {"2025-01-01", "2024-02-29", "2024-12-31"});
    AddTree(entries, "Pine", {"2024-03-01", "2024-02-28", "2025-01-01"});
    entries.push_back(std::make_unique<CBonsaiData>());
    (*entries.back())[kJournalField] = "2024-01-01\tNote\t2024-01-01\t\tforeign";

    const auto today = CalendarDate::fromText("2024-12-31").value();
    const auto within = dueTasks(entries, today, 1);
    const std::vector<std::pair<std::size_t, std::string>> expected = {
        {1, "2024-02-28"}, {0, "2024-02-29"}, {1, "2024-03-01"}, {0, "2024-12-31"}, {0, "2025-01-01"}, {1, "2025-01-01"}};
    EXPECT_EQ(Listed(within), expected);
    EXPECT_TRUE(within[2].isOverdue(today));
    EXPECT_FALSE(within[3].isOverdue(today));
    EXPECT_EQ(within[1].line, 1u);

    EXPECT_EQ(dueTasks(entries, today, 0).size(), 4u);
    EXPECT_EQ(dueTasks(entries, CalendarDate::fromText("2024-02-27").value(), 0).size(), 0u);
    EXPECT_EQ(dueTasks(entries, CalendarDate::fromText("2024-02-27").value(), 2).size(), 2u);
    EXPECT_EQ(pendingTasks(entries).size(), 6u);
}

TEST(DueTasks, SummaryAndTitleTexts)
{
    EXPECT_EQ(dueSummary(3, 30), "3 care tasks due in the next 30 days");
    EXPECT_EQ(dueSummary(1, 1), "1 care task due in the next 1 day");
    const CareEvent event{CalendarDate::fromText("2026-01-01").value(), CareKind::WireRemoval, std::nullopt, {},
                          "take it off\r\nbefore it bites"};
    EXPECT_EQ(taskTitle("Juniper No. 3", event), "Juniper No. 3: Wire removal, take it off");
}
