#include "support/core/JournalTestTrees.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace talvane::journal;

namespace {

CareEvent event(const char* date, CareKind kind, std::string text, const char* due = nullptr)
{
    return {day(date), kind, due ? std::optional(day(due)) : std::nullopt, {}, std::move(text), {}, {}, {}};
}

} // namespace

TEST(CalendarDate, AcceptsOnlyDaysThatExistInTheStrictForm)
{
    for (const char* good : {"2024-02-29", "0001-01-01", "9999-12-31", "2026-12-31"})
        EXPECT_EQ(CalendarDate::fromText(good).value().text(), good);
    for (const char* bad : {"2027-02-30", "0000-00-00", "2023-02-29", "2026-13-01", "2026-04-31", "2026-1-01",
                            "+026-01-01", "2026-01-01 ", "2026/01/01", "", "2026-01-0x"})
        EXPECT_FALSE(CalendarDate::fromText(bad)) << bad;
    EXPECT_EQ(day("2024-02-28").plusDays(1).text(), "2024-02-29");
    EXPECT_EQ(day("2023-02-28").plusDays(1).text(), "2023-03-01");
    EXPECT_EQ(day("2026-12-31").plusDays(1).text(), "2027-01-01");
    EXPECT_EQ(day("2027-01-01").plusDays(-1).text(), "2026-12-31");
    EXPECT_EQ(day("9999-12-30").plusDays(2147483647L).text(), "9999-12-31");
    EXPECT_EQ(day("0001-01-02").plusDays(-2147483647L).text(), "0001-01-01");
    EXPECT_EQ(day("2024-01-01").daysUntil(day("2025-01-01")), 366);
}

TEST(JournalFormat, HostileTextsRoundTripThroughTheEscapedLayout)
{
    Journal journal = Journal::read("");
    ASSERT_TRUE(journal.add({day("2026-04-12"), CareKind::WireRemoval, day("2027-06-01"), "a\tb.bmp", "x\ty\\z\r\nw\\n", {}, {}, {}}));
    EXPECT_EQ(journal.text(), "TVJ1\r\n2026-04-12\tWire removal\t2027-06-01\ta\\tb.bmp\tx\\ty\\\\z\\r\\nw\\\\n");

    std::string everyByte;
    for (int c = 0; c < 256; ++c)
        everyByte += static_cast<char>(c);
    const std::string hostile[] = {everyByte, "\\", "ends with \\", "\r", "\n\n\r\r", "\t\t\t\t", "TVJ1\r\n", ""};
    for (const auto& text : hostile)
        ASSERT_TRUE(journal.add(event("2026-05-01", CareKind::Note, text)));
    const Journal reread = Journal::read(journal.text());
    EXPECT_EQ(reread.text(), journal.text());
    EXPECT_EQ(reread.unreadableLineCount(), 0u);
    ASSERT_EQ(reread.lines().size(), std::size(hostile) + 1);
    for (std::size_t i = 0; i < std::size(hostile); ++i)
        EXPECT_EQ(reread.lines()[i + 1].event->text, hostile[i]) << i;
}

TEST(JournalFormat, ForeignFieldsAreKeptWholeAndRefuseEdits)
{
    for (const std::string& foreign : {std::string("Repotted in spring"), std::string("TVJ2\r\n2026-01-01\tNote\t\t\tx"),
                                      std::string("TVJ1 and more"), std::string("tvj1"), std::string("\0\xFF\r\n", 4)}) {
        Journal journal = Journal::read(foreign);
        EXPECT_TRUE(journal.isForeign()) << foreign;
        EXPECT_FALSE(journal.add(event("2026-01-01", CareKind::Note, "x")));
        EXPECT_FALSE(journal.remove(0));
        EXPECT_TRUE(journal.newestFirst().empty());
        EXPECT_EQ(journal.text(), foreign);
    }
}

