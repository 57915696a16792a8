#pragma once

#include "core/journal/CalendarDate.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>

namespace talvane::timeline {

// What a photo's metadata tells about when it was taken and how it stands.
struct PhotoFacts {
    // The day the photo was taken: EXIF DateTimeOriginal, else DateTimeDigitized, else
    // DateTime, the first of them that holds a day of the calendar; camera clocks that
    // were never set ("0000:00:00 00:00:00") or impossible days give nothing.
    std::optional<talvane::journal::CalendarDate> dateTaken{};
    // EXIF Orientation 1..8 (1 = upright); 1 when absent or out of range.
    int orientation = 1;
    // True for a HEIF/HEIC/AVIF file that libheif can read: its decoder already turns
    // the picture (irot/imir boxes), so orientation stays 1 and nothing turns it again.
    bool isHeif = false;

    bool operator==(const PhotoFacts&) const = default;
};

// Reads the facts of a photo file (JPEG, PNG, WebP, TIFF, HEIC, ...). Never throws and
// never prints: a missing, truncated, broken or hostile file, anything but a regular
// file, or one without metadata gives PhotoFacts{}.
PhotoFacts readPhotoFacts(const std::string& path);
// The same from the bytes of a whole file in memory.
PhotoFacts readPhotoFacts(const unsigned char* data, std::size_t size);

// Enough of a file's start to tell its format: a HEIF file's ftyp box with a few
// compatible brands.
inline constexpr std::size_t kPhotoHeadBytes = 64;
// A HEIF file (HEIC, AVIF, ...) opens with its ftyp box: size, "ftyp", the major brand,
// a minor version and the compatible brands; a file of another major brand may still be
// HEIF.
bool hasHeifSignature(std::span<const unsigned char> head);

// Call once before reading facts from several threads: exiv2's XMP parser must be set
// up before the first read. readPhotoFacts calls it too, only the first call counts.
// It also mutes exiv2's warnings, which would otherwise go to standard error.
void preparePhotoFactsReading();

} // namespace talvane::timeline
