#include "core/search/FoldedWord.h"
#include "core/search/NaturalSortKey.h"
#include "core/search/TextFolding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace talvane::search;

TEST(TextFolding, LettersLoseCaseAndAccentsWhileOtherBytesStay)
{
    // Œ Š Ž Ÿ live in 0x80-0x9F; × and ÷ sit among the accented letters but are not letters.
    EXPECT_EQ(foldText("\xC9RABLE \x8C" "UVRE \x8A\x8E\x9F \x9A\x9E\xFF"), "erable oeuvre szy szy");
    EXPECT_EQ(foldText("Stra\xDF" "e \xC6\xE6 \xD8\xF8 \xDE\xD0\xF0 \xC7\xE7 \xD1\xF1"), "strasse aeae oo thdd cc nn");
    EXPECT_EQ(foldText("\xD7\xF7\x80\x81\x8D\x8F\x90\x9D\xA0"), "\xD7\xF7\x80\x81\x8D\x8F\x90\x9D\xA0");
    EXPECT_EQ(foldText(std::string("\x01\0\x1F\x7F[@`{", 8)), std::string("\x01\0\x1F\x7F[@`{", 8));
    for (int byte = 0xC0; byte <= 0xDE; ++byte) {
        if (byte == 0xD7)
            continue;
        EXPECT_EQ(foldText(std::string(1, static_cast<char>(byte))), foldText(std::string(1, static_cast<char>(byte + 0x20))))
            << "capital 0x" << std::hex << byte;
    }
}

TEST(FoldedWord, FindsWordsIgnoringCaseAccentsAndLigatureSpelling)
{
    EXPECT_TRUE(FoldedWord("\xE9rable").foundIn("ERABLE du Japon"));
    EXPECT_TRUE(FoldedWord("ERABLE").foundIn("un \xE9rable"));
    EXPECT_TRUE(FoldedWord("coeur").foundIn("C\x8CUR"));
    EXPECT_TRUE(FoldedWord("e").foundIn("\x9C"));
    EXPECT_TRUE(FoldedWord("sse").foundIn("Stra\xDF" "e"));
    EXPECT_TRUE(FoldedWord("\xDF").foundIn("Strasse"));
    EXPECT_FALSE(FoldedWord("oee").foundIn("\x9C"));
    EXPECT_FALSE(FoldedWord("maple").foundIn("Mapl"));
    EXPECT_FALSE(FoldedWord("x").foundIn(""));
    EXPECT_FALSE(FoldedWord("a").foundIn(std::string("\0\x80\xFF", 3)));
    EXPECT_TRUE(FoldedWord("\x80").foundIn("12 \x80"));
}

TEST(FoldedWord, FindsAWordAtEveryOffsetAcrossBlocks)
{
    const FoldedWord word("MAPLE");
    for (std::size_t offset = 0; offset < 40; ++offset) {
        for (const std::string filler : {"x", "\xE9"}) {
            std::string text;
            for (std::size_t i = 0; i < offset; ++i)
                text += filler;
            EXPECT_TRUE(word.foundIn(text + "m\xC2pl\xC8" + "zz")) << offset;
            EXPECT_TRUE(word.foundIn(text + "maple")) << offset;
            EXPECT_FALSE(word.foundIn(text + "mapl")) << offset;
        }
    }
}

TEST(NaturalSortKey, OrdersTextsAsPeopleRead)
{
    const std::string nines(30, '9');
    const std::vector<std::string> expected = {
        "",
        "\x01" "control",
        "2 trees",
        "\xC6gopodium",
        "\xC9rable",
        "Faux",
        "Tree",
        "Tree 0",
        "tree 2",
        "Tree 007b",
        "Tree 10",
        "Tree 18446744073709551615",
        "Tree 18446744073709551616",
        "Tree " + nines,
        "Tree 1" + std::string(254, '0'),
        "Tree 1" + std::string(255, '0'),
        "Tree2",
        "Treeless",
    };
    std::vector<std::string> texts(expected.rbegin(), expected.rend());
    std::stable_sort(texts.begin(), texts.end(),
                     [](const std::string& a, const std::string& b) { return naturalSortKey(a) < naturalSortKey(b); });
    EXPECT_EQ(texts, expected);

    EXPECT_EQ(naturalSortKey("\xE9rable"), naturalSortKey("Erable"));
    EXPECT_EQ(naturalSortKey("Tree 007"), naturalSortKey("tree 7"));
    EXPECT_EQ(naturalSortKey("000"), naturalSortKey("0"));
    EXPECT_LT(naturalSortKey("a1b"), naturalSortKey("a1c"));
    EXPECT_LT(naturalSortKey("a 9 z"), naturalSortKey("a 10 a"));
}
