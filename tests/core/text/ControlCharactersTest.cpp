#include "core/text/ControlCharacters.h"

#include <gtest/gtest.h>

TEST(ControlCharacters, TerminalTextShowsEachControlAndKeepsEverythingElse)
{
    using talvane::text::showControlCharacters;
    EXPECT_EQ(showControlCharacters("Pine\x1B]0;owned\x07 \x1B[2J"), "Pine\\x1b]0;owned\\x07 \\x1b[2J");
    EXPECT_EQ(showControlCharacters(std::string("a\0b\x01\x1F\x7F", 6)), "a\\x00b\\x01\\x1f\\x7f");
    EXPECT_EQ(showControlCharacters("tab\there\r\nnext\rline"), "tab\\there\\r\\nnext\\rline");
    EXPECT_EQ(showControlCharacters("C:\\x1b\\"), "C:\\\\x1b\\\\") << "a real backslash stays readable";
    EXPECT_EQ(showControlCharacters("\u0080\u009B[31m\u009D"), "\\x80\\x9b[31m\\x9d") << "C1 controls";
    const std::string printable = "\u00A0\u00C9rable \u20AC \u6728 ~ \U0001F333";
    EXPECT_EQ(showControlCharacters(printable), printable);
    EXPECT_EQ(showControlCharacters(""), "");
}

TEST(ControlCharacters, ControlsAreC0DelAndC1)
{
    for (char32_t c : {0x00, 0x09, 0x1F, 0x7F, 0x80, 0x9B, 0x9F})
        EXPECT_TRUE(talvane::text::isControlCharacter(c)) << int(c);
    for (char32_t c : {0x20, 0x5C, 0x7E, 0xA0, 0xFF, 0x20AC})
        EXPECT_FALSE(talvane::text::isControlCharacter(c)) << int(c);
}
