#include "core/guide/GuideLoader.h"
#include "core/guide/GuideShift.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace talvane::guide;

namespace {

std::vector<std::string> storedLines(std::string_view file)
{
    std::vector<std::string> lines;
    std::size_t position = 0;
    while (const auto line = ReadGuideLine(file, position))
        lines.push_back(*line);
    EXPECT_EQ(position, file.size());
    return lines;
}

// The lines read back from the stored form of a plain text.
std::vector<std::string> allLines(std::string_view plain)
{
    const auto stored = encodeGuideText(plain);
    EXPECT_TRUE(stored.has_value());
    return storedLines(stored.value_or(""));
}

using Lines = std::vector<std::string>;

} // namespace

TEST(GuideLine, EndsAtLineFeedDroppingACarriageReturnBeforeIt)
{
    EXPECT_EQ(allLines("ab\ncd\r\nef"), (Lines{"ab", "cd", "ef"}));
    EXPECT_EQ(allLines("\n\r\n\n"), (Lines{"", "", ""}));
    EXPECT_EQ(allLines("a\rb\n\r\r\nc\r"), (Lines{"a\rb", "\r", "c\r"}));
    EXPECT_EQ(allLines("  spaced  \n"), (Lines{"  spaced  "}));
    EXPECT_EQ(allLines(""), Lines{});
}

TEST(GuideLine, UndoesTheShiftButNotTheLineEnds)
{
    EXPECT_EQ(storedLines("]KpvaGzv_\r\nKpv\xE9tkgwt\n\x20\x21\x22"),
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
    EXPECT_EQ(allLines(full + "\nnext"), (Lines{full, "next"}));
    EXPECT_EQ(allLines(full + "\r\nnext"), (Lines{full, "next"}));
    EXPECT_EQ(allLines(full), (Lines{full}));
    EXPECT_EQ(allLines(full + "y\n"), (Lines{full, "y"}));
    EXPECT_EQ(allLines(full + "\rz\n"), (Lines{full, "\rz"}));
    EXPECT_EQ(allLines(std::string(2000, 'x') + "\nend"), (Lines{full, full, "xx", "end"}));
    EXPECT_EQ(allLines(std::string(998, 'x') + "\r\n"), (Lines{std::string(998, 'x')}));
    EXPECT_EQ(allLines(std::string(998, 'x') + "\r\r\n"), (Lines{std::string(998, 'x') + "\r"}));
    // The cut counts plain bytes: 999 stored "z" read as 999 "x".
    EXPECT_EQ(storedLines(std::string(1000, 'z')), (Lines{full, "x"}));
}
