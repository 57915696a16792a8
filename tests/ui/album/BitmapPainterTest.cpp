#include "ui/album/BitmapPainter.h"

#include "core/picture/WinBmp.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <cstring>

using namespace talvane::picture;

namespace {

// A 32-bit picture whose pixel (x, line) is blue x, green line, red 7, with
// an alpha byte of 0 that drawing must ignore.
void fillCoded(CWinBmp& bitmap, int width, int height)
{
    bitmap.Create(width, height, 32, false);
    for (int line = 0; line < height; ++line)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t pixel[4] = {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(line), 7, 0};
            std::memcpy(bitmap.getLines()[line] + 4 * x, pixel, 4);
        }
}

} // namespace

TEST(BitmapPainter, DrawsAtItsOwnSizeAtTheGivenCornerIgnoringAlpha)
{
    CWinBmp bitmap;
    fillCoded(bitmap, 100, 50);
    const QRgb background = qRgb(200, 10, 250);
    QImage target(140, 90, QImage::Format_ARGB32_Premultiplied);
    target.fill(background);
    {
        QPainter painter(&target);
        drawBitmap(painter, bitmap, 10, 20);
    }
    for (int y = 0; y < target.height(); ++y) {
        for (int x = 0; x < target.width(); ++x) {
            const bool inside = x >= 10 && x < 110 && y >= 20 && y < 70;
            const QRgb expected = inside ? qRgb(7, y - 20, x - 10) : background;
            ASSERT_EQ(target.pixel(x, y), expected) << x << ", " << y;
        }
    }
}

TEST(BitmapPainter, EightBitPicturesGoThroughTheirColourTable)
{
    CWinBmp bitmap;
    bitmap.Create(3, 2, 8, false);
    PaletteEntry palette[256] = {};
    palette[1] = {10, 20, 30, 0};
    palette[200] = {40, 50, 60, 0};
    bitmap.SetPalette(palette);
    const std::uint8_t top[3] = {1, 200, 0};
    const std::uint8_t bottom[3] = {200, 0, 1};
    std::memcpy(bitmap.getLines()[0], top, 3);
    std::memcpy(bitmap.getLines()[1], bottom, 3);

    const QImage image = bitmapToImage(bitmap).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(image.size(), QSize(3, 2));
    EXPECT_EQ(image.pixel(0, 0), qRgb(30, 20, 10));
    EXPECT_EQ(image.pixel(1, 0), qRgb(60, 50, 40));
    EXPECT_EQ(image.pixel(2, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(0, 1), qRgb(60, 50, 40));
    EXPECT_EQ(image.pixel(2, 1), qRgb(30, 20, 10));
}

TEST(BitmapPainter, AnEmptyBitmapDrawsNothing)
{
    CWinBmp bitmap;
    bitmap.ReleaseBitmap();
    EXPECT_TRUE(bitmapToImage(bitmap).isNull());
    QImage target(20, 20, QImage::Format_RGB32);
    target.fill(Qt::white);
    const QImage before = target;
    {
        QPainter painter(&target);
        drawBitmap(painter, bitmap, 0, 0);
    }
    EXPECT_EQ(target, before);
}
