#include "core/picture/PhotoDecoder.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <string>
#include <vector>

namespace talvane::picture {
namespace {

// libpng's low-level reader, so that rows reach the scaler one at a time (an interlaced
// picture, whose rows come in passes, is read whole first). libpng reports errors by
// jumping back to where a step started: a step holds nothing that needs destroying.
class PngDecoder final : public PhotoDecoder {
public:
    PngDecoder(std::span<const std::uint8_t> bytes, const PhotoLimits& limits) : m_bytes(bytes), m_limits(limits)
    {
        m_png = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, onError, onWarning);
        if (m_png)
            m_info = png_create_info_struct(m_png);
    }
    ~PngDecoder() override { png_destroy_read_struct(&m_png, &m_info, nullptr); }

    std::variant<PhotoHeader, PhotoProblem> readHeader() override
    {
        if (!m_info)
            return PhotoProblem{PhotoFault::Damaged};
        png_set_read_fn(m_png, this, readBytes);
        png_set_user_limits(m_png, static_cast<png_uint_32>(m_limits.maxSide), static_cast<png_uint_32>(m_limits.maxSide));
        if (!run(readInfo))
            return PhotoProblem{PhotoFault::NoUsableSize, m_error};
        return PhotoHeader{size()};
    }

    std::optional<PhotoProblem> decode(PixelScaler& scaler) override
    {
        m_scaler = &scaler;
        if (!run(chooseLayout))
            return PhotoProblem{PhotoFault::Damaged, m_error};
        const std::size_t rowBytes = png_get_rowbytes(m_png, m_info);
        const int height = size().height;
        if (png_get_bit_depth(m_png, m_info) != 8 || png_get_channels(m_png, m_info) != 4)
            return PhotoProblem{PhotoFault::Damaged, "unexpected pixel layout"};
        scaler.start(size(), PixelLayout::Rgba);
        m_pixels.resize(rowBytes * (m_interlaced ? static_cast<std::size_t>(height) : 1));
        for (int y = 0; m_interlaced && y < height; ++y)
            m_rows.push_back(&m_pixels[static_cast<std::size_t>(y) * rowBytes]);
        if (!run(readRows))
            return PhotoProblem{PhotoFault::Damaged, m_error};
        for (png_bytep row : m_rows)
            scaler.addRow(row);
        return std::nullopt;
    }

private:
    PhotoSize size() const
    {
        return {static_cast<int>(png_get_image_width(m_png, m_info)), static_cast<int>(png_get_image_height(m_png, m_info))};
    }

    bool run(void (*step)(PngDecoder&))
    {
        if (setjmp(png_jmpbuf(m_png)))
            return false;
        step(*this);
        return true;
    }

    static void readInfo(PngDecoder& self) { png_read_info(self.m_png, self.m_info); }

    // Every picture becomes red, green, blue and alpha of 8 bits: palettes, grey, low bit
    // depths and transparent colours alike. The scaler makes grey as for every format.
    static void chooseLayout(PngDecoder& self)
    {
        png_structp png = self.m_png;
        png_set_expand(png);
        png_set_scale_16(png);
        png_set_gray_to_rgb(png);
        png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
        self.m_interlaced = png_set_interlace_handling(png) > 1;
        png_read_update_info(png, self.m_info);
    }

    static void readRows(PngDecoder& self)
    {
        if (self.m_interlaced) {
            png_read_image(self.m_png, self.m_rows.data());
            return;
        }
        const auto height = png_get_image_height(self.m_png, self.m_info);
        for (png_uint_32 y = 0; y < height; ++y) {
            png_read_row(self.m_png, self.m_pixels.data(), nullptr);
            self.m_scaler->addRow(self.m_pixels.data());
        }
    }

    static void readBytes(png_structp png, png_bytep out, std::size_t count)
    {
        auto& self = *static_cast<PngDecoder*>(png_get_io_ptr(png));
        if (count > self.m_bytes.size() - self.m_read)
            png_error(png, "the file ends before its picture");
        std::memcpy(out, self.m_bytes.data() + self.m_read, count);
        self.m_read += count;
    }

    static void onError(png_structp png, png_const_charp message)
    {
        static_cast<PngDecoder*>(png_get_error_ptr(png))->m_error = message;
        png_longjmp(png, 1);
    }
    static void onWarning(png_structp, png_const_charp) {}

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_read = 0;
    PhotoLimits m_limits;
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
    std::string m_error;
    PixelScaler* m_scaler = nullptr;
    bool m_interlaced = false;
    std::vector<std::uint8_t> m_pixels;
    std::vector<png_bytep> m_rows;
};

} // namespace

std::unique_ptr<PhotoDecoder> makePngDecoder(std::span<const std::uint8_t> bytes, const PhotoLimits& limits)
{
    return std::make_unique<PngDecoder>(bytes, limits);
}

} // namespace talvane::picture
