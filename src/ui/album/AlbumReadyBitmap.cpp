#include "ui/album/AlbumReadyBitmap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdlib>

namespace {

constexpr qint64 kHeadersSize = 14 + 40;
constexpr std::int64_t kMaxSide = 250;
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;

std::uint32_t readLe(QByteArrayView bytes, qsizetype offset, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(bytes[offset + i]);
    return value;
}

// The bytes of all stored rows, each padded to a multiple of 4 bytes.
std::int64_t pixelBytes(std::int64_t width, std::int64_t height, std::uint32_t bitCount)
{
    return (width * bitCount + 31) / 32 * 4 * height;
}

bool compressionReadable(std::uint32_t bitCount, std::uint32_t compression)
{
    return compression == kUncompressed || (bitCount == 4 && compression == kRle4) ||
           (bitCount == 8 && compression == kRle8);
}

} // namespace

bool isAlbumReadyHeader(QByteArrayView start, qint64 fileSize)
{
    if (start.size() < kHeadersSize || start[0] != 'B' || start[1] != 'M' || readLe(start, 14, 4) != 40)
        return false;
    const std::int64_t width = static_cast<std::int32_t>(readLe(start, 18, 4));
    const std::int64_t height = std::abs(std::int64_t{static_cast<std::int32_t>(readLe(start, 22, 4))});
    const std::uint32_t bitCount = readLe(start, 28, 2);
    const std::uint32_t compression = readLe(start, 30, 4);
    const std::uint32_t colorsUsed = readLe(start, 46, 4);
    if (width < 1 || width > kMaxSide || height < 1 || height > kMaxSide)
        return false;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        return false;
    if (!compressionReadable(bitCount, compression))
        return false;
    // The decoder looks for the pixels right after the colour table, whatever the
    // file header's offset says: both must agree.
    const std::int64_t colors = bitCount > 8 ? 0 : colorsUsed != 0 ? colorsUsed : std::int64_t{1} << bitCount;
    const std::int64_t pixelOffset = kHeadersSize + 4 * colors;
    if (readLe(start, 10, 4) != pixelOffset)
        return false;
    if (compression != kUncompressed)
        return fileSize > pixelOffset;
    return fileSize >= pixelOffset + pixelBytes(width, height, bitCount);
}

bool isAlbumReadyBitmap(const QFileInfo& file, const QString& albumFolder)
{
    if (!file.isFile() || file.absoluteDir().canonicalPath() != QDir(albumFolder).canonicalPath())
        return false;
    QFile bitmap(file.absoluteFilePath());
    if (!bitmap.open(QIODevice::ReadOnly))
        return false;
    return isAlbumReadyHeader(bitmap.read(kHeadersSize), bitmap.size());
}
