#include "core/text/NumberOption.h"

#include <gtest/gtest.h>

namespace {

const talvane::text::NumberOption kDays{
    .name = "--within",
    .meaning = "a whole number of days",
    .minimum = 0,
    .maximum = 3650,
    .choices = {},
};

const talvane::text::NumberOption kDepth{
    .name = "--bpp",
    .meaning = "a depth in bits",
    .minimum = 0,
    .maximum = 32,
    .choices = {0, 8, 32},
};

} // namespace

TEST(NumberOption, TakesPlainDecimalsInItsRangeOnly)
{
    using talvane::text::readNumberOption;
    EXPECT_EQ(readNumberOption(kDays, "0"), 0);
    EXPECT_EQ(readNumberOption(kDays, "3650"), 3650);
    EXPECT_EQ(readNumberOption(kDays, "010"), 10) << "leading zeros are decimal, never octal";
    for (const char* refused : {"-1", "3651", "-0x5", "0x10", "1e3", "5.0", "+5", " 5", "5 ", "", "-", "abc", "5d",
                                "99999999999999999999", "\u0665"})
        EXPECT_FALSE(readNumberOption(kDays, refused).has_value()) << refused;

    EXPECT_EQ(readNumberOption(talvane::text::kEntryNumberOption, "4294967294"), 4294967294LL);
    EXPECT_FALSE(readNumberOption(talvane::text::kEntryNumberOption, "4294967295").has_value()) << "past a 32-bit count";
    EXPECT_FALSE(readNumberOption(talvane::text::kEntryNumberOption, "-1").has_value());

    for (const char* taken : {"0", "8", "32"})
        EXPECT_TRUE(readNumberOption(kDepth, taken).has_value()) << taken;
    for (const char* refused : {"1", "7", "16", "24", "33", "64"})
        EXPECT_FALSE(readNumberOption(kDepth, refused).has_value()) << refused;
}

TEST(NumberOption, TheMessageSaysWhatIsTakenOnOneLine)
{
    using talvane::text::numberOptionError;
    EXPECT_EQ(numberOptionError(kDays, "-5"), "--within must be a whole number of days from 0 to 3650, not \u201C-5\u201D.");
    EXPECT_EQ(numberOptionError(talvane::text::kEntryNumberOption, "x"),
              "--entry must be an entry number from 0 to 4294967294, not \u201Cx\u201D.");
    EXPECT_EQ(numberOptionError(kDepth, "7"), "--bpp must be a depth in bits of 0, 8 or 32, not \u201C7\u201D.");
    EXPECT_EQ(numberOptionError(kDays, ""), "--within must be a whole number of days from 0 to 3650, not \u201C\u201D.");
    EXPECT_EQ(numberOptionError(kDays, "1\n\x1B[2J"),
              "--within must be a whole number of days from 0 to 3650, not \u201C1\\n\\x1b[2J\u201D.")
        << "a typed line end or escape never reaches the terminal";
}
