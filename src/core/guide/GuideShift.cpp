#include "core/guide/GuideShift.h"

#include <algorithm>

namespace talvane::guide {

namespace {

constexpr unsigned char kFirstShifted = 0x22;
constexpr unsigned char kLastShifted = 0x7F;
constexpr unsigned char kShift = 2;
constexpr unsigned char kTilde = 0x7E;
constexpr unsigned char kDelete = 0x7F;

bool storable(char plain)
{
    const auto byte = static_cast<unsigned char>(plain);
    return byte != kTilde && byte != kDelete;
}

char shiftPlainByte(char plain)
{
    const auto byte = static_cast<unsigned char>(plain);
    if (byte >= kFirstShifted - kShift && byte <= kLastShifted - kShift)
        return static_cast<char>(byte + kShift);
    return plain;
}

} // namespace

char unshiftGuideByte(char stored)
{
    const auto byte = static_cast<unsigned char>(stored);
    if (byte >= kFirstShifted && byte <= kLastShifted)
        return static_cast<char>(byte - kShift);
    return stored;
}

std::string decodeGuideText(std::string_view stored)
{
    std::string plain(stored.size(), '\0');
    std::transform(stored.begin(), stored.end(), plain.begin(), unshiftGuideByte);
    return plain;
}

std::optional<std::string> encodeGuideText(std::string_view plain, std::size_t* unstorableLine)
{
    const auto bad = std::find_if_not(plain.begin(), plain.end(), storable);
    if (bad != plain.end()) {
        if (unstorableLine)
            *unstorableLine = 1 + static_cast<std::size_t>(std::count(plain.begin(), bad, '\n'));
        return std::nullopt;
    }
    std::string stored(plain.size(), '\0');
    std::transform(plain.begin(), plain.end(), stored.begin(), shiftPlainByte);
    return stored;
}

} // namespace talvane::guide
