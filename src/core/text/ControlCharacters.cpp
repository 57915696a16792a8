#include "core/text/ControlCharacters.h"

namespace talvane::text {
namespace {

// The C1 controls U+0080..U+009F in UTF-8: 0xC2, then the code point itself as the
// second byte.
bool isC1Control(std::string_view utf8, std::size_t i)
{
    return static_cast<unsigned char>(utf8[i]) == 0xC2 && i + 1 < utf8.size() &&
           (static_cast<unsigned char>(utf8[i + 1]) & 0xE0) == 0x80;
}

void appendShown(std::string& out, char32_t control)
{
    switch (control) {
    case '\t':
        out += "\\t";
        return;
    case '\r':
        out += "\\r";
        return;
    case '\n':
        out += "\\n";
        return;
    default: {
        constexpr char kHex[] = "0123456789abcdef";
        out += "\\x";
        out += kHex[control >> 4];
        out += kHex[control & 0xF];
    }
    }
}

} // namespace

std::string showControlCharacters(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte == '\\') {
            out += "\\\\";
        } else if (byte < 0x80 && isControlCharacter(byte)) {
            appendShown(out, byte);
        } else if (isC1Control(utf8, i)) {
            appendShown(out, static_cast<unsigned char>(utf8[++i]));
        } else {
            out += utf8[i];
        }
    }
    return out;
}

} // namespace talvane::text
