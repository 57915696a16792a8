#include "core/labels/TreeLabel.h"

#include "core/collection/TreeIdentity.h"

#include <cstdint>

namespace talvane::labels {

namespace {

constexpr std::string_view kAlphabet = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
constexpr std::string_view kQrPrefix = "talvane:tree/";
constexpr std::size_t kCodeLength = 8;

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

unsigned hexValue(char digit)
{
    return digit <= '9' ? static_cast<unsigned>(digit - '0') : static_cast<unsigned>(digit - 'a' + 10);
}

} // namespace

std::string treeCode(std::string_view treeId)
{
    if (!collection::isWellFormedTreeId(treeId))
        return {};
    // Ten hex digits are 40 bits: the first group of eight and two of the next.
    std::uint64_t bits = 0;
    std::size_t taken = 0;
    for (std::size_t i = 0; taken < 10; ++i) {
        if (treeId[i] == '-')
            continue;
        bits = bits << 4 | hexValue(treeId[i]);
        ++taken;
    }
    std::string code;
    for (std::size_t i = 0; i < kCodeLength; ++i) {
        if (i == kCodeLength / 2)
            code += '-';
        code += kAlphabet[(bits >> (5 * (kCodeLength - 1 - i))) & 31];
    }
    return code;
}

std::string treeQrText(std::string_view treeId)
{
    return std::string(kQrPrefix) + std::string(treeId);
}

std::optional<std::string> treeIdFromQrText(std::string_view text)
{
    text = trimmed(text);
    if (!text.starts_with(kQrPrefix))
        return std::nullopt;
    const std::string_view id = text.substr(kQrPrefix.size());
    if (!collection::isWellFormedTreeId(id))
        return std::nullopt;
    return std::string(id);
}

std::optional<std::string> typedTreeCode(std::string_view typed)
{
    std::string code;
    for (char c : trimmed(typed)) {
        if (c == '-' || c == ' ')
            continue;
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c == 'O')
            c = '0';
        else if (c == 'I' || c == 'L')
            c = '1';
        if (kAlphabet.find(c) == std::string_view::npos || code.size() == kCodeLength)
            return std::nullopt;
        code += c;
    }
    if (code.size() != kCodeLength)
        return std::nullopt;
    return code.substr(0, kCodeLength / 2) + "-" + code.substr(kCodeLength / 2);
}

} // namespace talvane::labels
