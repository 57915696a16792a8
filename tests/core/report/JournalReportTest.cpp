#include "core/collection/BonsaiData.h"
#include "core/journal/Journal.h"
#include "core/report/EntryReport.h"

#include <gtest/gtest.h>

using namespace talvane::report;

using namespace talvane::journal;

namespace {

ReportLines report(const CBonsaiData& entry, bool printAll = false)
{
    ReportLines lines;
    BuildEntryReport(&entry, lines, printAll);
    return lines;
}

} // namespace

TEST(JournalReport, OnlyAReadableJournalWithEventsAddsLines)
{
    CBonsaiData plain;
    plain[CBonsaiData::Name] = "Pine";
    const ReportLines before = report(plain);
    ASSERT_EQ(before.size(), 89u);
    for (const char* field : {"", "TVJ1", "TVJ1\r\nnot an event", "notes from another program\r\n2026-01-01"}) {
        CBonsaiData entry;
        entry[CBonsaiData::Name] = "Pine";
        entry[kJournalField] = field;
        EXPECT_EQ(report(entry), before) << field;
    }
}

TEST(JournalReport, EventsFollowTheAlbumNewestFirstWrappedAndBeforeThePageFill)
{
    CBonsaiData entry;
    Journal journal = Journal::read("");
    journal.add({CalendarDate::fromText("2025-05-01").value(), CareKind::Wiring, CalendarDate::fromText("2025-09-01"),
                 "pine3.bmp", "first branch\r\n" + std::string(68, 'w') + " end", {}, {}, std::nullopt});
    journal.add({CalendarDate::fromText("2026-03-10").value(), CareKind::Feeding, std::nullopt, {}, "", {},
                 {{MeasureKind::Height, "42.5", LengthUnit::Centimetre}, {MeasureKind::Trunk, "3", LengthUnit::Millimetre}}, std::nullopt});
    entry[kJournalField] = journal.text() + "\r\nunreadable";

    const ReportLines lines = report(entry);
    const ReportLines tail(lines.begin() + 89, lines.end());
    const ReportLines expected = {
        "-- Care journal -----------------------------------------------",
        "2026-03-10 Feeding (Height 42.5 cm, Trunk diameter 3 mm):",
        "2025-05-01 Wiring, due 2025-09-01 [File pine3.bmp]: first branch",
        std::string(68, 'w'),
        "end",
        " ",
        " ",
    };
    EXPECT_EQ(tail, expected);
    EXPECT_EQ(tail[0].size(), 63u);

    const ReportLines filled = report(entry, true);
    EXPECT_EQ(filled.size(), 120u);
    EXPECT_EQ(ReportLines(filled.begin() + 89, filled.begin() + 96), expected);
}
