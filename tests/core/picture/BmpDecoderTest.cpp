#include "support/core/BmpTestFiles.h"

#include "core/picture/BmpDecoder.h"
#include "core/picture/DataSource.h"
#include "core/picture/TextException.h"

#include <gtest/gtest.h>

#include <climits>

using namespace talvane::picture;

namespace {

const Bgra kBlack = {0, 0, 0, 255};
const Bgra kWhite = {255, 255, 255, 255};
const Bgra kCleared = {0, 0, 0, 0};

std::string framed(const std::string& message)
{
    return "Erreur du decodeur d'image:\n" + message + "\n";
}

// Decodes through the front decoder and returns the code of the exception,
// checking its text; 0 when the decoding succeeded.
int decodeError(const std::string& bytes, CWinBmp& bitmap, const std::string& expectedText, int nBitsPerPixel = 32)
{
    try {
        decodeBytes(bytes, bitmap, nBitsPerPixel);
    } catch (const CTextException& e) {
        EXPECT_EQ(e.GetText(), expectedText);
        return e.GetCode();
    }
    return 0;
}

// Sixteen colours whose index can be read back from blue, green and red.
std::vector<std::array<std::uint8_t, 3>> codedPalette(int count)
{
    std::vector<std::array<std::uint8_t, 3>> palette;
    for (int i = 0; i < count; ++i)
        palette.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(100 + i), static_cast<std::uint8_t>(200 + i)});
    return palette;
}

Bgra coded(int index)
{
    return {static_cast<std::uint8_t>(index), static_cast<std::uint8_t>(100 + index), static_cast<std::uint8_t>(200 + index), 255};
}

BmpFile rle(std::uint16_t bitCount, std::int32_t width, std::int32_t height, const std::string& stream)
{
    BmpFile file;
    file.width = width;
    file.height = height;
    file.bitCount = bitCount;
    file.compression = bitCount == 8 ? 1 : 2;
    file.palette = codedPalette(bitCount == 8 ? 256 : 16);
    file.pixels = stream;
    return file;
}

} // namespace

TEST(BmpDecoder, RefusesFilesThatAreNotBitmaps)
{
    CWinBmp bitmap;
    for (const std::string& bytes : {std::string("XYZ plain text"), std::string("B"), std::string(), std::string("MB")})
        EXPECT_EQ(decodeError(bytes, bitmap, framed("Unknown file type.")), 8) << bytes;
    EXPECT_EQ(bitmap.GetSize(), (PixelSize{16, 16}));

    // The bitmap decoder called directly checks the signature itself.
    const std::string bytes = "PK" + std::string(60, '\0');
    CDataSource source;
    source.Open("zip", reinterpret_cast<const std::uint8_t*>(bytes.data()), static_cast<std::int32_t>(bytes.size()));
    CBmpDecoder decoder;
    try {
        decoder.DecodeSource(&source, &bitmap, 32);
        ADD_FAILURE() << "no error";
    } catch (const CTextException& e) {
        EXPECT_EQ(e.GetCode(), 1);
        EXPECT_EQ(e.GetText(), framed("Bitmap decoder: This isn't a bitmap."));
    }
}

TEST(BmpDecoder, RefusesOtherInfoHeadersAndDepthsAfterTheTargetIsRecreated)
{
    CWinBmp bitmap;
    for (std::uint32_t infoSize : {12u, 64u, 108u, 124u}) {
        BmpFile file;
        file.infoSize = infoSize;
        file.pixels = byteString({1, 2, 3, 0});
        EXPECT_EQ(decodeError(file.bytes(), bitmap, framed("Bitmap decoder: BITMAPINFOHEADER has wrong size.")), 2)
            << infoSize;
    }
    EXPECT_EQ(bitmap.GetSize(), (PixelSize{16, 16}));

    for (std::uint16_t bpp : {0, 2, 16, 48}) {
        BmpFile file;
        file.width = 3 + bpp;
        file.height = 2;
        file.bitCount = bpp;
        file.palette = greyPalette(bpp <= 8 ? 1 << bpp : 0);
        file.pixels = std::string(64, '\x11');
        EXPECT_EQ(decodeError(file.bytes(), bitmap, framed("Decoding bmp: Illegal bpp value.")), 2) << bpp;
        EXPECT_EQ(bitmap.GetSize(), (PixelSize{3 + bpp, 2})) << bpp;
    }
}

