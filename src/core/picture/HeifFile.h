#pragma once

#include "core/picture/PhotoLimits.h"
#include "core/picture/PhotoProblem.h"

#include <libheif/heif.h>

#include <cstdint>
#include <memory>
#include <span>
#include <variant>

namespace talvane::picture {

struct HeifDeleter {
    void operator()(heif_context* context) const { heif_context_free(context); }
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
    void operator()(heif_image* image) const { heif_image_release(image); }
};
template <typename T>
using HeifPointer = std::unique_ptr<T, HeifDeleter>;

// A HEIF file read by libheif, with its primary image; the bytes must outlive it.
struct HeifFile {
    HeifPointer<heif_context> context;
    HeifPointer<heif_image_handle> primary;
};

// A file listing more items than the limits allow is refused before libheif reads it,
// and libheif refuses sides beyond the limits.
std::variant<HeifFile, PhotoProblem> openHeif(std::span<const std::uint8_t> bytes, const PhotoLimits& limits);

} // namespace talvane::picture
