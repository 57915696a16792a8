#include "core/text/Windows1252.h"

#include <array>

namespace talvane::text {
namespace {

// 0x80..0x9F: the characters Windows-1252 puts where Latin-1 has C1 controls.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at pos; gives nothing for a malformed one and
// advances pos past the bytes consumed either way.
std::optional<char32_t> nextCodePoint(std::string_view s, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(s[pos++]);
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return std::nullopt;
    }
    for (int i = 0; i < extra; ++i) {
        if (pos >= s.size() || (static_cast<unsigned char>(s[pos]) & 0xC0) != 0x80)
            return std::nullopt;
        cp = (cp << 6) | (static_cast<unsigned char>(s[pos++]) & 0x3F);
    }
    static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return std::nullopt;
    return cp;
}

char32_t cp1252ToCodePoint(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return kHighControls[byte - 0x80];
    return byte;
}

std::optional<unsigned char> codePointToCp1252(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<unsigned char>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

std::string cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        appendUtf8(out, cp1252ToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8ToCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto cp = nextCodePoint(utf8, pos);
        const auto byte = cp ? codePointToCp1252(*cp) : std::nullopt;
        out += byte ? static_cast<char>(*byte) : '?';
    }
    return out;
}

std::optional<std::string> utf8ToCp1252Strict(std::string_view utf8, Utf8ConversionError* error)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    for (std::size_t index = 0; pos < utf8.size(); ++index) {
        const auto cp = nextCodePoint(utf8, pos);
        const auto byte = cp ? codePointToCp1252(*cp) : std::nullopt;
        if (!byte) {
            if (error)
                error->characterIndex = index;
            return std::nullopt;
        }
        out += static_cast<char>(*byte);
    }
    return out;
}

} // namespace talvane::text
