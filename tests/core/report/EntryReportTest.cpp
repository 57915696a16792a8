#include "core/collection/BonsaiData.h"
#include "core/report/EntryReport.h"
#include "core/report/ReportPager.h"

#include <gtest/gtest.h>

using namespace talvane::report;

namespace {

ReportLines report(const CBonsaiData& entry)
{
    ReportLines lines;
    BuildEntryReport(&entry, lines, false);
    return lines;
}

ReportLines wrapped(const std::string& text)
{
    ReportLines lines;
    AddReportLine(text, lines);
    return lines;
}

ReportLines textLines(const std::string& text)
{
    ReportLines lines;
    AddReportText(text, lines);
    return lines;
}

} // namespace

TEST(EntryReport, AnEmptyEntryGivesTheEightyNineLinesOfTheLayout)
{
    CBonsaiData entry;
    entry[CBonsaiData::IntExt] = "";
    const ReportLines lines = report(entry);
    ASSERT_EQ(lines.size(), 89u);
    EXPECT_EQ(lines[0], std::string(65, '-'));
    EXPECT_EQ(lines[1], " Name or ID number: ");
    EXPECT_EQ(lines[3], " ");
    EXPECT_EQ(lines[5], "-- Purchase " + std::string(49, '-'));
    EXPECT_EQ(lines[6], "        Date: ");
    EXPECT_EQ(lines[12], "Trunk height: ");
    EXPECT_EQ(lines[15], "-- The plant " + std::string(52, '-'));
    EXPECT_EQ(lines[16], "Botanical name: ");
    EXPECT_EQ(lines[23], "    Int./Ext.: n.d.");
    EXPECT_EQ(lines[24], "Notes:");
    EXPECT_EQ(lines[25], "") << "an empty multi-line field gives one empty line";
    EXPECT_EQ(lines[28], "-- Species specifics " + std::string(42, '-'));
    EXPECT_EQ(lines[29], "    Rust zone: ");
    EXPECT_EQ(lines[31], "           pH: ");
    EXPECT_EQ(lines[32], " ");
    EXPECT_EQ(lines[33], "Position:");
    EXPECT_EQ(lines[42], "Wintering and dormancy:");
    EXPECT_EQ(lines[54], "Pruning:");
    EXPECT_EQ(lines[57], " ");
    EXPECT_EQ(lines[58], "-- Transformation " + std::string(37, '-'));
    EXPECT_EQ(lines[64], "     History:");
    EXPECT_EQ(lines[68], "-- Maintenance " + std::string(39, '-'));
    EXPECT_EQ(lines[69], "     Repoting: ");
    EXPECT_EQ(lines[70], "Fertilization: ");
    EXPECT_EQ(lines[75], "Notes:");
    EXPECT_EQ(lines[77], "To do:");
    EXPECT_EQ(lines[81], "-- Photo album " + std::string(48, '-'));
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(lines[82 + k], "Description:  [File ]");
    EXPECT_EQ(lines[88], " ");
    for (const auto& line : lines)
        EXPECT_LE(line.size(), 70u);
}

TEST(EntryReport, InteriorExteriorLineComparesTheWholeText)
{
    const std::pair<const char*, const char*> cases[] = {
        {"0", "    Int./Ext.: Interior plant"}, {"1", "    Int./Ext.: Exterior plant"}, {"-1", "    Int./Ext.: n.d."},
        {"2", "    Int./Ext.: n.d."},          {" 0", "    Int./Ext.: n.d."},          {"", "    Int./Ext.: n.d."},
    };
    for (const auto& [value, line] : cases) {
        CBonsaiData entry;
        entry[CBonsaiData::IntExt] = value;
        EXPECT_EQ(report(entry)[23], line) << value;
    }
}

