#include "support/core/BmpTestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

// Fills every pixel byte of the bitmap, padding included, as an earlier picture would.
void scribble(CWinBmp& bitmap)
{
    for (int line = 0; line < bitmap.GetHeight(); ++line)
        std::memset(bitmap.getLines()[line], 0xA5, bitmap.GetLineSize());
}

// The pixel bytes of every line, padding included, from line 0.
std::string lineBytes(const CWinBmp& bitmap)
{
    std::string bytes;
    for (int line = 0; line < bitmap.GetHeight(); ++line)
        bytes.append(reinterpret_cast<const char*>(bitmap.getLines()[line]), bitmap.GetLineSize());
    return bytes;
}

BmpFile picture(std::uint16_t bitCount, std::uint32_t compression, std::int32_t width, std::int32_t height)
{
    BmpFile file;
    file.width = width;
    file.height = height;
    file.bitCount = bitCount;
    file.compression = compression;
    file.palette = greyPalette(bitCount <= 8 ? 1 << bitCount : 0);
    return file;
}

} // namespace

// A bitmap is reused from picture to picture, so a block may hold the bytes of
// the last one: whatever a decoding leaves unwritten must read as zero.
TEST(StalePixels, TruncatedUncompressedPictureIntoAReusedBlockClearsWhatItDoesNotWrite)
{
    for (std::uint16_t bpp : {1, 4, 8, 24, 32}) {
        for (int depth : {8, 32}) {
            BmpFile file = picture(bpp, 0, 5, 4);
            const std::size_t stride = ((5 * bpp + 7) / 8 + 3) / 4 * 4;
            for (std::size_t i = 0; i < 4 * stride; ++i)
                file.pixels.push_back(static_cast<char>(0x40 + i % 7));
            CWinBmp whole;
            decodeBytes(file.bytes(), whole, depth);
            const std::string wholeBytes = lineBytes(whole);

            // The bottom row whole, the next one a byte short: only the bottom line is decoded.
            file.pixels.resize(stride + (5 * bpp + 7) / 8 - 1);
            CWinBmp reused;
            decodeBytes(file.bytes(), reused, depth);
            scribble(reused);
            decodeBytes(file.bytes(), reused, depth);
            const std::string bytes = lineBytes(reused);
            const std::size_t lineSize = reused.GetLineSize();
            ASSERT_EQ(bytes.size(), 4 * lineSize);
            EXPECT_EQ(bytes.substr(0, 3 * lineSize), std::string(3 * lineSize, '\0')) << bpp << " bpp into " << depth;
            EXPECT_EQ(bytes.substr(3 * lineSize), wholeBytes.substr(3 * lineSize)) << bpp << " bpp into " << depth;
        }
    }
}

TEST(StalePixels, LinePaddingAndSkippedRunLengthPixelsAreZero)
{
    // Width 5 at 8 bits leaves three padding bytes in every line.
    BmpFile file = picture(8, 0, 5, 2);
    file.pixels = paddedRow(byteString({1, 2, 3, 4, 5})) + paddedRow(byteString({6, 7, 8, 9, 10}));
    CWinBmp bitmap;
    decodeBytes(file.bytes(), bitmap, 8);
    scribble(bitmap);
    decodeBytes(file.bytes(), bitmap, 8);
    EXPECT_EQ(lineBytes(bitmap), byteString({6, 7, 8, 9, 10, 0, 0, 0, 1, 2, 3, 4, 5, 0, 0, 0}));

    // Runs that cover only part of the bottom row and end the picture early.
    for (std::uint32_t compression : {1u, 2u}) {
        BmpFile runs = picture(compression == 1 ? 8 : 4, compression, 5, 2);
        runs.pixels = byteString({2, 0x11, 0, 1});
        decodeBytes(runs.bytes(), bitmap, 8);
        scribble(bitmap);
        decodeBytes(runs.bytes(), bitmap, 8);
        const std::uint8_t first = compression == 1 ? 0x11 : 1;
        EXPECT_EQ(lineBytes(bitmap), byteString({0, 0, 0, 0, 0, 0, 0, 0, first, first, 0, 0, 0, 0, 0, 0}))
            << "compression " << compression;
    }
}
