#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// What the boxes of a HEIF file tell before libheif reads it.
namespace talvane::picture {

// A HEIF file (HEIC, AVIF, ...) opens with its ftyp box: size, "ftyp", the major brand,
// a minor version and the compatible brands; a file of another major brand may still be
// HEIF.
bool hasHeifSignature(std::string_view head);

// How many items the file's item information box lists: its images, each tile of a
// tiled image, thumbnails and metadata blocks. Nothing when the box cannot be found.
std::optional<std::uint32_t> heifItemCount(std::span<const std::uint8_t> file);

} // namespace talvane::picture