TEST(EntryReport, ValuesAreCopiedAsTheyAreIntoTheirLines)
{
    CBonsaiData entry;
    entry[CBonsaiData::Name] = "100% %s %d";
    entry[CBonsaiData::Photo2] = "b.bmp";
    entry[CBonsaiData::Photo2Description] = "%s first";
    entry[CBonsaiData::PlantNotes] = "a\r\nb";
    entry[CBonsaiData::History] = "line one\r\nline two\r\n";
    const ReportLines lines = report(entry);
    ASSERT_EQ(lines.size(), 89u + 1 + 2);
    EXPECT_EQ(lines[1], " Name or ID number: 100% %s %d");
    EXPECT_EQ(lines[25], "a");
    EXPECT_EQ(lines[26], "b");
    EXPECT_EQ(lines[66], "line one");
    EXPECT_EQ(lines[67], "line two");
    EXPECT_EQ(lines[68], "");
    EXPECT_EQ(lines[86], "Description: %s first [File b.bmp]");
}

TEST(EntryReport, MultiLineTextsSplitAtLineBreaks)
{
    EXPECT_EQ(textLines("a\r\nb"), (ReportLines{"a", "b"}));
    EXPECT_EQ(textLines("a\r\n"), (ReportLines{"a", ""}));
    EXPECT_EQ(textLines(""), ReportLines{""});
    EXPECT_EQ(textLines("\r\n\r\n"), (ReportLines{"", "", ""}));
    EXPECT_EQ(textLines("ab\ncd"), (ReportLines{"ab", "cd"})) << "a bare line feed keeps the character before it";
    EXPECT_EQ(textLines("\nx"), (ReportLines{"", "x"}));
}

TEST(EntryReport, LongLinesWrapAtTheLastSpaceWithinSeventyCharacters)
{
    const std::string seventy(70, 'x');
    EXPECT_EQ(wrapped(seventy), ReportLines{seventy});
    EXPECT_EQ(wrapped(seventy + " "), (ReportLines{seventy, ""}));
    const std::string words = std::string(60, 'w') + " " + std::string(8, 'v') + " tail";  // 74 characters
    EXPECT_EQ(wrapped(words), (ReportLines{std::string(60, 'w') + " " + std::string(8, 'v'), "tail"}));
    EXPECT_EQ(wrapped(std::string(65, 'a') + "  " + std::string(10, 'b')),
              (ReportLines{std::string(65, 'a') + " ", std::string(10, 'b')}))
        << "only the space at the break is dropped";
    EXPECT_EQ(wrapped(std::string(150, 'z')), (ReportLines{std::string(70, 'z'), std::string(70, 'z'), std::string(10, 'z')}));
    EXPECT_EQ(wrapped(" " + std::string(80, 'q')), (ReportLines{" " + std::string(69, 'q'), std::string(11, 'q')}));

    CBonsaiData entry;
    std::string botanical;
    for (int i = 0; i < 10; ++i)
        botanical += "Genus" + std::to_string(i) + "sp ";  // 100 characters
    entry[CBonsaiData::BotanicalName] = botanical;
    const ReportLines lines = report(entry);
    ASSERT_EQ(lines.size(), 90u);
    EXPECT_EQ(lines[16].substr(0, 16), "Botanical name: ");
    EXPECT_LE(lines[16].size(), 70u);
    EXPECT_EQ(lines[16] + " " + lines[17], "Botanical name: " + botanical);
}

TEST(EntryReport, TheCompleteListStartsEveryEntryOnAFreshPage)
{
    CBonsaiData first, second;
    {
        ReportLines lines;
        BuildEntryReport(&first, lines, true);
        EXPECT_EQ(lines.size(), 120u);
        BuildEntryReport(&second, lines, true);
        EXPECT_EQ(lines.size(), 240u);
        EXPECT_EQ(lines[119], " ");
        EXPECT_EQ(lines[120], std::string(65, '-'));
        EXPECT_EQ(ReportPager({&first, &second}, true).pageCount(), 4u);
        BuildEntryReport(nullptr, lines, true);
        EXPECT_EQ(lines.size(), 240u);
    }
    EXPECT_EQ(report(first).size(), 89u);
    EXPECT_EQ(ReportPager({&first}, false).pageCount(), 2u);
}
