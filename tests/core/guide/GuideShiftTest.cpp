#include "core/guide/GuideShift.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(GuideShift, UndoesTheShiftOnlyFrom0x22To0x7F)
{
    EXPECT_EQ(UnshiftGuideByte('\x22'), '\x20');
    EXPECT_EQ(UnshiftGuideByte('\x23'), '\x21');
    EXPECT_EQ(UnshiftGuideByte('\x7F'), '\x7D');
    EXPECT_EQ(UnshiftGuideByte('\x80'), '\x80');
    EXPECT_EQ(UnshiftGuideByte('\x21'), '\x21');
    EXPECT_EQ(UnshiftGuideByte('\x20'), '\x20');
    EXPECT_EQ(UnshiftGuideByte('\n'), '\n');
    EXPECT_EQ(UnshiftGuideByte('\r'), '\r');
    EXPECT_EQ(UnshiftGuideByte('\0'), '\0');
    EXPECT_EQ(UnshiftGuideByte('\xE9'), '\xE9');
    EXPECT_EQ(UnshiftGuideByte('\xFF'), '\xFF');
    EXPECT_EQ(DecodeGuideText("]Pqo\"dqvcpkswg_\r\nKpv\xE9tkgwt\n"), "[Nom botanique]\r\nInt\xE9rieur\n");
}

TEST(GuideShift, EncodesKeysAndAccentedWordsAsTheFileStoresThem)
{
    EXPECT_EQ(EncodeGuideText("[Nom botanique]"), "]Pqo\"dqvcpkswg_");
    EXPECT_EQ(EncodeGuideText("[Nom fran\xE7" "ais]"), "]Pqo\"htcp\xE7" "cku_");
    EXPECT_EQ(EncodeGuideText("Ext\xE9rieur\r\n//////"), "Gzv\xE9tkgwt\r\n111111");
    EXPECT_EQ(EncodeGuideText(" !}"), "\"#\x7F");
    EXPECT_EQ(EncodeGuideText(""), "");
}

TEST(GuideShift, RefusesTildeAndDeleteNamingTheirLine)
{
    std::size_t line = 0;
    EXPECT_EQ(EncodeGuideText("first\nsecond\nthird ~ here\n", &line), std::nullopt);
    EXPECT_EQ(line, 3u);
    EXPECT_EQ(EncodeGuideText("\x7F", &line), std::nullopt);
    EXPECT_EQ(line, 1u);
    EXPECT_EQ(EncodeGuideText("a\r\n\r\nb\x7F~", &line), std::nullopt);
    EXPECT_EQ(line, 3u);
    EXPECT_EQ(EncodeGuideText("~"), std::nullopt);

    line = 42;
    EXPECT_TRUE(EncodeGuideText("no tilde\n", &line).has_value());
    EXPECT_EQ(line, 42u) << "a storable text reports no line";
}

TEST(GuideShift, EveryStorableByteSurvivesARoundTrip)
{
    std::string plain;
    for (int byte = 0; byte < 256; ++byte) {
        if (byte != 0x7E && byte != 0x7F)
            plain += static_cast<char>(byte);
    }
    const auto stored = EncodeGuideText(plain);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->size(), plain.size());
    EXPECT_EQ(DecodeGuideText(*stored), plain);

    // Stored 0x20 and 0x21 read as themselves, but written again they take the shift.
    EXPECT_EQ(EncodeGuideText(DecodeGuideText("\x20\x21")), "\x22\x23"s);
}