TEST(BmpDecoder, OneBitIsBlackAndWhiteAtThirtyTwoBitsAndKeepsIndicesAtEight)
{
    BmpFile file;
    file.width = 10;
    file.height = 2;
    file.bitCount = 1;
    file.palette = {{0, 0, 255}, {0, 255, 255}};  // red and yellow
    // Bottom row 1010000011, top row 0111111110; the bits after the tenth are set
    // in the file and must be ignored.
    file.pixels = paddedRow(byteString({0xA0, 0xFF})) + paddedRow(byteString({0x7F, 0xBF}));

    CWinBmp bitmap;
    decodeBytes(file.bytes(), bitmap, 32);
    ASSERT_EQ(bitmap.GetSize(), (PixelSize{10, 2}));
    const std::string top = "0111111110";
    const std::string bottom = "1010000011";
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(pixelAt(bitmap, x, 0), top[x] == '1' ? kWhite : kBlack) << x;
        EXPECT_EQ(pixelAt(bitmap, x, 1), bottom[x] == '1' ? kWhite : kBlack) << x;
    }

    decodeBytes(file.bytes(), bitmap, 8);
    ASSERT_EQ(bitmap.getBitsPerPixel(), 8);
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(indexAt(bitmap, x, 0), top[x] - '0') << x;
        EXPECT_EQ(indexAt(bitmap, x, 1), bottom[x] - '0') << x;
    }
    const PaletteEntry* table = bitmap.getColorTable();
    EXPECT_EQ((Bgra{table[0].blue, table[0].green, table[0].red, table[0].alpha}), (Bgra{0, 0, 255, 255}));
    EXPECT_EQ((Bgra{table[1].blue, table[1].green, table[1].red, table[1].alpha}), (Bgra{0, 255, 255, 255}));
    // Entries the file does not give are opaque black.
    EXPECT_EQ((Bgra{table[2].blue, table[2].green, table[2].red, table[2].alpha}), kBlack);
}

TEST(BmpDecoder, FourBitOddWidthsUseTheHighNibbleOfTheLastByte)
{
    for (int width : {1, 3, 5, 8, 9}) {
        BmpFile file;
        file.width = width;
        file.height = 2;
        file.bitCount = 4;
        file.palette = codedPalette(16);
        std::string bottom, top;
        for (int x = 0; x < width; x += 2) {
            // The low nibble past an odd width is set and must not show.
            bottom.push_back(static_cast<char>((x % 16) << 4 | (x + 1) % 16));
            top.push_back(static_cast<char>((15 - x % 16) << 4 | (14 - x % 16)));
        }
        file.pixels = paddedRow(bottom) + paddedRow(top);

        CWinBmp bitmap;
        decodeBytes(file.bytes(), bitmap, 32);
        ASSERT_EQ(bitmap.GetSize(), (PixelSize{width, 2}));
        for (int x = 0; x < width; ++x) {
            EXPECT_EQ(pixelAt(bitmap, x, 1), coded(x % 16)) << width << " " << x;
            EXPECT_EQ(pixelAt(bitmap, x, 0), coded(15 - x % 16)) << width << " " << x;
        }
        decodeBytes(file.bytes(), bitmap, 8);
        for (int x = 0; x < width; ++x)
            EXPECT_EQ(indexAt(bitmap, x, 0), 15 - x % 16) << width << " " << x;
    }
}

TEST(BmpDecoder, EightBitRowsWithPaddingAtEveryWidth)
{
    for (int width : {1, 2, 3, 4, 5, 7}) {
        BmpFile file;
        file.width = width;
        file.height = 3;
        file.bitCount = 8;
        file.palette = codedPalette(256);
        for (int row = 0; row < 3; ++row) {
            std::string bytes;
            for (int x = 0; x < width; ++x)
                bytes.push_back(static_cast<char>(row * 16 + x));
            file.pixels += paddedRow(bytes);
        }
        CWinBmp bitmap;
        decodeBytes(file.bytes(), bitmap, 32);
        CWinBmp indexed;
        decodeBytes(file.bytes(), indexed, 8);
        for (int row = 0; row < 3; ++row) {
            for (int x = 0; x < width; ++x) {
                EXPECT_EQ(pixelAt(bitmap, x, 2 - row), coded(row * 16 + x)) << width;
                EXPECT_EQ(indexAt(indexed, x, 2 - row), row * 16 + x) << width;
            }
        }
        EXPECT_EQ(indexed.getColorTable()[37].green, 137);
    }
}

