#include "core/JournalTestTrees.h"
#include "journal/JournalFormat.h"

#include <gtest/gtest.h>

#include <string>

using namespace talvane::journal;

namespace {

const std::string kId = "0f8fad5b-d9cb-469f-a165-70867728950e";
const std::string kPlain = "2026-05-01\tPhoto\t\tPhotos/2026-05-01 Momiji.jpg\tspring";

} // namespace

TEST(EventDetails, TreeAndMeasurementsRoundTripInTheirOneStoredForm)
{
    const std::string line = kPlain + "\ttree=" + kId + ";height=42.5cm;nebari=8in";
    const auto event = parseEventLine(line);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->treeId, kId);
    ASSERT_EQ(event->measurements.size(), 2u);
    EXPECT_EQ(event->measurements[0].text(), "42.5 cm");
    EXPECT_DOUBLE_EQ(event->measurements[1].centimetres(), 8 * 2.54);
    EXPECT_EQ(eventLine(*event), line);
    EXPECT_EQ(eventLine(*parseEventLine(kPlain + "\ttrunk=3mm")), kPlain + "\ttrunk=3mm");
    // An event without details keeps the five columns that every version reads.
    EXPECT_EQ(eventLine(*parseEventLine(kPlain)), kPlain);

    for (const std::string& details : std::initializer_list<std::string>{"", "tree=" + kId + ";", "height=1cm;height=2cm", "trunk=1cm;height=2cm",
          "tree=0F8FAD5B-D9CB-469F-A165-70867728950E", "height=1cm;tree=" + kId, "height=-1cm", "height=1.cm",
          "height=1.2345cm", "height=1234567cm", "height=1 cm", "height=1yd", "girth=3cm", "height=1cm\tx"})
        EXPECT_FALSE(parseEventLine(kPlain + "\t" + details)) << details;
}

TEST(EventDetails, AVersionThatCannotReadALineKeepsItWhole)
{
    // A later version's item is to this one what this version's details are to the ones
    // before: the line is unreadable, shown as such and written back unchanged.
    const std::string later = kPlain + "\ttree=" + kId + ";girth=3cm";
    Journal journal = Journal::read("TVJ1\r\n" + later);
    EXPECT_EQ(journal.unreadableLineCount(), 1u);
    ASSERT_TRUE(journal.add({Day("2026-06-01"), CareKind::Note, std::nullopt, {}, "x", kId, {}, {}}));
    EXPECT_EQ(journal.text(), "TVJ1\r\n" + later + "\r\n2026-06-01\tNote\t\t\tx\ttree=" + kId);
    EXPECT_EQ(quickDueOfLine("2026-05-01\tWiring\t2026-09-01\t\t\theight=3cm"), Day("2026-09-01"));
}

TEST(EventDetails, TypedAmountsAreReadAsGrowersWriteThem)
{
    EXPECT_EQ(amountFromTyped(" 3,5 "), "3.5");
    EXPECT_EQ(amountFromTyped("120"), "120");
    for (const char* bad : {"", "3,", "-2", "1e3", "3.5.1", "abc", "1 000"})
        EXPECT_FALSE(amountFromTyped(bad)) << bad;
}
