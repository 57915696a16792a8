// Times the picture decoder against Qt's own BMP reader on the same bytes:
// 24-bit, 32-bit, 8-bit and RLE8 pictures of 1448 x 1448 (the largest that
// fits the bitmap cap at 32 bits) and 250 x 250 (the largest album photo).
// Two comparisons per case, one decoder and one bitmap reused as the album
// does, a new QImage each time for Qt:
// - same output: ours at the depth it chooses (8 bits for palette files, 32
//   above), against Qt's reader, which also keeps palette files as indices;
// - album output: ours at 32 bits, as the album asks, against Qt's reader
//   followed by the conversion to RGB32 that drawing such an image needs.
#include "core/picture/AnyPicDecoder.h"
#include "core/picture/DataSource.h"
#include "core/picture/WinBmp.h"

#include <QByteArray>
#include <QImage>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

void putLe(std::string& out, std::uint32_t value, int nBytes)
{
    for (int i = 0; i < nBytes; ++i)
        out.push_back(static_cast<char>(value >> (8 * i)));
}

std::string bmpBytes(int width, int height, int bitCount, std::uint32_t compression, const std::string& pixels)
{
    const bool indexed = bitCount == 8;
    const std::uint32_t offset = 14 + 40 + (indexed ? 1024 : 0);
    std::string out = "BM";
    putLe(out, offset + static_cast<std::uint32_t>(pixels.size()), 4);
    putLe(out, 0, 4);
    putLe(out, offset, 4);
    for (std::uint32_t field : {40u, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)})
        putLe(out, field, 4);
    putLe(out, 1, 2);
    putLe(out, static_cast<std::uint32_t>(bitCount), 2);
    for (std::uint32_t field : {compression, static_cast<std::uint32_t>(pixels.size()), 2835u, 2835u, 0u, 0u})
        putLe(out, field, 4);
    if (indexed)
        for (int i = 0; i < 256; ++i)
            out += {static_cast<char>(i), static_cast<char>(255 - i), static_cast<char>(i / 2), 0};
    return out + pixels;
}

// Gradients with noise, like a photograph: no two neighbours alike.
std::string directPixels(int width, int height, int bytesPerPixel)
{
    std::mt19937 random(42);
    const int stride = (width * bytesPerPixel + 3) & ~3;
    std::string pixels(static_cast<std::size_t>(stride) * height, '\0');
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < bytesPerPixel; ++c)
                pixels[static_cast<std::size_t>(y) * stride + x * bytesPerPixel + c] =
                    static_cast<char>((x * (c + 1) + y * (3 - c)) / 8 + random() % 16);
    return pixels;
}

std::vector<std::uint8_t> indexRow(std::mt19937& random, int width)
{
    std::vector<std::uint8_t> row;
    while (static_cast<int>(row.size()) < width) {
        // Flat areas and detailed ones, as in a drawing or a scanned photo.
        const int length = random() % 3 == 0 ? 1 + random() % 4 : 4 + random() % 60;
        row.insert(row.end(), static_cast<std::size_t>(std::min(length, width - static_cast<int>(row.size()))),
                   static_cast<std::uint8_t>(random()));
    }
    return row;
}

std::string indexedPixels(int width, int height)
{
    std::mt19937 random(7);
    std::string pixels;
    for (int y = 0; y < height; ++y) {
        const std::vector<std::uint8_t> row = indexRow(random, width);
        pixels.append(row.begin(), row.end());
        pixels.append(static_cast<std::size_t>((4 - width % 4) % 4), '\0');
    }
    return pixels;
}

