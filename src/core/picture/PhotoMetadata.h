#pragma once

#include "core/picture/PhotoLimits.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace talvane::picture {

// What a photo's tags tell about when it was taken and how it stands.
struct PhotoMetadata {
    // The day the photo was taken: EXIF DateTimeOriginal, else DateTimeDigitized, else
    // DateTime, the first of them that holds a day of the calendar (years 1 to 9999);
    // camera clocks that were never set ("0000:00:00 00:00:00") or impossible days give
    // nothing.
    std::optional<std::chrono::year_month_day> dateTaken{};
    // EXIF Orientation 1..8 (1 = upright); 1 when absent or out of range.
    int orientation = 1;
    // True for a HEIF/HEIC/AVIF file whose tags libheif read: its decoder already turns
    // the picture (irot/imir boxes), so orientation stays 1 and nothing turns it again.
    bool isHeif = false;

    bool operator==(const PhotoMetadata&) const = default;
};

// Reads the tags of a photo (JPEG, PNG, WebP, TIFF, HEIC, ...) from the bytes of its whole
// file, within the limits (a HEIF file's items, the Exif block). Never throws and never
// prints: a truncated, broken or hostile file, or one without tags, gives PhotoMetadata{}.
PhotoMetadata readPhotoMetadata(std::span<const std::uint8_t> file, const PhotoLimits& limits);
// The same from a file; anything but a regular file within the limits gives nothing.
PhotoMetadata readPhotoMetadata(const std::filesystem::path& file, const PhotoLimits& limits = {});

} // namespace talvane::picture
