#include "core/text/DecimalText.h"

#include <climits>
#include <gtest/gtest.h>

TEST(DecimalText, ReadsLeadingNumbersAndSaturates)
{
    using text::DecimalTextToInt;
    EXPECT_EQ(DecimalTextToInt("-1"), -1);
    EXPECT_EQ(DecimalTextToInt("0"), 0);
    EXPECT_EQ(DecimalTextToInt("1"), 1);
    EXPECT_EQ(DecimalTextToInt(" \t\n1x"), 1);
    EXPECT_EQ(DecimalTextToInt("+2"), 2);
    EXPECT_EQ(DecimalTextToInt(""), 0);
    EXPECT_EQ(DecimalTextToInt("Interior"), 0);
    EXPECT_EQ(DecimalTextToInt("- 1"), 0);
    EXPECT_EQ(DecimalTextToInt("2147483647"), INT_MAX);
    EXPECT_EQ(DecimalTextToInt("-2147483648"), INT_MIN);
    EXPECT_EQ(DecimalTextToInt("99999999999999999999"), INT_MAX);
    EXPECT_EQ(DecimalTextToInt("-2147483649"), INT_MIN);
    EXPECT_EQ(DecimalTextToInt("4294967296"), INT_MAX);
    EXPECT_EQ(DecimalTextToInt("4294967297"), INT_MAX);
}
