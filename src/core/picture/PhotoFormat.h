#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace talvane::picture {

// The photo formats the program decodes. HEIC and AVIF are both HEIF files, told apart
// by their major brand.
enum class PhotoFormat { Jpeg, Png, Gif, Tiff, WebP, Heic, Avif, Bmp };

// Enough of a file's start to tell its format: a HEIF file's ftyp box with a few
// compatible brands.
inline constexpr std::size_t kPhotoHeadBytes = 64;

// The format of a photo by its first bytes (kPhotoHeadBytes of them tell every one);
// nothing when they are of no format read here.
std::optional<PhotoFormat> photoFormatOf(std::span<const std::uint8_t> head);
std::optional<PhotoFormat> photoFormatOf(std::string_view head);

inline bool isHeif(PhotoFormat format)
{
    return format == PhotoFormat::Heic || format == PhotoFormat::Avif;
}

} // namespace talvane::picture
