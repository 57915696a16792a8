#include "core/picture/HeifFile.h"
#include "core/picture/PhotoDecoder.h"

#include <vector>

namespace talvane::picture {
namespace {

PhotoSize sizeOf(const heif_image_handle* image)
{
    return {heif_image_handle_get_width(image), heif_image_handle_get_height(image)};
}

// The smallest of the photo's stored thumbnails that still fills the target, so that a
// timeline never decodes a whole 12-megapixel HEIC for a small picture.
HeifPointer<heif_image_handle> smallestFilling(heif_image_handle* primary, PhotoSize target)
{
    const int count = heif_image_handle_get_number_of_thumbnails(primary);
    if (count <= 0)
        return nullptr;
    std::vector<heif_item_id> ids(static_cast<std::size_t>(count));
    heif_image_handle_get_list_of_thumbnail_IDs(primary, ids.data(), count);
    HeifPointer<heif_image_handle> best;
    for (const heif_item_id id : ids) {
        heif_image_handle* found = nullptr;
        if (heif_image_handle_get_thumbnail(primary, id, &found).code != heif_error_Ok)
            continue;
        HeifPointer<heif_image_handle> thumbnail(found);
        const PhotoSize size = sizeOf(found);
        const bool fills = size.width >= target.width && size.height >= target.height;
        if (fills && (!best || sizeOf(best.get()).pixels() > size.pixels()))
            best = std::move(thumbnail);
    }
    return best;
}

// libheif decodes the picture turned as the file's boxes say, so its size is the upright
// one and no orientation is applied again.
class HeifDecoder final : public PhotoDecoder {
public:
    HeifDecoder(std::span<const std::uint8_t> bytes, const PhotoLimits& limits) : m_bytes(bytes), m_limits(limits) {}

    std::variant<PhotoHeader, PhotoProblem> readHeader() override
    {
        auto opened = openHeif(m_bytes, m_limits);
        if (auto* problem = std::get_if<PhotoProblem>(&opened))
            return std::move(*problem);
        m_file = std::move(std::get<HeifFile>(opened));
        return PhotoHeader{sizeOf(m_file.primary.get())};
    }

    std::optional<PhotoProblem> decode(PixelScaler& scaler) override
    {
        const HeifPointer<heif_image_handle> thumbnail = smallestFilling(m_file.primary.get(), scaler.target());
        heif_image* decoded = nullptr;
        const heif_error error = heif_decode_image(thumbnail ? thumbnail.get() : m_file.primary.get(), &decoded,
                                                   heif_colorspace_RGB, heif_chroma_interleaved_RGBA, nullptr);
        const HeifPointer<heif_image> image(decoded);
        if (error.code == heif_error_Unsupported_feature || error.code == heif_error_Unsupported_filetype)
            return PhotoProblem{PhotoFault::NoDecoder, error.message};
        if (error.code != heif_error_Ok)
            return PhotoProblem{PhotoFault::Damaged, error.message};
        int stride = 0;
        const std::uint8_t* rows = heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride);
        const PhotoSize size{heif_image_get_width(decoded, heif_channel_interleaved),
                             heif_image_get_height(decoded, heif_channel_interleaved)};
        if (!rows || size.width <= 0 || size.height <= 0)
            return PhotoProblem{PhotoFault::Damaged, "no picture was decoded"};
        scaler.start(size, PixelLayout::Rgba);
        for (int y = 0; y < size.height; ++y)
            scaler.addRow(rows + static_cast<std::ptrdiff_t>(y) * stride);
        return std::nullopt;
    }

private:
    std::span<const std::uint8_t> m_bytes;
    PhotoLimits m_limits;
    HeifFile m_file;
};

} // namespace

std::unique_ptr<PhotoDecoder> makeHeifDecoder(std::span<const std::uint8_t> bytes, const PhotoLimits& limits)
{
    return std::make_unique<HeifDecoder>(bytes, limits);
}

} // namespace talvane::picture