TEST(JournalFormat, UnreadableLinesStayAsTheyAreThroughEdits)
{
    const std::string unreadable[] = {
        "2027-02-30\tNote\t\t\tno such day", "0000-00-00\tNote\t\t\tzero", "2026-01-01\tMisting\t\t\tkind",
        "2026-01-01\tNote\t2026-13-01\t\tdue",  "2026-01-01\tNote\t\t\tbad \\x escape", "2026-01-01\tNote\t\tfour",
        "2026-01-01\tNote\t\t\tsix\t",           "2026-01-01\tNote\t\t\tlone\nfeed",    "",
    };
    std::string field = "TVJ1\r\n2026-03-01\tPruning\t\t\tkept";
    for (const auto& line : unreadable)
        field += "\r\n" + line;
    field += "\r\n2026-03-02\tFeeding\t\t\tlast\r\n";

    Journal journal = Journal::read(field);
    EXPECT_FALSE(journal.isForeign());
    EXPECT_EQ(journal.text(), field);
    EXPECT_EQ(journal.unreadableLineCount(), std::size(unreadable) + 1);
    for (std::size_t i = 0; i < std::size(unreadable); ++i)
        EXPECT_EQ(journal.lines()[i + 1].unreadable, unreadable[i]);

    EXPECT_FALSE(journal.replace(1, event("2026-01-01", CareKind::Note, "over an unreadable line")));
    ASSERT_TRUE(journal.replace(0, event("2026-03-01", CareKind::Pruning, "changed")));
    ASSERT_TRUE(journal.remove(journal.lines().size() - 2));
    std::string expected = "TVJ1\r\n2026-03-01\tPruning\t\t\tchanged";
    for (const auto& line : unreadable)
        expected += "\r\n" + line;
    EXPECT_EQ(journal.text(), expected + "\r\n");
}

TEST(JournalFormat, WateringAndProtectionAreKindsListedAfterFeedingAndTreatment)
{
    const std::string field = "TVJ1\r\n2026-06-01\tWatering\t\t\tbench\r\n2026-12-01\tProtection\t\t\tfleece";
    const Journal journal = Journal::read(field);
    ASSERT_EQ(journal.unreadableLineCount(), 0u);
    EXPECT_EQ(journal.lines()[0].event->kind, CareKind::Watering);
    EXPECT_EQ(journal.lines()[1].event->kind, CareKind::Protection);
    EXPECT_EQ(journal.text(), field);
    const auto rank = [](CareKind kind) { return std::ranges::find(kCareKinds, kind) - kCareKinds.begin(); };
    EXPECT_EQ(rank(CareKind::Watering), rank(CareKind::Feeding) + 1);
    EXPECT_EQ(rank(CareKind::Protection), rank(CareKind::Treatment) + 1);
    for (CareKind kind : kCareKinds)
        EXPECT_EQ(rank(kind), static_cast<int>(kind)) << careKindName(kind);
}

TEST(JournalEdits, NewestFirstMarkDoneAndAnEmptiedJournal)
{
    EXPECT_EQ(Journal::read("TVJ1").text(), "TVJ1");
    Journal journal = Journal::read("");
    journal.add(event("2025-06-01", CareKind::Wiring, "wire", "2025-09-01"));
    journal.add(event("2026-01-10", CareKind::Note, "later"));
    journal.add(event("2025-06-01", CareKind::Photo, "same day, written after"));
    const auto order = journal.newestFirst();
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[0].line, 1u);
    EXPECT_EQ(order[1].line, 2u);
    EXPECT_EQ(order[2].line, 0u);

    EXPECT_FALSE(journal.markDone(1, day("2025-08-30")));
    ASSERT_TRUE(journal.markDone(0, day("2025-08-30")));
    EXPECT_FALSE(journal.lines()[0].event->due);
    EXPECT_EQ(*journal.lines()[3].event, event("2025-08-30", CareKind::Wiring, "wire"));

    for (std::size_t line = 4; line-- > 0;)
        ASSERT_TRUE(journal.remove(line));
    EXPECT_EQ(journal.text(), "");
    EXPECT_FALSE(journal.remove(0));
}
