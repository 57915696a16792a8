#include "core/picture/PhotoDecoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace talvane::picture {
namespace {

// giflib names only the errors it knows; some failures leave no code at all.
std::string errorText(int code)
{
    const char* text = GifErrorString(code);
    return text ? text : "invalid picture data";
}

// The first picture of a GIF, drawn on its logical screen as browsers show it before
// any animation; the rest of the screen stays transparent.
class GifDecoder final : public PhotoDecoder {
public:
    GifDecoder(std::span<const std::uint8_t> bytes, const PhotoLimits& limits) : m_bytes(bytes), m_limits(limits) {}
    ~GifDecoder() override
    {
        if (m_gif)
            DGifCloseFile(m_gif, nullptr);
    }

    std::variant<PhotoHeader, PhotoProblem> readHeader() override
    {
        int error = 0;
        m_gif = DGifOpen(this, readBytes, &error);
        if (!m_gif)
            return PhotoProblem{PhotoFault::NoUsableSize, errorText(error)};
        m_screen = {m_gif->SWidth, m_gif->SHeight};
        return PhotoHeader{m_screen};
    }

    std::optional<PhotoProblem> decode(PixelScaler& scaler) override
    {
        for (;;) {
            GifRecordType type = UNDEFINED_RECORD_TYPE;
            if (DGifGetRecordType(m_gif, &type) == GIF_ERROR)
                return damaged();
            if (type == TERMINATE_RECORD_TYPE)
                return PhotoProblem{PhotoFault::Damaged, "the file holds no picture"};
            if (type == IMAGE_DESC_RECORD_TYPE)
                return readFirstPicture(scaler);
            if (type == EXTENSION_RECORD_TYPE && !readExtension())
                return damaged();
        }
    }

private:
    PhotoProblem damaged() const { return {PhotoFault::Damaged, errorText(m_gif->Error)}; }

    // A graphic control extension says which colour of the next picture is transparent.
    bool readExtension()
    {
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(m_gif, &code, &block) == GIF_ERROR)
            return false;
        if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
            m_transparent = (block[1] & 1) ? block[4] : NO_TRANSPARENT_COLOR;
        while (block)
            if (DGifGetExtensionNext(m_gif, &block) == GIF_ERROR)
                return false;
        return true;
    }

    std::optional<PhotoProblem> readFirstPicture(PixelScaler& scaler)
    {
        if (DGifGetImageDesc(m_gif) == GIF_ERROR)
            return damaged();
        const GifImageDesc& picture = m_gif->Image;
        m_colours = picture.ColorMap ? picture.ColorMap : m_gif->SColorMap;
        const PhotoSize size{picture.Width, picture.Height};
        if (!m_colours || size.width <= 0 || size.height <= 0)
            return PhotoProblem{PhotoFault::Damaged, "the picture has no colours or no size"};
        if (size.pixels() > m_limits.maxPixels)
            return PhotoProblem{PhotoFault::TooManyPixels};
        m_indices.resize(size.pixels());
        // Interlaced rows come in four passes: every eighth from 0, from 4, every fourth
        // from 2, every second from 1.
        static constexpr int kStarts[] = {0, 4, 2, 1}, kSteps[] = {8, 8, 4, 2};
        for (int pass = 0; pass < (picture.Interlace ? 4 : 1); ++pass) {
            const int start = picture.Interlace ? kStarts[pass] : 0, step = picture.Interlace ? kSteps[pass] : 1;
            for (int y = start; y < size.height; y += step)
                if (DGifGetLine(m_gif, &m_indices[static_cast<std::size_t>(y) * static_cast<std::size_t>(size.width)],
                                size.width) == GIF_ERROR)
                    return damaged();
        }
        drawOnScreen(scaler, picture);
        return std::nullopt;
    }

    void drawOnScreen(PixelScaler& scaler, const GifImageDesc& picture) const
    {
        scaler.start(m_screen, PixelLayout::Rgba);
        std::vector<std::uint8_t> row(static_cast<std::size_t>(m_screen.width) * 4);
        const int left = std::max(0, picture.Left), right = std::min(m_screen.width, picture.Left + picture.Width);
        for (int y = 0; y < m_screen.height; ++y) {
            std::fill(row.begin(), row.end(), 0);
            const int line = y - picture.Top;
            for (int x = left; line >= 0 && line < picture.Height && x < right; ++x) {
                const int index = m_indices[static_cast<std::size_t>(line) * static_cast<std::size_t>(picture.Width) +
                                            static_cast<std::size_t>(x - picture.Left)];
                if (index == m_transparent || index >= m_colours->ColorCount)
                    continue;
                const GifColorType& colour = m_colours->Colors[index];
                std::uint8_t* pixel = &row[static_cast<std::size_t>(x) * 4];
                pixel[0] = colour.Red;
                pixel[1] = colour.Green;
                pixel[2] = colour.Blue;
                pixel[3] = 255;
            }
            scaler.addRow(row.data());
        }
    }

    static int readBytes(GifFileType* gif, GifByteType* out, int count)
    {
        auto& self = *static_cast<GifDecoder*>(gif->UserData);
        const std::size_t given = std::min(static_cast<std::size_t>(std::max(count, 0)), self.m_bytes.size() - self.m_read);
        std::memcpy(out, self.m_bytes.data() + self.m_read, given);
        self.m_read += given;
        return static_cast<int>(given);
    }

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_read = 0;
    PhotoLimits m_limits;
    GifFileType* m_gif = nullptr;
    PhotoSize m_screen;
    int m_transparent = NO_TRANSPARENT_COLOR;
    const ColorMapObject* m_colours = nullptr;
    std::vector<GifPixelType> m_indices;
};

} // namespace

std::unique_ptr<PhotoDecoder> makeGifDecoder(std::span<const std::uint8_t> bytes, const PhotoLimits& limits)
{
    return std::make_unique<GifDecoder>(bytes, limits);
}

} // namespace talvane::picture