TEST(BmpDecoder, SixteenColourEightBitFileReadsItsPixelsAtOffset118)
{
    BmpFile file;
    file.width = 3;
    file.height = 1;
    file.bitCount = 8;
    file.colorsUsed = 16;
    file.palette = codedPalette(16);
    file.pixels = paddedRow(byteString({15, 0, 200}));
    const std::string bytes = file.bytes();
    ASSERT_EQ(bytes.substr(118), file.pixels);

    CWinBmp bitmap;
    decodeBytes(bytes, bitmap, 32);
    EXPECT_EQ(pixelAt(bitmap, 0, 0), coded(15));
    EXPECT_EQ(pixelAt(bitmap, 1, 0), coded(0));
    // An index beyond the sixteen colours shows opaque black.
    EXPECT_EQ(pixelAt(bitmap, 2, 0), kBlack);
}

TEST(BmpDecoder, PixelDataIsReadFromTheEndOfTheColourTableWhateverTheOffsetField)
{
    BmpFile file;
    file.width = 2;
    file.height = 1;
    file.bitCount = 8;
    file.palette = codedPalette(256);
    file.pixels = paddedRow(byteString({5, 6}));
    file.gap = paddedRow(byteString({9, 9}));

    CWinBmp bitmap;
    decodeBytes(file.bytes(), bitmap, 32);
    EXPECT_EQ(pixelAt(bitmap, 0, 0), coded(9));
    EXPECT_EQ(pixelAt(bitmap, 1, 0), coded(9));
}

TEST(BmpDecoder, TwentyFourAndThirtyTwoBitRows)
{
    BmpFile file;
    file.width = 1;
    file.height = 2;
    file.pixels = byteString({1, 2, 3, 0xEE, 4, 5, 6, 0xEE});
    CWinBmp bitmap;
    decodeBytes(file.bytes(), bitmap, 32);
    EXPECT_EQ(bitmap.GetLineSize(), 4u);
    EXPECT_EQ(pixelAt(bitmap, 0, 1), (Bgra{1, 2, 3, 255}));
    EXPECT_EQ(pixelAt(bitmap, 0, 0), (Bgra{4, 5, 6, 255}));

    file.width = 3;
    file.pixels = paddedRow(byteString({1, 2, 3, 4, 5, 6, 7, 8, 9})) + paddedRow(byteString({9, 8, 7, 6, 5, 4, 3, 2, 1}));
    decodeBytes(file.bytes(), bitmap, 32);
    EXPECT_EQ(pixelAt(bitmap, 2, 1), (Bgra{7, 8, 9, 255}));
    EXPECT_EQ(pixelAt(bitmap, 0, 0), (Bgra{9, 8, 7, 255}));
    EXPECT_EQ(pixelAt(bitmap, 2, 0), (Bgra{3, 2, 1, 255}));

    file.bitCount = 32;
    file.width = 2;
    file.pixels = byteString({1, 2, 3, 0, 4, 5, 6, 128, 7, 8, 9, 10, 11, 12, 13, 255});
    decodeBytes(file.bytes(), bitmap, 32);
    EXPECT_EQ(pixelAt(bitmap, 0, 1), (Bgra{1, 2, 3, 0}));
    EXPECT_EQ(pixelAt(bitmap, 1, 1), (Bgra{4, 5, 6, 128}));
    EXPECT_EQ(pixelAt(bitmap, 0, 0), (Bgra{7, 8, 9, 10}));
    EXPECT_EQ(pixelAt(bitmap, 1, 0), (Bgra{11, 12, 13, 255}));
}

TEST(BmpDecoder, NegativeHeightIsStoredTopRowFirstAndEmptySizesAreRefused)
{
    BmpFile file;
    file.width = 1;
    file.height = -3;
    file.pixels = byteString({1, 1, 1, 0, 2, 2, 2, 0, 3, 3, 3, 0});
    CWinBmp bitmap;
    decodeBytes(file.bytes(), bitmap, 32);
    ASSERT_EQ(bitmap.GetSize(), (PixelSize{1, 3}));
    EXPECT_EQ(pixelAt(bitmap, 0, 0), (Bgra{1, 1, 1, 255}));
    EXPECT_EQ(pixelAt(bitmap, 0, 2), (Bgra{3, 3, 3, 255}));

    const std::string invalid = "Bitmap width, height or depth invalid.\n";
    for (auto [width, height] : {std::pair{0, 3}, std::pair{3, 0}, std::pair{-2, 3}, std::pair{2, INT_MIN}}) {
        file.width = width;
        file.height = height;
        EXPECT_EQ(decodeError(file.bytes(), bitmap, invalid), 9) << width << " x " << height;
        EXPECT_EQ(bitmap.GetSize(), (PixelSize{1, 3}));
    }
}

