#include "core/picture/JpegEnd.h"
#include "core/picture/PhotoDecoder.h"

#include <turbojpeg.h>

#include <string_view>
#include <vector>

namespace talvane::picture {
namespace {

// The smallest of libjpeg-turbo's reductions that still gives at least the target: a
// large photo is never decoded whole for a small picture.
tjscalingfactor reductionFor(PhotoSize size, PhotoSize target)
{
    int count = 0;
    const tjscalingfactor* factors = tjGetScalingFactors(&count);
    tjscalingfactor best{1, 1};
    for (int i = 0; factors && i < count; ++i) {
        const tjscalingfactor factor = factors[i];
        const PhotoSize reduced{TJSCALED(size.width, factor), TJSCALED(size.height, factor)};
        if (factor.num <= factor.denom && reduced.width >= target.width && reduced.height >= target.height &&
            reduced.pixels() < PhotoSize{TJSCALED(size.width, best), TJSCALED(size.height, best)}.pixels())
            best = factor;
    }
    return best;
}

// A CMYK JPEG as Adobe's programs write it, with its inks inverted; its colours as Qt
// has always shown them.
void cmykToRgba(const std::uint8_t* cmyk, std::uint8_t* rgba, int width)
{
    for (int x = 0; x < width; ++x, cmyk += 4, rgba += 4) {
        const unsigned black = cmyk[3];
        for (int c = 0; c < 3; ++c)
            rgba[c] = static_cast<std::uint8_t>(black * cmyk[c] / 255);
        rgba[3] = 255;
    }
}

class JpegDecoder final : public PhotoDecoder {
public:
    explicit JpegDecoder(std::span<const std::uint8_t> bytes) : m_bytes(bytes), m_handle(tjInitDecompress(), tjDestroy) {}

    std::variant<PhotoHeader, PhotoProblem> readHeader() override
    {
        int subsampling = 0;
        if (!m_handle || tjDecompressHeader3(m_handle.get(), m_bytes.data(), m_bytes.size(), &m_size.width,
                                             &m_size.height, &subsampling, &m_colourspace) != 0)
            return PhotoProblem{PhotoFault::NoUsableSize, tjGetErrorStr2(m_handle.get())};
        const std::string_view file(reinterpret_cast<const char*>(m_bytes.data()), m_bytes.size());
        return PhotoHeader{m_size, jpegReachesItsEnd(file)};
    }

    std::optional<PhotoProblem> decode(PixelScaler& scaler) override
    {
        const tjscalingfactor factor = reductionFor(m_size, scaler.target());
        const PhotoSize decoded{TJSCALED(m_size.width, factor), TJSCALED(m_size.height, factor)};
        const bool cmyk = m_colourspace == TJCS_CMYK || m_colourspace == TJCS_YCCK;
        const bool grey = !cmyk && scaler.layout() == PixelLayout::Grey;
        const int format = cmyk ? TJPF_CMYK : grey ? TJPF_GRAY : TJPF_RGBA;
        const auto rowBytes = static_cast<std::size_t>(decoded.width) * static_cast<std::size_t>(tjPixelSize[format]);
        std::vector<std::uint8_t> pixels(rowBytes * static_cast<std::size_t>(decoded.height));
        // A photo whose last lines are missing still shows what it has, the rest grey:
        // only a fatal error counts.
        if (tjDecompress2(m_handle.get(), m_bytes.data(), m_bytes.size(), pixels.data(), decoded.width, 0,
                          decoded.height, format, 0) != 0 &&
            tjGetErrorCode(m_handle.get()) == TJERR_FATAL)
            return PhotoProblem{PhotoFault::Damaged, tjGetErrorStr2(m_handle.get())};
        scaler.start(decoded, grey ? PixelLayout::Grey : PixelLayout::Rgba);
        std::vector<std::uint8_t> converted(cmyk ? rowBytes : 0);
        for (int y = 0; y < decoded.height; ++y) {
            const std::uint8_t* row = &pixels[static_cast<std::size_t>(y) * rowBytes];
            if (cmyk)
                cmykToRgba(row, converted.data(), decoded.width);
            scaler.addRow(cmyk ? converted.data() : row);
        }
        return std::nullopt;
    }

private:
    std::span<const std::uint8_t> m_bytes;
    std::unique_ptr<void, decltype(&tjDestroy)> m_handle;
    PhotoSize m_size;
    int m_colourspace = TJCS_RGB;
};

} // namespace

std::unique_ptr<PhotoDecoder> makeJpegDecoder(std::span<const std::uint8_t> bytes)
{
    return std::make_unique<JpegDecoder>(bytes);
}

} // namespace talvane::picture
