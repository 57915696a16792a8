#include "core/journal/DueTasks.h"
#include "support/core/JournalTestTrees.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace talvane::collection;

using namespace talvane::journal;

namespace {

// A treatment due on each of these days, and an event with nothing pending.
std::vector<CareEvent> treatments(std::vector<const char*> dues)
{
    std::vector<CareEvent> events;
    for (const char* due : dues)
        events.push_back({day("2024-01-01"), CareKind::Treatment, day(due), {}, due, {}, {}, {}});
    events.push_back({day("2024-01-02"), CareKind::Note, std::nullopt, {}, "nothing pending", {}, {}, {}});
    return events;
}

std::vector<std::pair<std::size_t, std::string>> listed(const std::vector<DueTask>& tasks)
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
    addTree(entries, "Maple", treatments({"2025-01-01", "2024-02-29", "2024-12-31"}));
    addTree(entries, "Pine", treatments({"2024-03-01", "2024-02-28", "2025-01-01"}));
    entries.push_back(std::make_unique<CBonsaiData>());
    (*entries.back())[kJournalField] = "2024-01-01\tNote\t2024-01-01\t\tforeign";

    const auto today = day("2024-12-31");
    const auto within = dueTasks(entries, today, 1);
    const std::vector<std::pair<std::size_t, std::string>> expected = {
        {1, "2024-02-28"}, {0, "2024-02-29"}, {1, "2024-03-01"}, {0, "2024-12-31"}, {0, "2025-01-01"}, {1, "2025-01-01"}};
    EXPECT_EQ(listed(within), expected);
    EXPECT_TRUE(within[2].isOverdue(today));
    EXPECT_FALSE(within[3].isOverdue(today));
    EXPECT_EQ(within[1].line, 1u);

    EXPECT_EQ(dueTasks(entries, today, 0).size(), 4u);
    EXPECT_EQ(dueTasks(entries, day("2024-02-27"), 0).size(), 0u);
    EXPECT_EQ(dueTasks(entries, day("2024-02-27"), 2).size(), 2u);
    EXPECT_EQ(pendingTasks(entries).size(), 6u);
}

TEST(DueTasks, TheQuickCountAgreesWithTheListOnDamagedLines)
{
    EntryList entries;
    addTree(entries, "Maple", treatments({"2024-02-29", "2024-12-31"}));
    entries.push_back(std::make_unique<CBonsaiData>());
    (*entries.back())[kJournalField] = "TVJ1\r\n2024-01-01\tNote\t2024-01-05\t\tbad escape \\q\r\n"
                                       "2024-01-01\tNote\t2027-02-30\t\tno such day\r\n"
                                       "2024-01-01\tNope\t2024-01-05\t\tno such kind\r\n"
                                       "2024-01-01\tNote\t2024-01-07\t\ttoo\tmany\r\n"
                                       "2024-01-01\tNote\t2024-01-06\t\tfine";
    entries.push_back(std::make_unique<CBonsaiData>());
    (*entries.back())[kJournalField] = "TVJ2\r\n2024-01-01\tNote\t2024-01-05\t\tforeign";

    for (const char* today : {"2023-12-31", "2024-01-06", "2024-12-31"})
        for (int within : {-5, 0, 1, 400})
            EXPECT_EQ(countDueTasks(entries, day(today), within), dueTasks(entries, day(today), within).size())
                << today << " within " << within;
    EXPECT_EQ(countDueTasks(entries, day("2024-12-31"), 0), 3u);
}

TEST(DueTasks, SummaryAndTitleTexts)
{
    EXPECT_EQ(dueSummary(3, 30), "3 care tasks due in the next 30 days");
    EXPECT_EQ(dueSummary(1, 1), "1 care task due in the next 1 day");
    EXPECT_EQ(dueSummary(0, -5), "0 care tasks due in the next 0 days");
    const CareEvent event{day("2026-01-01"), CareKind::WireRemoval, std::nullopt, {},
                          "take it off\r\nbefore it bites", {}, {}, {}};
    EXPECT_EQ(firstLineOf(event), "take it off");
    EXPECT_EQ(taskTitle("Juniper No. 3", event.kind, firstLineOf(event)), "Juniper No. 3: Wire removal, take it off");
    EXPECT_EQ(taskTitle("Juniper No. 3", event.kind, ""), "Juniper No. 3: Wire removal");
}
