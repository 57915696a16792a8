#include "core/companion/KeptText.h"

#include "core/text/ControlCharacters.h"

#include <algorithm>
#include <string>

namespace talvane::companion {

namespace {

// The code points of a UTF-8 text; nothing when it is not UTF-8 (an overlong form, a
// surrogate, a cut sequence).
std::optional<std::u32string> codePoints(std::string_view utf8)
{
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    std::u32string points;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > utf8.size())
            return std::nullopt;
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            point = (point << 6) | (next & 0x3F);
        }
        if (point < kLeast[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
            return std::nullopt;
        points += point;
        i += length;
    }
    return points;
}

struct NameRefusals {
    const char* notUtf8;
    const char* empty;
    const char* tooLong; // the longest length as %1
    const char* controlCharacters;
};

constexpr NameRefusals kProgramNameRefusals{
    PHONE_TEXT("A program's name must be UTF-8 text."),
    PHONE_TEXT("A program's name cannot be empty."),
    PHONE_TEXT("A program's name is at most %1 characters long."),
    PHONE_TEXT("A program's name cannot hold line breaks, tabs or other control characters."),
};

constexpr NameRefusals kPhoneNameRefusals{
    PHONE_TEXT("A phone's name must be UTF-8 text."),
    PHONE_TEXT("A phone's name cannot be empty."),
    PHONE_TEXT("A phone's name is at most %1 characters long."),
    PHONE_TEXT("A phone's name cannot hold line breaks, tabs or other control characters."),
};

} // namespace

std::optional<PhoneText> nameProblem(std::string_view name, NameOf whose)
{
    const NameRefusals& refusals = whose == NameOf::Program ? kProgramNameRefusals : kPhoneNameRefusals;
    const auto points = codePoints(name);
    if (!points)
        return PhoneText(refusals.notUtf8);
    if (points->find_first_not_of(U' ') == std::u32string::npos)
        return PhoneText(refusals.empty);
    if (points->size() > kLongestKeptName)
        return PhoneText(refusals.tooLong, {std::to_string(kLongestKeptName)});
    if (std::any_of(points->begin(), points->end(), text::isControlCharacter))
        return PhoneText(refusals.controlCharacters);
    return std::nullopt;
}

bool isSha256Text(std::string_view text)
{
    return text.size() == 64 && text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

} // namespace talvane::companion
