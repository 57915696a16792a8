#include "core/picture/JpegEnd.h"

#include <cstdint>
#include <cstring>

namespace talvane::picture {
namespace {

constexpr std::uint8_t kMarkerPrefix = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kEndOfImage = 0xD9;

// Markers that stand alone, without a length: a stuffed zero and the restart
// markers inside the coded data, and the temporary marker.
bool standsAlone(std::uint8_t marker)
{
    return marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

} // namespace

bool jpegReachesItsEnd(std::string_view data)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.data());
    const auto size = static_cast<std::size_t>(data.size());
    if (size < 2 || bytes[0] != kMarkerPrefix || bytes[1] != kStartOfImage)
        return false;
    std::size_t i = 2;
    for (;;) {
        // Coded data (and any stray byte) runs up to the next marker prefix.
        const void* prefix = std::memchr(bytes + i, kMarkerPrefix, size - i);
        if (!prefix)
            return false;
        i = static_cast<std::size_t>(static_cast<const std::uint8_t*>(prefix) - bytes);
        while (i < size && bytes[i] == kMarkerPrefix)
            ++i;
        if (i >= size)
            return false;
        const std::uint8_t marker = bytes[i++];
        if (marker == kEndOfImage)
            return true;
        if (standsAlone(marker))
            continue;
        if (size - i < 2)
            return false;
        const std::size_t length = std::size_t{bytes[i]} << 8 | bytes[i + 1];
        if (length < 2 || length > size - i)
            return false;
        i += length;
    }
}

} // namespace talvane::picture