TEST(BmpDecoder, Rle8RunsEscapesAndPadding)
{
    // Four rows of 6, bottom row first: encoded runs, absolute runs of 3 (with
    // a padding byte) and of 4 (without), ends of row and the end of picture.
    const std::string stream = byteString({
        0x04, 0x07, 0x00, 0x00,                          // row 0: 7 7 7 7
        0x00, 0x03, 0x01, 0x02, 0x03, 0x00, 0x02, 0x09, 0x00, 0x00,  // row 1: 1 2 3 9 9
        0x00, 0x04, 0x0A, 0x0B, 0x0C, 0x0D, 0x01, 0x05, 0x00, 0x00,  // row 2: 10 11 12 13 5
        0x00, 0x01,                                      // end of picture: row 3 untouched
        0x06, 0x08,
    });
    CWinBmp bitmap;
    decodeBytes(rle(8, 6, 4, stream).bytes(), bitmap, 32);
    const int expected[4][6] = {
        {7, 7, 7, 7, -1, -1},
        {1, 2, 3, 9, 9, -1},
        {10, 11, 12, 13, 5, -1},
        {-1, -1, -1, -1, -1, -1},
    };
    for (int row = 0; row < 4; ++row)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(pixelAt(bitmap, x, 3 - row), expected[row][x] < 0 ? kCleared : coded(expected[row][x]))
                << row << " " << x;

    decodeBytes(rle(8, 6, 4, stream).bytes(), bitmap, 8);
    EXPECT_EQ(indexAt(bitmap, 3, 1), 13);
    EXPECT_EQ(indexAt(bitmap, 4, 1), 5);
    EXPECT_EQ(indexAt(bitmap, 5, 1), 0);

    const std::string delta = byteString({0x02, 0x01, 0x00, 0x02, 0x01, 0x01, 0x02, 0x03});
    EXPECT_EQ(decodeError(rle(8, 4, 2, delta).bytes(), bitmap, framed("Encountered delta escape.")), 6);
    EXPECT_EQ(bitmap.GetSize(), (PixelSize{4, 2}));
    EXPECT_EQ(pixelAt(bitmap, 0, 1), coded(1));
}

TEST(BmpDecoder, Rle4NibbleOrderAbsoluteRunsAndPadding)
{
    const std::string stream = byteString({
        0x05, 0x12, 0x00, 0x00,                    // row 0: 1 2 1 2 1
        0x00, 0x03, 0x34, 0x50, 0x01, 0x60, 0x00, 0x00,  // row 1: 3 4 5, no padding, then 6
        0x00, 0x05, 0x78, 0x9A, 0xB0, 0x00, 0x02, 0xCD, 0x00, 0x00,  // row 2: 7 8 9 10 11 + pad, 12 13
        0x03, 0xEF, 0x00, 0x01,                    // row 3: 14 15 14, end of picture
    });
    const int expected[4][7] = {
        {1, 2, 1, 2, 1, -1, -1},
        {3, 4, 5, 6, -1, -1, -1},
        {7, 8, 9, 10, 11, 12, 13},
        {14, 15, 14, -1, -1, -1, -1},
    };
    CWinBmp bitmap;
    decodeBytes(rle(4, 7, 4, stream).bytes(), bitmap, 32);
    for (int row = 0; row < 4; ++row)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(pixelAt(bitmap, x, 3 - row), expected[row][x] < 0 ? kCleared : coded(expected[row][x]))
                << row << " " << x;

    decodeBytes(rle(4, 7, 4, stream).bytes(), bitmap, 8);
    for (int x = 0; x < 7; ++x)
        EXPECT_EQ(indexAt(bitmap, x, 1), expected[2][x]) << x;

    const std::string delta = byteString({0x02, 0x11, 0x00, 0x02, 0x01, 0x01});
    EXPECT_EQ(decodeError(rle(4, 4, 2, delta).bytes(), bitmap, framed("Encountered delta escape.")), 6);
}
