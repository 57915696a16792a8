#include "support/core/BmpTestFiles.h"

#include "core/picture/TextException.h"
#include "core/picture/WinBmp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>

using namespace talvane::picture;

namespace {

std::uint32_t headerField(const CWinBmp& bitmap, std::size_t offset, int nBytes)
{
    std::uint32_t value = 0;
    for (int i = 0; i < nBytes; ++i)
        value |= std::uint32_t{bitmap.getInfo()[offset + i]} << (8 * i);
    return value;
}

// Create must throw code 9 with the text and leave the picture it held.
void expectRefused(CWinBmp& bitmap, std::int32_t width, std::int32_t height, std::uint16_t bpp, const std::string& text)
{
    const PixelSize before = bitmap.GetSize();
    const std::uint8_t* block = bitmap.getInfo();
    try {
        bitmap.Create(width, height, bpp, false);
        ADD_FAILURE() << width << " x " << height << " x " << bpp << " was accepted";
    } catch (const CTextException& e) {
        EXPECT_EQ(e.GetCode(), 9) << width << " x " << height << " x " << bpp;
        EXPECT_EQ(e.GetText(), text);
    }
    EXPECT_EQ(bitmap.GetSize(), before);
    EXPECT_EQ(bitmap.getInfo(), block);
}

} // namespace

TEST(WinBmp, StartsAsSixteenBySixteenGreyRampWithClearedPixels)
{
    const CWinBmp bitmap;
    EXPECT_EQ(bitmap.GetSize(), (PixelSize{16, 16}));
    EXPECT_EQ(bitmap.getBitsPerPixel(), 8);
    EXPECT_FALSE(bitmap.hasAlpha());
    EXPECT_EQ(bitmap.getBlockSize(), 40u + 1024u + 16u * 16u);

    EXPECT_EQ(headerField(bitmap, 0, 4), 40u);
    EXPECT_EQ(headerField(bitmap, 4, 4), 16u);
    EXPECT_EQ(headerField(bitmap, 8, 4), 16u);
    EXPECT_EQ(headerField(bitmap, 12, 2), 1u);
    EXPECT_EQ(headerField(bitmap, 14, 2), 8u);
    for (std::size_t offset = 16; offset < 40; offset += 4)
        EXPECT_EQ(headerField(bitmap, offset, 4), 0u) << "header offset " << offset;

    const PaletteEntry* table = bitmap.getColorTable();
    ASSERT_EQ(reinterpret_cast<const std::uint8_t*>(table), bitmap.getInfo() + 40);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(table[i].blue, i);
        EXPECT_EQ(table[i].green, i);
        EXPECT_EQ(table[i].red, i);
        EXPECT_EQ(table[i].alpha, 255);
    }
    EXPECT_EQ(bitmap.getBits(), bitmap.getInfo() + 40 + 1024);
    EXPECT_TRUE(std::all_of(bitmap.getBits(), bitmap.getBits() + 256, [](std::uint8_t b) { return b == 0; }));
}

TEST(WinBmp, LineSizesBlockLayoutAndLineTable)
{
    CWinBmp bitmap;
    bitmap.Create(5, 3, 8, true);
    EXPECT_EQ(bitmap.GetLineSize(), 8u);
    EXPECT_EQ(bitmap.getBlockSize(), 40u + 1024u + 8u * 3u);
    EXPECT_TRUE(bitmap.hasAlpha());
    bitmap.Create(1, 2, 8, false);
    EXPECT_EQ(bitmap.GetLineSize(), 4u);

    bitmap.Create(5, 3, 32, false);
    EXPECT_EQ(bitmap.GetLineSize(), 20u);
    EXPECT_EQ(bitmap.getColorTable(), nullptr);
    EXPECT_EQ(bitmap.getBlockSize(), 40u + 20u * 3u);
    EXPECT_EQ(bitmap.getBits(), bitmap.getInfo() + 40);
    EXPECT_EQ(headerField(bitmap, 4, 4), 5u);
    EXPECT_EQ(headerField(bitmap, 8, 4), 3u);
    EXPECT_EQ(headerField(bitmap, 14, 2), 32u);

    // Line 0 is the top line, the last row stored in the block.
    EXPECT_EQ(bitmap.getLines()[0], bitmap.getBits() + 2 * 20);
    EXPECT_EQ(bitmap.getLines()[1], bitmap.getBits() + 20);
    EXPECT_EQ(bitmap.getLines()[2], bitmap.getBits());
    EXPECT_EQ(bitmap.getLines()[0] + 20, bitmap.getInfo() + bitmap.getBlockSize());
}

