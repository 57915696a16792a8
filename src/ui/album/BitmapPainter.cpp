#include "ui/album/BitmapPainter.h"

#include "core/picture/WinBmp.h"

#include <QList>
#include <QPainter>

#include <cstring>

using namespace talvane::picture;

QImage bitmapToImage(const CWinBmp& bitmap)
{
    if (bitmap.isEmpty())
        return {};
    const int width = bitmap.GetWidth();
    const int height = bitmap.GetHeight();
    std::uint8_t* const* lines = bitmap.getLines();

    if (bitmap.getBitsPerPixel() == 8) {
        QImage image(width, height, QImage::Format_Indexed8);
        QList<QRgb> colors;
        const PaletteEntry* table = bitmap.getColorTable();
        for (int i = 0; i < 256; ++i)
            colors.append(qRgb(table[i].red, table[i].green, table[i].blue));
        image.setColorTable(colors);
        for (int line = 0; line < height && !image.isNull(); ++line)
            std::memcpy(image.scanLine(line), lines[line], static_cast<std::size_t>(width));
        return image;
    }

    QImage image(width, height, QImage::Format_RGB32);
    for (int line = 0; line < height && !image.isNull(); ++line) {
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(line));
        const std::uint8_t* bgra = lines[line];
        for (int x = 0; x < width; ++x, bgra += 4)
            target[x] = qRgb(bgra[2], bgra[1], bgra[0]);
    }
    return image;
}

void drawBitmap(QPainter& painter, const CWinBmp& bitmap, int x, int y)
{
    const QImage image = bitmapToImage(bitmap);
    if (!image.isNull())
        painter.drawImage(QPoint(x, y), image);
}
