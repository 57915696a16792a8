#include "support/core/BmpTestFiles.h"

#include "core/picture/AnyPicDecoder.h"
#include "core/picture/DataSource.h"

#include <cstring>

namespace {

void putLe(std::string& out, std::uint32_t value, int nBytes)
{
    for (int i = 0; i < nBytes; ++i)
        out.push_back(static_cast<char>(value >> (8 * i)));
}

} // namespace

std::string BmpFile::bytes() const
{
    const auto dataOffset = static_cast<std::uint32_t>(14 + infoSize + 4 * palette.size() + gap.size());
    std::string out = "BM";
    putLe(out, dataOffset + static_cast<std::uint32_t>(pixels.size()), 4);
    putLe(out, 0, 4);
    putLe(out, dataOffset, 4);

    const std::size_t infoStart = out.size();
    putLe(out, infoSize, 4);
    putLe(out, static_cast<std::uint32_t>(width), 4);
    putLe(out, static_cast<std::uint32_t>(height), 4);
    putLe(out, 1, 2);
    putLe(out, bitCount, 2);
    putLe(out, compression, 4);
    putLe(out, static_cast<std::uint32_t>(pixels.size()), 4);
    putLe(out, 2835, 4);
    putLe(out, 2835, 4);
    putLe(out, colorsUsed, 4);
    putLe(out, 0, 4);
    out.resize(infoStart + infoSize);

    for (const auto& entry : palette) {
        out.append(entry.begin(), entry.end());
        out.push_back(0x7F);
    }
    return out + gap + pixels;
}

std::string byteString(std::initializer_list<int> bytes)
{
    std::string out;
    for (int byte : bytes)
        out.push_back(static_cast<char>(byte));
    return out;
}

std::string paddedRow(const std::string& row)
{
    return row + std::string((4 - row.size() % 4) % 4, '\0');
}

std::vector<std::array<std::uint8_t, 3>> greyPalette(int count, int step)
{
    std::vector<std::array<std::uint8_t, 3>> palette;
    for (int i = 0; i < count; ++i) {
        const auto level = static_cast<std::uint8_t>(i * step);
        palette.push_back({level, level, level});
    }
    return palette;
}

void decodeBytes(const std::string& bytes, CWinBmp& bitmap, int nBitsPerPixel)
{
    CDataSource source;
    source.Open("memory", reinterpret_cast<const std::uint8_t*>(bytes.data()), static_cast<std::int32_t>(bytes.size()));
    CAnyPicDecoder decoder;
    decoder.DecodeSource(&source, &bitmap, nBitsPerPixel);
}

Bgra pixelAt(const CWinBmp& bitmap, int x, int line)
{
    Bgra pixel;
    std::memcpy(pixel.data(), bitmap.getLines()[line] + 4 * x, 4);
    return pixel;
}

std::uint8_t indexAt(const CWinBmp& bitmap, int x, int line)
{
    return bitmap.getLines()[line][x];
}

std::vector<Bgra> allPixels(const CWinBmp& bitmap)
{
    std::vector<Bgra> pixels;
    for (int line = 0; line < bitmap.GetHeight(); ++line)
        for (int x = 0; x < bitmap.GetWidth(); ++x)
            pixels.push_back(pixelAt(bitmap, x, line));
    return pixels;
}
