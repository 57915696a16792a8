#include "core/picture/PhotoPixels.h"

#include <cstddef>
#include <cstring>

namespace talvane::picture {
namespace {

// Where the stored pixel of an upright one lies, in pixels of the stored picture: at
// start + x * stepX + y * stepY for the upright pixel (x, y).
struct Walk {
    std::ptrdiff_t start;
    std::ptrdiff_t stepX;
    std::ptrdiff_t stepY;
};

Walk walkFor(int orientation, std::ptrdiff_t width, std::ptrdiff_t height)
{
    const std::ptrdiff_t last = width - 1, bottom = (height - 1) * width;
    switch (orientation) {
    case 2: return {last, -1, width};                   // mirrored
    case 3: return {bottom + last, -1, -width};         // half a turn
    case 4: return {bottom, 1, -width};                 // flipped
    case 5: return {0, width, 1};                       // transposed
    case 6: return {bottom, -width, 1};                 // a quarter clockwise
    case 7: return {bottom + last, -width, -1};         // transversed
    case 8: return {last, width, -1};                   // a quarter anticlockwise
    default: return {0, 1, width};
    }
}

} // namespace

PhotoPixels turnedUpright(const PhotoPixels& stored, int orientation)
{
    if (orientation < 2 || orientation > 8)
        return stored;
    const PhotoSize size = orientation >= 5 ? stored.size.transposed() : stored.size;
    const std::size_t channels = static_cast<std::size_t>(channelsOf(stored.layout));
    PhotoPixels upright{size, stored.layout, std::vector<std::uint8_t>(stored.bytes.size())};
    const Walk walk = walkFor(orientation, stored.size.width, stored.size.height);
    std::uint8_t* out = upright.bytes.data();
    for (int y = 0; y < size.height; ++y) {
        std::ptrdiff_t from = walk.start + y * walk.stepY;
        for (int x = 0; x < size.width; ++x, from += walk.stepX, out += channels)
            std::memcpy(out, &stored.bytes[static_cast<std::size_t>(from) * channels], channels);
    }
    return upright;
}

} // namespace talvane::picture
