#include "core/text/Windows1252.h"

#include <gtest/gtest.h>

TEST(Windows1252, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = talvane::text::cp1252ToUtf8(all);
    EXPECT_EQ(talvane::text::utf8ToCp1252(utf8), all);
    EXPECT_EQ(talvane::text::utf8ToCp1252Strict(utf8), all);
}

TEST(Windows1252, MapsTheHighControlsAndAccents)
{
    EXPECT_EQ(talvane::text::cp1252ToUtf8("\x80"), "\u20AC");
    EXPECT_EQ(talvane::text::cp1252ToUtf8("Int\xE9rieur"), "Int\u00E9rieur");
    EXPECT_EQ(talvane::text::cp1252ToUtf8("\x9F"), "\u0178");
    EXPECT_EQ(talvane::text::cp1252ToUtf8("\x8D"), "\u008D");
    EXPECT_EQ(talvane::text::utf8ToCp1252("\u2019\u0153"), "\x92\x9C");
}

TEST(Windows1252, UnmappableCharactersBecomeQuestionMarksOrAreRefused)
{
    EXPECT_EQ(talvane::text::utf8ToCp1252("a\u4E2Db\U0001F333c"), "a?b?c");
    EXPECT_EQ(talvane::text::utf8ToCp1252("x\xC3"), "x?");       // cut sequence
    EXPECT_EQ(talvane::text::utf8ToCp1252("\xC0\xAF"), "?");     // overlong form
    EXPECT_EQ(talvane::text::utf8ToCp1252("\xED\xA0\x80"), "?"); // surrogate

    talvane::text::Utf8ConversionError error{};
    EXPECT_FALSE(talvane::text::utf8ToCp1252Strict("ab\u00E9\u4E2D", &error));
    EXPECT_EQ(error.characterIndex, 3u);
    EXPECT_FALSE(talvane::text::utf8ToCp1252Strict("\xFF", &error));
    EXPECT_EQ(error.characterIndex, 0u);
}
