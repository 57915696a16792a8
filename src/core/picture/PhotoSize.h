#pragma once

#include <cstdint>

namespace talvane::picture {

// A picture's width and height in pixels.
struct PhotoSize {
    int width = 0;
    int height = 0;

    std::uint64_t pixels() const { return static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height); }
    PhotoSize transposed() const { return {height, width}; }
    bool operator==(const PhotoSize&) const = default;
};

// The size that fits a picture within side x side keeping its proportions, the shorter
// side rounded to the nearest pixel and never below one; a picture that fits already is
// never enlarged.
PhotoSize fitWithin(PhotoSize size, int side);

} // namespace talvane::picture
