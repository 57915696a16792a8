#pragma once

#include <cstddef>
#include <cstdint>

namespace talvane::picture {

// What a photo may claim before any of it is decoded. Every limit is checked from the
// file's size and its header, so that a small hostile file claiming a huge picture is
// refused without allocating what it claims.
struct PhotoLimits {
    // The file's size: the largest photo the timeline copies.
    std::uint64_t maxBytes = 1ull << 30;
    // The picture's pixels as its header gives them: four times what the timeline shows
    // at most (64 megapixels), so that larger photos are shown reduced.
    std::uint64_t maxPixels = 256'000'000;
    // A longer side gives no usable size: JPEG, the widest-spread format, stops here.
    int maxSide = 65535;
    // The items of a HEIF file (its images, each tile of a tiled one, thumbnails,
    // metadata): a phone's photo holds a few dozen to some hundreds.
    std::uint32_t maxHeifItems = 4096;
    // An Exif block: no camera writes one this large.
    std::size_t maxMetadataBytes = 16 * 1024 * 1024;
};

} // namespace talvane::picture
