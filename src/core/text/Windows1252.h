#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Every text the program stores is a byte string in Windows-1252. These helpers
// are the only place where those bytes meet Unicode.
namespace talvane::text {

// The code point of one Windows-1252 byte. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same
// value, so that every byte survives a round trip.
char32_t cp1252ToCodePoint(unsigned char byte);

// The Windows-1252 byte of a code point, or nothing when the code page cannot hold it.
std::optional<unsigned char> codePointToCp1252(char32_t codePoint);

std::string cp1252ToUtf8(std::string_view bytes);

// UTF-8 one code point at a time: decodes the sequence at `pos` and advances past the
// bytes it takes; nothing for a malformed sequence, which is passed over all the same.
std::optional<char32_t> nextCodePoint(std::string_view utf8, std::size_t& pos);
void appendUtf8(std::string& out, char32_t codePoint);

// Characters that Windows-1252 cannot hold become "?", as the ANSI code page does.
// Malformed UTF-8 sequences become "?" too.
std::string utf8ToCp1252(std::string_view utf8);

// As above, but refuses the text: gives the zero-based index of the first character
// (counted in code points) that cannot be held, or of the first malformed sequence.
struct Utf8ConversionError {
    std::size_t characterIndex;
};
std::optional<std::string> utf8ToCp1252Strict(std::string_view utf8, Utf8ConversionError* error = nullptr);

} // namespace talvane::text