TEST(WinBmp, SameBlockSizeKeepsTheBlockAndPaletteIsCopiedForEightBitsOnly)
{
    CWinBmp bitmap;
    bitmap.Create(7, 5, 8, false);
    const std::uint8_t* block = bitmap.getInfo();
    // 8 x 5 lines of 8 bytes: the same block, described anew.
    bitmap.Create(5, 5, 8, false);
    EXPECT_EQ(bitmap.getInfo(), block);
    EXPECT_EQ(bitmap.GetSize(), (PixelSize{5, 5}));
    EXPECT_EQ(bitmap.getInfo()[4], 5);
    EXPECT_EQ(bitmap.getLines()[0], bitmap.getBits() + 4 * 8);

    PaletteEntry palette[256];
    for (int i = 0; i < 256; ++i)
        palette[i] = {static_cast<std::uint8_t>(i), 1, static_cast<std::uint8_t>(255 - i), 7};
    bitmap.SetPalette(palette);
    EXPECT_EQ(std::memcmp(bitmap.getColorTable(), palette, sizeof palette), 0);

    bitmap.Create(2, 2, 32, false);
    bitmap.SetPalette(palette);
    EXPECT_EQ(bitmap.getColorTable(), nullptr);
    EXPECT_EQ(bitmap.getBlockSize(), 40u + 16u);
}

TEST(WinBmp, BlocksAboveEightMebibytesAreRefusedAndTheOldPictureStays)
{
    CWinBmp bitmap;
    bitmap.Create(1448, 1448, 32, false);
    EXPECT_EQ(bitmap.getBlockSize(), 8'386'856u);
    expectRefused(bitmap, 1449, 1449, 32, "Bitmap size too large.\n");

    // 40 + 1024 + 4 x 2,096,886 is exactly 8,388,608 bytes.
    bitmap.Create(4, 2'096'886, 8, false);
    EXPECT_EQ(bitmap.getBlockSize(), CWinBmp::kMaxBlockSize);
    expectRefused(bitmap, 4, 2'096'887, 8, "Bitmap size too large.\n");
    expectRefused(bitmap, 5, 2'096'886, 8, "Bitmap size too large.\n");
    EXPECT_EQ(bitmap.GetSize(), (PixelSize{4, 2'096'886}));
}

TEST(WinBmp, SizesWhoseProductsWouldWrapAreRefused)
{
    CWinBmp bitmap;
    bitmap.Create(3, 2, 32, false);
    const auto maxInt = std::numeric_limits<std::int32_t>::max();
    expectRefused(bitmap, 65536, 65536, 32, "Bitmap size too large.\n");
    expectRefused(bitmap, 0x20000000, 2, 32, "Bitmap size too large.\n");
    expectRefused(bitmap, 0x40000001, 1, 32, "Bitmap size too large.\n");
    expectRefused(bitmap, maxInt, maxInt, 32, "Bitmap size too large.\n");
    expectRefused(bitmap, 1, maxInt, 8, "Bitmap size too large.\n");
    EXPECT_EQ(bitmap.GetLineSize(), 12u);
}

TEST(WinBmp, WidthHeightBelowOneAndUnstoredDepthsAreRefused)
{
    CWinBmp bitmap;
    const std::string invalid = "Bitmap width, height or depth invalid.\n";
    expectRefused(bitmap, 0, 5, 32, invalid);
    expectRefused(bitmap, 5, 0, 8, invalid);
    expectRefused(bitmap, -1, 5, 32, invalid);
    expectRefused(bitmap, 5, std::numeric_limits<std::int32_t>::min(), 32, invalid);
    for (std::uint16_t bpp : {0, 1, 4, 16, 24, 64})
        expectRefused(bitmap, 4, 4, bpp, invalid);
    EXPECT_EQ(bitmap.getBitsPerPixel(), 8);
}

TEST(WinBmp, ReleaseLeavesAnEmptyBitmapThatCanBeCreatedAgain)
{
    CWinBmp bitmap;
    bitmap.ReleaseBitmap();
    EXPECT_TRUE(bitmap.isEmpty());
    EXPECT_EQ(bitmap.getInfo(), nullptr);
    EXPECT_EQ(bitmap.getColorTable(), nullptr);
    EXPECT_EQ(bitmap.GetSize(), (PixelSize{0, 0}));
    bitmap.Create(2, 3, 32, false);
    EXPECT_FALSE(bitmap.isEmpty());
    EXPECT_EQ(bitmap.GetSize(), (PixelSize{2, 3}));
}
