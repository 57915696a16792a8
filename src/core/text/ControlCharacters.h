#pragma once

#include <string>
#include <string_view>

namespace talvane::text {

// C0 controls, DEL and C1 controls: characters that make a terminal or a file format
// act instead of showing something.
constexpr bool isControlCharacter(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// A UTF-8 text as it may safely go to a terminal: each control character is written
// out as the journal writes it ("\t", "\r", "\n") or else as "\x" and two hex digits
// of its code point ("\x1b", "\x9d"), and a backslash is doubled, so that what is
// shown can always be read back.
std::string showControlCharacters(std::string_view utf8);

} // namespace talvane::text
