#include "support/core/BmpTestFiles.h"

#include "core/picture/TextException.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace talvane::picture;

namespace {

const Bgra kBlack = {0, 0, 0, 255};
const Bgra kCleared = {0, 0, 0, 0};
const std::string kTruncated = "Erreur du decodeur d'image:\nBitmap decoder: File is truncated.\n";

int decodeError(const std::string& bytes, CWinBmp& bitmap, const std::string& expectedText)
{
    try {
        decodeBytes(bytes, bitmap, 32);
    } catch (const CTextException& e) {
        EXPECT_EQ(e.GetText(), expectedText);
        return e.GetCode();
    }
    return 0;
}

// The RLE8 picture of the given width and height with a palette where index i
// is (i, i, i).
std::string rle8(std::int32_t width, std::int32_t height, const std::string& stream, std::uint32_t colorsUsed = 0)
{
    BmpFile file;
    file.width = width;
    file.height = height;
    file.bitCount = 8;
    file.compression = 1;
    file.colorsUsed = colorsUsed;
    file.palette = greyPalette(colorsUsed != 0 ? static_cast<int>(colorsUsed) : 256);
    file.pixels = stream;
    return file.bytes();
}

std::string rle4(std::int32_t width, std::int32_t height, const std::string& stream)
{
    BmpFile file;
    file.width = width;
    file.height = height;
    file.bitCount = 4;
    file.compression = 2;
    file.palette = greyPalette(16, 16);
    file.pixels = stream;
    return file.bytes();
}

Bgra grey(int level)
{
    const auto byte = static_cast<std::uint8_t>(level);
    return {byte, byte, byte, 255};
}

// Compares line by line with rows given bottom first; -1 is a pixel no data reached.
void expectRows(const CWinBmp& bitmap, const std::vector<std::vector<int>>& rowsBottomUp, int scale = 1)
{
    ASSERT_EQ(bitmap.GetHeight(), static_cast<int>(rowsBottomUp.size()));
    for (std::size_t row = 0; row < rowsBottomUp.size(); ++row) {
        const int line = bitmap.GetHeight() - 1 - static_cast<int>(row);
        ASSERT_EQ(bitmap.GetWidth(), static_cast<int>(rowsBottomUp[row].size()));
        for (int x = 0; x < bitmap.GetWidth(); ++x) {
            const int level = rowsBottomUp[row][x];
            EXPECT_EQ(pixelAt(bitmap, x, line), level < 0 ? kCleared : grey(level * scale)) << "row " << row << " x " << x;
        }
    }
}

} // namespace

TEST(DamagedBmp, HeadersOrColourTableCutShortAreRefusedAndTheOldPictureStays)
{
    BmpFile file;
    file.width = 2;
    file.height = 1;
    file.bitCount = 8;
    file.colorsUsed = 4;
    file.palette = greyPalette(4);
    file.pixels = paddedRow(byteString({1, 2}));
    const std::string bytes = file.bytes();
    const std::size_t pixelStart = 14 + 40 + 16;

    CWinBmp bitmap;
    for (std::size_t length = 0; length < pixelStart; ++length) {
        const int code = decodeError(bytes.substr(0, length), bitmap,
            length < 2 ? "Erreur du decodeur d'image:\nUnknown file type.\n" : kTruncated);
        EXPECT_EQ(code, length < 2 ? 8 : 2) << length;
    }
    EXPECT_EQ(bitmap.GetSize(), (PixelSize{16, 16}));

    // With the colour table whole and no pixel data, the picture is all black.
    decodeBytes(bytes.substr(0, pixelStart), bitmap, 32);
    EXPECT_EQ(allPixels(bitmap), std::vector<Bgra>(2, kCleared));
}

TEST(DamagedBmp, ColourCountsBeyondTheFileAreRefusedWithoutWrapping)
{
    CWinBmp bitmap;
    // 4 x 0x40000000 wraps to 0 in 32 bits; 4 x 0xFFFFFFFF to -4.
    for (std::uint32_t colorsUsed : {0x40000000u, 0xFFFFFFFFu, 0x80000001u, 258u}) {
        BmpFile file;
        file.width = 1;
        file.bitCount = 8;
        file.colorsUsed = colorsUsed;
        file.palette = greyPalette(256);
        file.pixels = paddedRow(byteString({1}));
        EXPECT_EQ(decodeError(file.bytes(), bitmap, kTruncated), 2) << colorsUsed;
    }

    // More than 256 colours present: the extra entries are skipped, the pixels follow them.
    BmpFile file;
    file.width = 2;
    file.bitCount = 8;
    file.colorsUsed = 300;
    file.palette = greyPalette(300);
    file.pixels = paddedRow(byteString({255, 7}));
    decodeBytes(file.bytes(), bitmap, 32);
    EXPECT_EQ(pixelAt(bitmap, 0, 0), grey(255));
    EXPECT_EQ(pixelAt(bitmap, 1, 0), grey(7));
}

