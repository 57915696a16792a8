#include "core/text/DecimalText.h"

#include <climits>
#include <gtest/gtest.h>

TEST(DecimalText, ReadsLeadingNumbersAndSaturates)
{
    using talvane::text::decimalTextToInt;
    EXPECT_EQ(decimalTextToInt("-1"), -1);
    EXPECT_EQ(decimalTextToInt("0"), 0);
    EXPECT_EQ(decimalTextToInt("1"), 1);
    EXPECT_EQ(decimalTextToInt(" \t\n1x"), 1);
    EXPECT_EQ(decimalTextToInt("+2"), 2);
    EXPECT_EQ(decimalTextToInt(""), 0);
    EXPECT_EQ(decimalTextToInt("Interior"), 0);
    EXPECT_EQ(decimalTextToInt("- 1"), 0);
    EXPECT_EQ(decimalTextToInt("2147483647"), INT_MAX);
    EXPECT_EQ(decimalTextToInt("-2147483648"), INT_MIN);
    EXPECT_EQ(decimalTextToInt("99999999999999999999"), INT_MAX);
    EXPECT_EQ(decimalTextToInt("-2147483649"), INT_MIN);
    EXPECT_EQ(decimalTextToInt("4294967296"), INT_MAX);
    EXPECT_EQ(decimalTextToInt("4294967297"), INT_MAX);
}
