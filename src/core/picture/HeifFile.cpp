#include "core/picture/HeifFile.h"

#include "core/picture/HeifBoxes.h"

namespace talvane::picture {

std::variant<HeifFile, PhotoProblem> openHeif(std::span<const std::uint8_t> bytes, const PhotoLimits& limits)
{
    if (const auto items = heifItemCount(bytes); items && *items > limits.maxHeifItems)
        return PhotoProblem{PhotoFault::TooManyHeifItems};
    HeifFile file{HeifPointer<heif_context>(heif_context_alloc()), nullptr};
    if (!file.context)
        return PhotoProblem{PhotoFault::Damaged};
    heif_context_set_maximum_image_size_limit(file.context.get(), limits.maxSide);
    heif_error error = heif_context_read_from_memory_without_copy(file.context.get(), bytes.data(), bytes.size(), nullptr);
    heif_image_handle* primary = nullptr;
    if (error.code == heif_error_Ok)
        error = heif_context_get_primary_image_handle(file.context.get(), &primary);
    if (error.code != heif_error_Ok)
        return PhotoProblem{PhotoFault::NoUsableSize, error.message};
    file.primary.reset(primary);
    return file;
}

} // namespace talvane::picture
