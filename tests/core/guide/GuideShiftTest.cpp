#include "core/guide/GuideShift.h"

#include <gtest/gtest.h>

using namespace talvane::guide;

using namespace std::string_literals;

TEST(GuideShift, UndoesTheShiftOnlyFrom0x22To0x7F)
{
    EXPECT_EQ(unshiftGuideByte('\x22'), '\x20');
    EXPECT_EQ(unshiftGuideByte('\x23'), '\x21');
    EXPECT_EQ(unshiftGuideByte('\x7F'), '\x7D');
    EXPECT_EQ(unshiftGuideByte('\x80'), '\x80');
    EXPECT_EQ(unshiftGuideByte('\x21'), '\x21');
    EXPECT_EQ(unshiftGuideByte('\x20'), '\x20');
    EXPECT_EQ(unshiftGuideByte('\n'), '\n');
    EXPECT_EQ(unshiftGuideByte('\r'), '\r');
    EXPECT_EQ(unshiftGuideByte('\0'), '\0');
    EXPECT_EQ(unshiftGuideByte('\xE9'), '\xE9');
    EXPECT_EQ(unshiftGuideByte('\xFF'), '\xFF');
    EXPECT_EQ(decodeGuideText("]Pqo\"dqvcpkswg_\r\nKpv\xE9tkgwt\n"), "[Nom botanique]\r\nInt\xE9rieur\n");
}

TEST(GuideShift, EncodesKeysAndAccentedWordsAsTheFileStoresThem)
{
    EXPECT_EQ(encodeGuideText("[Nom botanique]"), "]Pqo\"dqvcpkswg_");
    EXPECT_EQ(encodeGuideText("[Nom fran\xE7" "ais]"), "]Pqo\"htcp\xE7" "cku_");
    EXPECT_EQ(encodeGuideText("Ext\xE9rieur\r\n//////"), "Gzv\xE9tkgwt\r\n111111");
    EXPECT_EQ(encodeGuideText(" !}"), "\"#\x7F");
    EXPECT_EQ(encodeGuideText(""), "");
}

TEST(GuideShift, RefusesTildeAndDeleteNamingTheirLine)
{
    std::size_t line = 0;
    EXPECT_EQ(encodeGuideText("first\nsecond\nthird ~ here\n", &line), std::nullopt);
    EXPECT_EQ(line, 3u);
    EXPECT_EQ(encodeGuideText("\x7F", &line), std::nullopt);
    EXPECT_EQ(line, 1u);
    EXPECT_EQ(encodeGuideText("a\r\n\r\nb\x7F~", &line), std::nullopt);
    EXPECT_EQ(line, 3u);
    EXPECT_EQ(encodeGuideText("~"), std::nullopt);

    line = 42;
    EXPECT_TRUE(encodeGuideText("no tilde\n", &line).has_value());
    EXPECT_EQ(line, 42u) << "a storable text reports no line";
}

TEST(GuideShift, EveryStorableByteSurvivesARoundTrip)
{
    std::string plain;
    for (int byte = 0; byte < 256; ++byte) {
        if (byte != 0x7E && byte != 0x7F)
            plain += static_cast<char>(byte);
    }
    const auto stored = encodeGuideText(plain);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->size(), plain.size());
    EXPECT_EQ(decodeGuideText(*stored), plain);

    // Stored 0x20 and 0x21 read as themselves, but written again they take the shift.
    EXPECT_EQ(encodeGuideText(decodeGuideText("\x20\x21")), "\x22\x23"s);
}
