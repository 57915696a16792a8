#include "core/picture/PhotoDecoder.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <memory>

namespace talvane::picture {
namespace {

const char* statusText(VP8StatusCode status)
{
    switch (status) {
    case VP8_STATUS_OUT_OF_MEMORY: return "out of memory";
    case VP8_STATUS_UNSUPPORTED_FEATURE: return "unsupported feature";
    case VP8_STATUS_NOT_ENOUGH_DATA: return "the file ends before its picture";
    default: return "invalid picture data";
    }
}

void addRows(PixelScaler& scaler, PhotoSize size, const std::uint8_t* rows, int stride)
{
    scaler.start(size, PixelLayout::Rgba);
    for (int y = 0; y < size.height; ++y)
        scaler.addRow(rows + static_cast<std::ptrdiff_t>(y) * stride);
}

// A still picture is decoded by libwebp straight at a smaller target; an animation shows
// its first frame drawn on its canvas.
class WebpDecoder final : public PhotoDecoder {
public:
    explicit WebpDecoder(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::variant<PhotoHeader, PhotoProblem> readHeader() override
    {
        const VP8StatusCode status = WebPGetFeatures(m_bytes.data(), m_bytes.size(), &m_features);
        if (status != VP8_STATUS_OK)
            return PhotoProblem{PhotoFault::NoUsableSize, statusText(status)};
        return PhotoHeader{{m_features.width, m_features.height}};
    }

    std::optional<PhotoProblem> decode(PixelScaler& scaler) override
    {
        return m_features.has_animation ? decodeFirstFrame(scaler) : decodeStill(scaler);
    }

private:
    std::optional<PhotoProblem> decodeStill(PixelScaler& scaler) const
    {
        WebPDecoderConfig config;
        if (!WebPInitDecoderConfig(&config))
            return PhotoProblem{PhotoFault::Damaged, "libwebp is of another version"};
        config.output.colorspace = MODE_RGBA;
        const PhotoSize target = scaler.target();
        if (target.width <= m_features.width && target.height <= m_features.height &&
            target != PhotoSize{m_features.width, m_features.height}) {
            config.options.use_scaling = 1;
            config.options.scaled_width = target.width;
            config.options.scaled_height = target.height;
        }
        const VP8StatusCode status = WebPDecode(m_bytes.data(), m_bytes.size(), &config);
        const std::unique_ptr<WebPDecBuffer, decltype(&WebPFreeDecBuffer)> output(&config.output, WebPFreeDecBuffer);
        if (status != VP8_STATUS_OK)
            return PhotoProblem{PhotoFault::Damaged, statusText(status)};
        const WebPRGBABuffer& rgba = config.output.u.RGBA;
        addRows(scaler, {config.output.width, config.output.height}, rgba.rgba, rgba.stride);
        return std::nullopt;
    }

    std::optional<PhotoProblem> decodeFirstFrame(PixelScaler& scaler) const
    {
        WebPAnimDecoderOptions options;
        if (!WebPAnimDecoderOptionsInit(&options))
            return PhotoProblem{PhotoFault::Damaged, "libwebp is of another version"};
        options.color_mode = MODE_RGBA;
        const WebPData data{m_bytes.data(), m_bytes.size()};
        const std::unique_ptr<WebPAnimDecoder, decltype(&WebPAnimDecoderDelete)> animation(
            WebPAnimDecoderNew(&data, &options), WebPAnimDecoderDelete);
        WebPAnimInfo info;
        std::uint8_t* canvas = nullptr;
        int timestamp = 0;
        if (!animation || !WebPAnimDecoderGetInfo(animation.get(), &info) ||
            !WebPAnimDecoderGetNext(animation.get(), &canvas, &timestamp))
            return PhotoProblem{PhotoFault::Damaged, "invalid animation"};
        const PhotoSize size{static_cast<int>(info.canvas_width), static_cast<int>(info.canvas_height)};
        addRows(scaler, size, canvas, size.width * 4);
        return std::nullopt;
    }

    std::span<const std::uint8_t> m_bytes;
    WebPBitstreamFeatures m_features{};
};

} // namespace

std::unique_ptr<PhotoDecoder> makeWebpDecoder(std::span<const std::uint8_t> bytes)
{
    return std::make_unique<WebpDecoder>(bytes);
}

} // namespace talvane::picture
