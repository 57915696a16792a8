#pragma once

#include "core/picture/WinBmp.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// Writes Windows bitmap files for the tests, field by field.
struct BmpFile {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t infoSize = 40;
    std::uint32_t colorsUsed = 0;
    // Colour table entries as (blue, green, red); the reserved byte is written as 0x7F
    // so that a decoder copying it instead of setting alpha 255 is caught.
    std::vector<std::array<std::uint8_t, 3>> palette;
    // Bytes between the colour table and the pixel data.
    std::string gap;
    std::string pixels;

    // The whole file; the pixel data offset field counts the gap.
    std::string bytes() const;
};

std::string byteString(std::initializer_list<int> bytes);
// One stored row: the bytes padded with zeros to a multiple of 4.
std::string paddedRow(const std::string& row);
// A grey palette of count entries: entry i is (i, i, i) scaled by step.
std::vector<std::array<std::uint8_t, 3>> greyPalette(int count, int step = 1);

// Decodes the bytes through the front decoder, as the program does.
void decodeBytes(const std::string& bytes, CWinBmp& bitmap, int nBitsPerPixel = 32);

using Bgra = std::array<std::uint8_t, 4>;
Bgra pixelAt(const CWinBmp& bitmap, int x, int line);
std::uint8_t indexAt(const CWinBmp& bitmap, int x, int line);
// Every pixel of a 32-bit picture from line 0, left to right.
std::vector<Bgra> allPixels(const CWinBmp& bitmap);
