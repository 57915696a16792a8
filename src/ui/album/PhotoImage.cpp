#include "ui/album/PhotoImage.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

bool isOpaque(const std::vector<std::uint8_t>& rgba)
{
    for (std::size_t alpha = 3; alpha < rgba.size(); alpha += 4)
        if (rgba[alpha] != 255)
            return false;
    return true;
}

} // namespace

QImage imageOfPixels(talvane::picture::PhotoPixels pixels)
{
    using talvane::picture::PixelLayout;
    const bool grey = pixels.layout == PixelLayout::Grey;
    auto* bytes = new std::vector<std::uint8_t>(std::move(pixels.bytes));
    // Opaque pictures say so, so that painting and saving skip their alpha.
    const QImage::Format format = grey ? QImage::Format_Grayscale8
                                  : isOpaque(*bytes) ? QImage::Format_RGBX8888
                                                     : QImage::Format_RGBA8888;
    const qsizetype rowBytes = qsizetype{pixels.size.width} * talvane::picture::channelsOf(pixels.layout);
    return QImage(
        bytes->data(), pixels.size.width, pixels.size.height, rowBytes, format,
        [](void* owned) { delete static_cast<std::vector<std::uint8_t>*>(owned); }, bytes);
}
