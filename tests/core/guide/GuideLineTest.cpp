#include "core/guide/GuideLoader.h"
#include "core/guide/GuideShift.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace talvane::guide;

namespace {

std::vector<std::string> StoredLines(std::string_view file)
{
    std::vector<std::string> lines;
    std::size_t position = 0;
    while (const auto line = ReadGuideLine(file, position))
        lines.push_back(*line);
    EXPECT_EQ(position, file.size());
    return lines;
}

// The lines read back from the stored form of a plain text.
std::vector<std::string> AllLines(std::string_view plain)
{
    const auto stored = encodeGuideText(plain);
    EXPECT_TRUE(stored.has_value());
    return StoredLines(stored.value_or(""));
}

using Lines = std::vector<std::string>;

} // namespace

TEST(GuideLine, EndsAtLineFeedDroppingACarriageReturnBeforeIt)
{
    EXPECT_EQ(AllLines("ab\ncd\r\nef"), (Lines{"ab", "cd", "ef"}));
    EXPECT_EQ(AllLines("\n\r\n\n"), (Lines{"", "", ""}));
    EXPECT_EQ(AllLines("a\rb\n\r\r\nc\r"), (Lines{"a\rb", "\r", "c\r"}));
    EXPECT_EQ(AllLines("  spaced  \n"), (Lines{"  spaced  "}));
    EXPECT_EQ(AllLines(""), Lines{});
}

TEST(GuideLine, UndoesTheShiftButNotTheLineEnds)
{
    EXPECT_EQ(StoredLines("]KpvaGzv_\r\nKpv\xE9tkgwt\n\x20\x21\x22"),
              (Lines{"[Int_Ext]", "Int\xE9rieur", "\x20\x21\x20"}));
}

TEST(GuideLine, DeliversNothingAtTheEndAndLeavesThePositionThere)
{
    const std::string_view file = "z\n";
    std::size_t position = 2;
    EXPECT_EQ(ReadGuideLine(file, position), std::nullopt);
    EXPECT_EQ(position, 2u);
    position = 0;
    EXPECT_EQ(ReadGuideLine(file, position), "x");
    EXPECT_EQ(ReadGuideLine(file, position), std::nullopt);
    position = 0;
    EXPECT_EQ(ReadGuideLine("", position), std::nullopt);
    EXPECT_EQ(position, 0u);
}

TEST(GuideLine, CutsLinesLongerThan999BytesIntoPiecesOf999)
{
    const std::string full(999, 'x');
    EXPECT_EQ(AllLines(full + "\nnext"), (Lines{full, "next"}));
    EXPECT_EQ(AllLines(full + "\r\nnext"), (Lines{full, "next"}));
    EXPECT_EQ(AllLines(full), (Lines{full}));
    EXPECT_EQ(AllLines(full + "y\n"), (Lines{full, "y"}));
    EXPECT_EQ(AllLines(full + "\rz\n"), (Lines{full, "\rz"}));
    EXPECT_EQ(AllLines(std::string(2000, 'x') + "\nend"), (Lines{full, full, "xx", "end"}));
    EXPECT_EQ(AllLines(std::string(998, 'x') + "\r\n"), (Lines{std::string(998, 'x')}));
    EXPECT_EQ(AllLines(std::string(998, 'x') + "\r\r\n"), (Lines{std::string(998, 'x') + "\r"}));
    // The cut counts plain bytes: 999 stored "z" read as 999 "x".
    EXPECT_EQ(StoredLines(std::string(1000, 'z')), (Lines{full, "x"}));
}
