#pragma once

#include "core/picture/PhotoSize.h"

#include <cstdint>
#include <vector>

namespace talvane::picture {

enum class PixelLayout { Grey, Rgba };

inline int channelsOf(PixelLayout layout)
{
    return layout == PixelLayout::Grey ? 1 : 4;
}

// A decoded picture.
struct PhotoPixels {
    PhotoSize size;
    PixelLayout layout = PixelLayout::Rgba;
    // Rows top first and without padding, each of size.width pixels: one grey byte, or
    // red, green, blue and alpha (not premultiplied).
    std::vector<std::uint8_t> bytes;
};

// The picture turned upright as the EXIF orientation (1 to 8) says.
PhotoPixels turnedUpright(const PhotoPixels& stored, int orientation);

} // namespace talvane::picture