// Encoded runs for repeats, absolute runs for detail, an end of row after
// each row and the end of the picture.
std::string rle8Pixels(int width, int height)
{
    std::mt19937 random(7);
    std::string out;
    for (int y = 0; y < height; ++y) {
        const std::vector<std::uint8_t> row = indexRow(random, width);
        std::size_t i = 0;
        while (i < row.size()) {
            std::size_t run = 1;
            while (i + run < row.size() && run < 255 && row[i + run] == row[i])
                ++run;
            if (run >= 2) {
                out += {static_cast<char>(run), static_cast<char>(row[i])};
                i += run;
                continue;
            }
            std::size_t literal = 1;
            while (i + literal < row.size() && literal < 255
                   && !(i + literal + 1 < row.size() && row[i + literal] == row[i + literal + 1]))
                ++literal;
            if (literal < 3) {
                for (std::size_t k = 0; k < literal; ++k)
                    out += {1, static_cast<char>(row[i + k])};
            } else {
                out += {0, static_cast<char>(literal)};
                out.append(reinterpret_cast<const char*>(&row[i]), literal);
                if (literal % 2 != 0)
                    out.push_back(0);
            }
            i += literal;
        }
        out += {0, 0};
    }
    return out + std::string{0, 1};
}

// The best of several rounds of the mean time per call, in microseconds.
double microsecondsPerCall(const std::function<void()>& call, int callsPerRound)
{
    double best = 1e300;
    for (int round = 0; round < 5; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < callsPerRound; ++i)
            call();
        const std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
        best = std::min(best, elapsed.count() / callsPerRound);
    }
    return best;
}

} // namespace

int main()
{
    struct Case {
        const char* name;
        int bitCount;
        std::uint32_t compression;
    };
    const Case cases[] = {{"24-bit", 24, 0}, {"32-bit", 32, 0}, {"8-bit", 8, 0}, {"RLE8", 8, 1}};

    CAnyPicDecoder decoder;
    CWinBmp bitmap;
    bool allWithinGoal = true;
    std::printf("%-7s %-11s %8s | %-26s | %-26s\n", "", "", "", "same output (us)", "album output, RGB32 (us)");
    std::printf("%-7s %-11s %8s | %9s %9s %6s | %9s %9s %6s\n", "case", "size", "bytes", "ours", "Qt", "ratio", "ours",
                "Qt", "ratio");
    for (const int side : {1448, 250}) {
        for (const Case& c : cases) {
            const std::string pixels = c.compression != 0 ? rle8Pixels(side, side)
                : c.bitCount == 8                      ? indexedPixels(side, side)
                                                       : directPixels(side, side, c.bitCount / 8);
            const std::string bytes = bmpBytes(side, side, c.bitCount, c.compression, pixels);
            const QByteArray qtBytes(bytes.data(), static_cast<qsizetype>(bytes.size()));

            QImage check;
            if (!check.loadFromData(qtBytes, "BMP") || check.width() != side) {
                std::fprintf(stderr, "Qt could not read the %s picture\n", c.name);
                return 1;
            }
            const int calls = side > 1000 ? 10 : 200;
            const auto ours = [&](int bitsPerPixel) {
                return microsecondsPerCall([&] {
                    CDataSource source;
                    source.Open("bench", reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                static_cast<std::int32_t>(bytes.size()));
                    decoder.DecodeSource(&source, &bitmap, bitsPerPixel);
                }, calls);
            };
            const auto qt = [&](bool toRgb32) {
                return microsecondsPerCall([&] {
                    QImage image;
                    image.loadFromData(qtBytes, "BMP");
                    if (toRgb32)
                        image = image.convertToFormat(QImage::Format_RGB32);
                }, calls);
            };
            const double oursChosen = ours(0);
            const double qtRead = qt(false);
            const double ours32 = ours(32);
            const double qtRgb32 = qt(true);
            allWithinGoal = allWithinGoal && oursChosen <= qtRead && ours32 <= qtRgb32;
            std::printf("%-7s %4d x %-4d %8zu | %9.1f %9.1f %6.2f | %9.1f %9.1f %6.2f\n", c.name, side, side,
                        bytes.size(), oursChosen, qtRead, oursChosen / qtRead, ours32, qtRgb32, ours32 / qtRgb32);
        }
    }
    std::printf("goal (ours at most 1.0 x Qt's in every case): %s\n", allWithinGoal ? "met" : "NOT met");
    return 0;
}
