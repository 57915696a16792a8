#include "support/core/JournalTestTrees.h"
#include "core/journal/JournalFormat.h"

#include <gtest/gtest.h>

#include <sstream>
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
    ASSERT_TRUE(journal.add({day("2026-06-01"), CareKind::Note, std::nullopt, {}, "x", kId, {}, {}}));
    EXPECT_EQ(journal.text(), "TVJ1\r\n" + later + "\r\n2026-06-01\tNote\t\t\tx\ttree=" + kId);
    EXPECT_EQ(quickDueOfLine("2026-05-01\tWiring\t2026-09-01\t\t\theight=3cm"), day("2026-09-01"));

    // Further photos are such an item to the versions before them. Those read the details
    // cut at every ";": a tree item first, measurements, a repeat last, and nothing else.
    CareEvent photographed{day("2026-05-01"), CareKind::Photo, std::nullopt, {}, "spring", kId, {}, {}};
    photographed.setPictures({"Photos/a.jpg", "Photos/b;2.jpg", "Photos/c.jpg"});
    const std::string line = eventLine(photographed);
    const std::string detailsColumn = line.substr(line.rfind('\t') + 1);
    std::vector<std::string> items;
    std::istringstream cut(detailsColumn);
    for (std::string item; std::getline(cut, item, ';');)
        items.push_back(item);
    ASSERT_GE(items.size(), 2u);
    EXPECT_EQ(items[0], "tree=" + kId);
    // Neither a tree, a repeat nor a measurement: the line is unreadable to them.
    EXPECT_TRUE(items[1].starts_with("picture=") && !parseStoredMeasurement(items[1])) << items[1];
    // ... as a detail this version does not know is to it: kept byte for byte.
    std::string unknown = line;
    unknown.replace(unknown.find("picture="), 7, "picture2");
    const Journal kept = Journal::read("TVJ1\r\n" + unknown + "\r\n" + line);
    EXPECT_EQ(kept.unreadableLineCount(), 1u);
    EXPECT_EQ(kept.text(), "TVJ1\r\n" + unknown + "\r\n" + line);
}

TEST(EventDetails, AnEventHoldsEveryPhotoOfTheWorkInItsOneLine)
{
    CareEvent event{day("2026-05-01"), CareKind::Repotting, day("2026-06-01"), {}, "new pot", kId,
                    {{MeasureKind::Height, "42", LengthUnit::Centimetre}}, CareRepeat{2, RepeatUnit::Week, std::nullopt}};
    event.setPictures({"", "Photos/a.jpg", "Photos/b;c.jpg", "old\\\tside.bmp"});
    EXPECT_EQ(event.picture, "Photos/a.jpg");
    const std::string line = eventLine(event);
    EXPECT_EQ(line, "2026-05-01\tRepotting\t2026-06-01\tPhotos/a.jpg\tnew pot\ttree=" + kId +
                        ";height=42cm;picture=Photos/b\\;c.jpg;picture=old\\\\\\tside.bmp;repeat=2w");
    EXPECT_EQ(parseEventLine(line), event);

    // With its first photo only, an event is written as before further photos were kept.
    event.setPictures({"Photos/a.jpg"});
    EXPECT_EQ(eventLine(event), "2026-05-01\tRepotting\t2026-06-01\tPhotos/a.jpg\tnew pot\ttree=" + kId + ";height=42cm;repeat=2w");
    EXPECT_EQ(eventLine(*parseEventLine(kPlain)), kPlain);
    // Further photos without a first one: the next takes the picture column.
    event.picture.clear();
    event.morePictures = {"Photos/b.jpg"};
    EXPECT_EQ(parseEventLine(eventLine(event))->pictures(), (std::vector<std::string>{"Photos/b.jpg"}));

    const std::string noFirst = "2026-05-01\tPhoto\t\t\tspring\tpicture=Photos/b.jpg";
    for (const std::string& bad : {noFirst, kPlain + "\tpicture=", kPlain + "\tpicture=a.jpg;", kPlain + "\tpicture=a\\",
                                   kPlain + "\tpicture=a\\q.jpg", kPlain + "\trepeat=2w;picture=a.jpg",
                                   kPlain + "\tpicture=a.jpg;height=1cm", kPlain + "\tpicture=a.jpg;tree=" + kId})
        EXPECT_FALSE(parseEventLine(bad)) << bad;
    // Only the details escape a semicolon.
    EXPECT_FALSE(parseEventLine("2026-05-01\tPhoto\t\tPhotos/a\\;b.jpg\tspring"));
}

TEST(EventDetails, TypedAmountsAreReadAsGrowersWriteThem)
{
    EXPECT_EQ(amountFromTyped(" 3,5 "), "3.5");
    EXPECT_EQ(amountFromTyped("120"), "120");
    for (const char* bad : {"", "3,", "-2", "1e3", "3.5.1", "abc", "1 000"})
        EXPECT_FALSE(amountFromTyped(bad)) << bad;
}