TEST(DamagedBmp, UncompressedPixelDataCutShortLeavesTheMissingRowsBlack)
{
    for (std::uint16_t bpp : {1, 4, 8, 24, 32}) {
        BmpFile file;
        file.width = 5;
        file.height = 3;
        file.bitCount = bpp;
        file.palette = greyPalette(bpp <= 8 ? 1 << bpp : 0);
        const std::size_t rowBytes = (5 * bpp + 7) / 8;
        const std::size_t stride = (rowBytes + 3) / 4 * 4;
        for (std::size_t i = 0; i < 3 * stride; ++i)
            file.pixels.push_back(static_cast<char>(i * 37 + 11));
        CWinBmp whole;
        decodeBytes(file.bytes(), whole, 32);
        const std::vector<Bgra> wholePixels = allPixels(whole);

        const std::string full = file.pixels;
        for (std::size_t length = 0; length <= full.size(); ++length) {
            file.pixels = full.substr(0, length);
            CWinBmp cut;
            decodeBytes(file.bytes(), cut, 32);
            const std::size_t rows = length < rowBytes ? 0 : std::min<std::size_t>(3, (length - rowBytes) / stride + 1);
            const std::vector<Bgra> pixels = allPixels(cut);
            for (std::size_t line = 0; line < 3; ++line) {
                const bool present = 2 - line < rows;
                for (std::size_t x = 0; x < 5; ++x)
                    EXPECT_EQ(pixels[line * 5 + x], present ? wholePixels[line * 5 + x] : kCleared)
                        << bpp << " bpp, " << length << " bytes, line " << line << " x " << x;
            }
        }
    }
}

TEST(DamagedBmp, RunsNeverLeaveTheirRowAndDataEndsAnywhere)
{
    CWinBmp bitmap;
    // An encoded run of 10 in a row of 4, then an absolute run of 6 whose last
    // two pixels are dropped but whose bytes are still skipped.
    decodeBytes(rle8(4, 3, byteString({0x0A, 3, 0, 0, 0, 6, 1, 2, 3, 4, 5, 6, 1, 9, 0, 0, 2, 8})), bitmap, 32);
    expectRows(bitmap, {{3, 3, 3, 3}, {1, 2, 3, 4}, {8, 8, -1, -1}});

    // Runs that start at the end of a row give nothing.
    decodeBytes(rle8(2, 2, byteString({2, 5, 3, 6, 0, 3, 7, 7, 7, 0, 0, 0, 1, 4})), bitmap, 32);
    expectRows(bitmap, {{5, 5}, {4, -1}});

    // An absolute run cut by the end of the data gives the bytes present.
    decodeBytes(rle8(5, 1, byteString({0, 8, 1, 2})), bitmap, 32);
    expectRows(bitmap, {{1, 2, -1, -1, -1}});

    // A lone count byte, and ends of row beyond the last row, are ignored.
    decodeBytes(rle8(2, 2, byteString({2, 1, 0, 0, 2, 2, 0, 0, 0, 0, 2, 3, 0, 0, 2})), bitmap, 32);
    expectRows(bitmap, {{1, 1}, {2, 2}});

    // Indices beyond the colours of the file are opaque black.
    decodeBytes(rle8(3, 1, byteString({1, 1, 1, 2, 1, 200}), 2), bitmap, 32);
    EXPECT_EQ(allPixels(bitmap), (std::vector<Bgra>{grey(1), kBlack, kBlack}));

    // RLE4: an odd run ends a row of 3 and the rest of a run is dropped; an
    // absolute run starts in the middle of a row and is cut by its end.
    decodeBytes(rle4(3, 2, byteString({2, 0x12, 9, 0x34, 0, 0, 1, 0x50, 0, 5, 0x67, 0x89, 0xA0, 0})), bitmap, 32);
    expectRows(bitmap, {{1, 2, 3}, {5, 6, 7}}, 16);
    decodeBytes(rle4(4, 1, byteString({0, 7, 0x12, 0x34})), bitmap, 32);
    expectRows(bitmap, {{1, 2, 3, 4}}, 16);
}

TEST(DamagedBmp, HeadersClaimingHugePicturesGiveCodeNine)
{
    CWinBmp bitmap;
    bitmap.Create(3, 3, 32, false);
    const std::string stream = byteString({4, 1, 0, 0, 0, 1});
    for (auto [width, height] : {std::pair{65536, 65536}, std::pair{0x20000000, 2}, std::pair{0x40000001, 1},
                                 std::pair{0x7FFFFFFF, -0x7FFFFFFF}}) {
        EXPECT_EQ(decodeError(rle8(width, height, stream), bitmap, "Bitmap size too large.\n"), 9)
            << width << " x " << height;
        EXPECT_EQ(bitmap.GetSize(), (PixelSize{3, 3}));
    }
}

TEST(DamagedBmp, TopDownRunLengthDataFillsFromTheTop)
{
    CWinBmp bitmap;
    decodeBytes(rle8(2, -2, byteString({2, 1, 0, 0, 1, 2, 0, 1})), bitmap, 32);
    EXPECT_EQ(allPixels(bitmap), (std::vector<Bgra>{grey(1), grey(1), grey(2), kCleared}));
}
