#include "core/picture/PhotoDecoder.h"

#include <tiffio.h>

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace talvane::picture {
namespace {

// libtiff's RGBA reader packs red into the lowest byte of each pixel.
static_assert(std::endian::native == std::endian::little, "TIFF pixels are read as bytes in memory order");

// Pictures with an alpha channel come from libtiff premultiplied; the scaler takes them
// straight.
void unpremultiply(std::uint8_t* rgba, int width)
{
    for (int x = 0; x < width; ++x, rgba += 4)
        for (int c = 0; c < 3 && rgba[3] != 0 && rgba[3] != 255; ++c)
            rgba[c] = static_cast<std::uint8_t>(std::min(255, rgba[c] * 255 / rgba[3]));
}

// libtiff's RGBA reader, which knows every photometric interpretation and compression
// its build does, reading a band of rows at a time: as many as a strip or a tile holds.
class TiffDecoder final : public PhotoDecoder {
public:
    TiffDecoder(std::span<const std::uint8_t> bytes, const PhotoLimits& limits) : m_bytes(bytes), m_limits(limits) {}
    ~TiffDecoder() override
    {
        if (m_tiff)
            TIFFClose(m_tiff);
    }

    std::variant<PhotoHeader, PhotoProblem> readHeader() override
    {
        const std::unique_ptr<TIFFOpenOptions, decltype(&TIFFOpenOptionsFree)> options(TIFFOpenOptionsAlloc(),
                                                                                        TIFFOpenOptionsFree);
        TIFFOpenOptionsSetErrorHandlerExtR(options.get(), onMessage, &m_error);
        TIFFOpenOptionsSetWarningHandlerExtR(options.get(), onMessage, nullptr);
        TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), static_cast<tmsize_t>(m_limits.maxPixels * 8));
        // "m": no mapping, libtiff reads through the procedures below.
        m_tiff = TIFFClientOpenExt("photo", "rm", this, readBytes, writeBytes, seekBytes, closeBytes, sizeOfBytes,
                                   mapBytes, unmapBytes, options.get());
        std::uint32_t width = 0, height = 0;
        if (!m_tiff || !TIFFGetField(m_tiff, TIFFTAG_IMAGEWIDTH, &width) || !TIFFGetField(m_tiff, TIFFTAG_IMAGELENGTH, &height))
            return PhotoProblem{PhotoFault::NoUsableSize, m_error};
        const auto side = [](std::uint32_t length) { return static_cast<int>(std::min<std::uint32_t>(length, INT_MAX)); };
        return PhotoHeader{{side(width), side(height)}};
    }

    std::optional<PhotoProblem> decode(PixelScaler& scaler) override
    {
        char message[1024] = "";
        if (!TIFFRGBAImageOK(m_tiff, message))
            return PhotoProblem{PhotoFault::NoDecoder, message};
        TIFFRGBAImage image;
        if (!TIFFRGBAImageBegin(&image, m_tiff, 0, message))
            return PhotoProblem{PhotoFault::Damaged, message};
        const std::unique_ptr<TIFFRGBAImage, decltype(&TIFFRGBAImageEnd)> reading(&image, TIFFRGBAImageEnd);
        // The rows as stored, top first: the EXIF orientation, which is the TIFF's own
        // tag, turns them once, as it does every other format.
        image.req_orientation = image.orientation;
        const PhotoSize size{static_cast<int>(image.width), static_cast<int>(image.height)};
        const int band = rowsPerBand(size.height);
        std::vector<std::uint32_t> raster(static_cast<std::size_t>(size.width) * static_cast<std::size_t>(band));
        scaler.start(size, PixelLayout::Rgba);
        for (int top = 0; top < size.height; top += band) {
            const int rows = std::min(band, size.height - top);
            image.row_offset = top;
            image.col_offset = 0;
            if (!TIFFRGBAImageGet(&image, raster.data(), image.width, static_cast<std::uint32_t>(rows)))
                return PhotoProblem{PhotoFault::Damaged, m_error};
            for (int y = 0; y < rows; ++y) {
                auto* row = reinterpret_cast<std::uint8_t*>(&raster[static_cast<std::size_t>(y * size.width)]);
                if (image.alpha != 0)
                    unpremultiply(row, size.width);
                scaler.addRow(row);
            }
        }
        return std::nullopt;
    }

private:
    int rowsPerBand(int height) const
    {
        std::uint32_t rows = 0;
        if (TIFFIsTiled(m_tiff))
            TIFFGetField(m_tiff, TIFFTAG_TILELENGTH, &rows);
        else
            TIFFGetFieldDefaulted(m_tiff, TIFFTAG_ROWSPERSTRIP, &rows);
        return static_cast<int>(std::clamp<std::uint32_t>(rows, 1, static_cast<std::uint32_t>(height)));
    }

    static int onMessage(TIFF*, void* error, const char*, const char* format, va_list arguments)
    {
        if (error) {
            char text[512];
            std::vsnprintf(text, sizeof text, format, arguments);
            *static_cast<std::string*>(error) = text;
        }
        return 1;
    }

    static tmsize_t readBytes(thandle_t handle, void* out, tmsize_t count)
    {
        auto& self = *static_cast<TiffDecoder*>(handle);
        const std::size_t left = self.m_read < self.m_bytes.size() ? self.m_bytes.size() - self.m_read : 0;
        const std::size_t given = std::min(static_cast<std::size_t>(std::max<tmsize_t>(count, 0)), left);
        std::memcpy(out, self.m_bytes.data() + self.m_read, given);
        self.m_read += given;
        return static_cast<tmsize_t>(given);
    }
    static tmsize_t writeBytes(thandle_t, void*, tmsize_t) { return -1; }
    static toff_t seekBytes(thandle_t handle, toff_t offset, int whence)
    {
        auto& self = *static_cast<TiffDecoder*>(handle);
        const toff_t base = whence == SEEK_CUR ? self.m_read : whence == SEEK_END ? self.m_bytes.size() : 0;
        self.m_read = static_cast<std::size_t>(base + offset);
        return self.m_read;
    }
    static int closeBytes(thandle_t) { return 0; }
    static toff_t sizeOfBytes(thandle_t handle) { return static_cast<TiffDecoder*>(handle)->m_bytes.size(); }
    static int mapBytes(thandle_t, void**, toff_t*) { return 0; }
    static void unmapBytes(thandle_t, void*, toff_t) {}

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_read = 0;
    PhotoLimits m_limits;
    TIFF* m_tiff = nullptr;
    std::string m_error;
};

} // namespace

std::unique_ptr<PhotoDecoder> makeTiffDecoder(std::span<const std::uint8_t> bytes, const PhotoLimits& limits)
{
    return std::make_unique<TiffDecoder>(bytes, limits);
}

} // namespace talvane::picture
