#include "ui/album/BitmapFileWriter.h"

#include <QImage>
#include <QPainter>

#include <cstdint>

namespace {

constexpr std::uint32_t kHeadersSize = 14 + 40;
constexpr std::uint32_t kPixelsPerMetre = 2835; // 72 dots per inch

void putLe(QByteArray& out, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        out.append(static_cast<char>(value >> (8 * i) & 0xFF));
}

QImage opaqueRgb(const QImage& picture)
{
    if (!picture.hasAlphaChannel())
        return picture.convertToFormat(QImage::Format_RGB888);
    QImage canvas(picture.size(), QImage::Format_RGB888);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.drawImage(0, 0, picture);
    painter.end();
    return canvas;
}

} // namespace

QByteArray encodeBitmap24(const QImage& picture)
{
    const QImage rgb = opaqueRgb(picture);
    const auto width = static_cast<std::uint32_t>(rgb.width());
    const auto height = static_cast<std::uint32_t>(rgb.height());
    const std::uint32_t rowSize = (3 * width + 3) & ~3u;
    const std::uint32_t pixelsSize = rowSize * height;

    QByteArray out;
    out.reserve(static_cast<qsizetype>(kHeadersSize + pixelsSize));
    out.append("BM");
    putLe(out, kHeadersSize + pixelsSize, 4);
    putLe(out, 0, 4);
    putLe(out, kHeadersSize, 4);
    for (std::uint32_t field : {40u, width, height})
        putLe(out, field, 4);
    putLe(out, 1, 2);
    putLe(out, 24, 2);
    for (std::uint32_t field : {0u, pixelsSize, kPixelsPerMetre, kPixelsPerMetre, 0u, 0u})
        putLe(out, field, 4);

    const QByteArray padding(static_cast<qsizetype>(rowSize - 3 * width), '\0');
    for (int y = rgb.height() - 1; y >= 0; --y) {
        const uchar* rgbRow = rgb.constScanLine(y);
        for (std::uint32_t x = 0; x < width; ++x) {
            const uchar* pixel = rgbRow + 3 * x;
            out.append(static_cast<char>(pixel[2]));
            out.append(static_cast<char>(pixel[1]));
            out.append(static_cast<char>(pixel[0]));
        }
        out.append(padding);
    }
    return out;
}
