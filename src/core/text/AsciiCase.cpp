#include "core/text/AsciiCase.h"

#include <algorithm>

namespace talvane::text {

namespace {

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool sameIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, {}, lowerAscii, lowerAscii);
}

bool startsIgnoringAsciiCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && sameIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

} // namespace talvane::text
