#include "support/core/JournalTestTrees.h"
#include "core/journal/Journal.h"
#include "core/journal/JournalFormat.h"

#include <gtest/gtest.h>

#include <string>

using namespace talvane::journal;

namespace {

CareRepeat every(unsigned every, RepeatUnit unit, std::optional<MonthSpan> months = std::nullopt)
{
    return CareRepeat{every, unit, months};
}

} // namespace

TEST(CareRepeat, TheStoredFormIsReadOnlyAsWritten)
{
    for (const char* text : {"1d", "2w@4-9", "999y", "3y@3-3", "6m@11-2"}) {
        const auto repeat = parseStoredRepeat(text);
        ASSERT_TRUE(repeat) << text;
        EXPECT_EQ(storedRepeat(*repeat), text);
    }
    for (const char* text : {"", "w", "0w", "01w", "1000d", "2x", "2W", "-2w", "2w@", "2w@4", "2w@4-", "2w@0-9",
                             "2w@4-13", "2w@04-9", "2w@4-9x", "2w 4-9", "2w@4-9@5-6"})
        EXPECT_FALSE(parseStoredRepeat(text)) << text;

    EXPECT_EQ(repeatText(every(1, RepeatUnit::Day)), "every day");
    EXPECT_EQ(repeatText(every(2, RepeatUnit::Week, MonthSpan{4, 9})), "every 2 weeks, April to September");
    EXPECT_EQ(repeatText(every(3, RepeatUnit::Year, MonthSpan{3, 3})), "every 3 years in March");
}

TEST(CareRepeat, ALineKeepsItsRepeatLastAndAnyOtherPlacementIsUnreadable)
{
    const std::string line = "2026-04-01\tFeeding\t2026-04-15\t\tliquid feed\theight=30cm;repeat=2w@4-9";
    const auto event = parseEventLine(line);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->repeat, every(2, RepeatUnit::Week, MonthSpan{4, 9}));
    EXPECT_EQ(eventLine(*event), line);
    EXPECT_EQ(eventLine({day("2026-04-01"), CareKind::Repotting, day("2029-03-01"), {}, "", {}, {}, every(3, RepeatUnit::Year)}),
              "2026-04-01\tRepotting\t2029-03-01\t\t\trepeat=3y");

    for (const std::string misplaced : {"repeat=2w;height=30cm", "repeat=2w;repeat=3w", "repeat=", "repeat=2w;",
                                        "tree=0f8fad5b-d9cb-469f-a165-70867728950e;repeat=0w"}) {
        const std::string text = "TVJ1\r\n2026-04-01\tFeeding\t2026-04-15\t\tfeed\t" + misplaced;
        Journal journal = Journal::read(text);
        EXPECT_EQ(journal.unreadableLineCount(), 1u) << misplaced;
        EXPECT_EQ(journal.text(), text);
    }
}

TEST(CareRepeat, StepsOverMonthEndsLeapDaysAndTheLastDate)
{
    EXPECT_EQ(nextDue(every(1, RepeatUnit::Month), day("2027-01-31")), day("2027-02-28"));
    EXPECT_EQ(nextDue(every(1, RepeatUnit::Month), day("2028-01-31")), day("2028-02-29"));
    EXPECT_EQ(nextDue(every(13, RepeatUnit::Month), day("2026-12-31")), day("2028-01-31"));
    EXPECT_EQ(nextDue(every(1, RepeatUnit::Year), day("2028-02-29")), day("2029-02-28"));
    EXPECT_EQ(nextDue(every(4, RepeatUnit::Year), day("2028-02-29")), day("2032-02-29"));
    EXPECT_EQ(nextDue(every(2, RepeatUnit::Week), day("2026-12-25")), day("2027-01-08"));
    EXPECT_EQ(nextDue(every(10, RepeatUnit::Day), day("2028-02-25")), day("2028-03-06"));
    EXPECT_EQ(nextDue(every(1, RepeatUnit::Month), day("9999-12-20")), day("9999-12-31"));
    EXPECT_EQ(nextDue(every(999, RepeatUnit::Year), day("9000-06-01")), day("9999-06-01"));
    EXPECT_EQ(nextDue(every(2, RepeatUnit::Week, MonthSpan{4, 9}), day("9999-09-25")), day("9999-10-09"));
}

TEST(CareRepeat, TheMonthsOfTheYearHoldTheNextDueDate)
{
    const auto feeding = every(2, RepeatUnit::Week, MonthSpan{4, 9});
    EXPECT_EQ(nextDue(feeding, day("2027-05-03")), day("2027-05-17"));
    EXPECT_EQ(nextDue(feeding, day("2027-09-16")), day("2027-09-30"));
    EXPECT_EQ(nextDue(feeding, day("2027-09-25")), day("2028-04-01"));
    EXPECT_EQ(nextDue(feeding, day("2027-02-20")), day("2027-04-01"));

    const auto winter = every(1, RepeatUnit::Month, MonthSpan{11, 2});
    EXPECT_EQ(nextDue(winter, day("2027-01-31")), day("2027-02-28"));
    EXPECT_EQ(nextDue(winter, day("2027-02-10")), day("2027-11-01"));
    EXPECT_EQ(nextDue(winter, day("2027-12-15")), day("2028-01-15"));

    const auto repotting = every(3, RepeatUnit::Year, MonthSpan{3, 3});
    EXPECT_EQ(nextDue(repotting, day("2027-03-10")), day("2030-03-10"));
    EXPECT_EQ(nextDue(repotting, day("2027-04-05")), day("2030-03-01"));
    EXPECT_EQ(nextDue(every(1, RepeatUnit::Year, MonthSpan{3, 3}), day("2027-12-20")), day("2028-03-01"));
}

TEST(CareRepeat, MarkDoneMovesTheRepeatToTheDoneEventDueAgain)
{
    Journal journal = Journal::read("");
    CareEvent feeding{day("2027-04-01"), CareKind::Feeding, day("2027-04-15"), {}, "feed", {}, {},
                      every(2, RepeatUnit::Week, MonthSpan{4, 9})};
    journal.add(feeding);
    ASSERT_TRUE(journal.markDone(0, day("2027-04-16")));
    EXPECT_EQ(journal.text(), "TVJ1\r\n2027-04-01\tFeeding\t\t\tfeed\r\n"
                              "2027-04-16\tFeeding\t2027-04-30\t\tfeed\trepeat=2w@4-9");
    ASSERT_TRUE(journal.markDone(1, day("2027-09-20")));
    EXPECT_EQ(journal.lines()[2].event->due, day("2028-04-01"));
    EXPECT_FALSE(journal.lines()[1].event->repeat);
    EXPECT_FALSE(journal.markDone(1, day("2027-09-21")));
}
