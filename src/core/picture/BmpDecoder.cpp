#include "core/picture/BmpDecoder.h"

#include "core/picture/DataSource.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>
#include <type_traits>

using namespace talvane::picture;

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint16_t kSignature = 0x4D42;

// Opaque black: what palette indices beyond the colours of the file show.
constexpr PaletteEntry kUnsetColor = {0, 0, 0, 255};
// A 1-bit file is always drawn in black and white, whatever its palette.
constexpr PaletteEntry kBlackAndWhite[2] = {{0, 0, 0, 255}, {255, 255, 255, 255}};

// Multi-byte fields are little-endian whatever the host's byte order.
std::uint16_t readWord(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t readDword(const std::uint8_t* p)
{
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

[[noreturn]] void raiseTruncated()
{
    CPicDecoder::RaiseError(2, "Bitmap decoder: File is truncated.");
}

// Pixel writers: a palette index goes into the line as it is (8-bit target)
// or as its palette colour (32-bit target). They are passed by value: a copy
// on the stack cannot be aliased by the byte stores into the line, so the
// palette pointer stays in a register.
struct IndexWriter {
    void operator()(std::uint8_t* pLine, std::size_t x, std::uint8_t index) const { pLine[x] = index; }
    void operator()(std::uint8_t* pLine, std::size_t x, std::uint8_t first, std::uint8_t second) const
    {
        pLine[x] = first;
        pLine[x + 1] = second;
    }
};

struct ColorWriter {
    const PaletteEntry* pPalette;
    void operator()(std::uint8_t* pLine, std::size_t x, std::uint8_t index) const
    {
        std::memcpy(pLine + 4 * x, &pPalette[index], 4);
    }
    // Two pixels in one 8-byte store: palette lookups are bound by their stores.
    void operator()(std::uint8_t* pLine, std::size_t x, std::uint8_t first, std::uint8_t second) const
    {
        std::uint32_t firstColor;
        std::uint32_t secondColor;
        std::memcpy(&firstColor, &pPalette[first], 4);
        std::memcpy(&secondColor, &pPalette[second], 4);
        const std::uint64_t pair = std::endian::native == std::endian::little
            ? firstColor | std::uint64_t{secondColor} << 32
            : std::uint64_t{firstColor} << 32 | secondColor;
        std::memcpy(pLine + 4 * x, &pair, 8);
    }
};

// The two pixels of a 4-bit byte, the high nibble first.
template <class Put>
void PutPixelPair(Put put, std::uint8_t* pLine, std::size_t x, std::uint8_t byte)
{
    put(pLine, x, static_cast<std::uint8_t>(byte >> 4), static_cast<std::uint8_t>(byte & 0x0F));
}

// Writes count pixels from x on, taken from bytes of Bits-bit indices (two per
// byte at 4 bits, high nibble first). With Step 0 every pixel comes from the
// one byte of an encoded run, so a 4-bit run alternates its two nibbles.
template <int Bits, std::size_t step, class Put>
void putPixels(Put put, std::uint8_t* pLine, std::size_t x, const std::uint8_t* pSource, std::size_t count)
{
    std::size_t i = 0;
    if constexpr (Bits == 8 && step == 1 && std::is_same_v<Put, IndexWriter>) {
        std::memcpy(pLine + x, pSource, count);
    } else if constexpr (Bits == 8) {
        for (; i + 1 < count; i += 2)
            put(pLine, x + i, pSource[i * step], pSource[(i + 1) * step]);
        if (i < count)
            put(pLine, x + i, pSource[i * step]);
    } else {
        for (; i + 1 < count; i += 2)
            PutPixelPair(put, pLine, x + i, pSource[i / 2 * step]);
        if (i < count)
            put(pLine, x + i, static_cast<std::uint8_t>(pSource[i / 2 * step] >> 4));
    }
}

// Uncompressed rows, each padded to a multiple of 4 bytes. Rows whose pixel
// bytes are not all in the file are dropped and stay black; the last row may
// lack its padding. Every byte of the target is written once: the pixels of
// each row, then the padding of its line, then the lines no row reached.
template <class Target, class DecodeRow>
void forEachStoredRow(const std::uint8_t* pPixels, const std::uint8_t* pEnd, const Target& target,
    std::size_t pixelBytes, const DecodeRow& decodeRow)
{
    const std::size_t stride = (pixelBytes + 3) & ~std::size_t{3};
    const auto available = static_cast<std::size_t>(pEnd - pPixels);
    const std::size_t rows = available < pixelBytes ? 0 : std::min(target.height(), (available - pixelBytes) / stride + 1);
    for (std::size_t row = 0; row < rows; ++row) {
        std::uint8_t* pLine = target.line(row);
        decodeRow(pPixels + row * stride, pLine);
        target.clearPadding(pLine);
    }
    for (std::size_t row = rows; row < target.height(); ++row)
        target.clearLine(target.line(row));
}

// Run-length data: pairs of a count and an index byte, or of 0 and an escape.
// Damaged data never leaves its row or the block: pixels of a run past the
// end of its row are dropped, an absolute run cut by the end of the data
// gives the pixels that are there, rows the data never reaches stay black,
// and data after the last row is ignored.
template <int Bits, class Target, class Put>
void decodeRunLengths(const std::uint8_t* p, const std::uint8_t* pEnd, const Target& target, Put put)
{
    // Runs may skip any pixel: the picture starts black.
    for (std::size_t row = 0; row < target.height(); ++row)
        target.clearLine(target.line(row));
    const std::size_t width = target.width();
    std::size_t row = 0;
    std::size_t x = 0;
    while (row < target.height() && pEnd - p >= 2) {
        const std::uint8_t count = p[0];
        const std::uint8_t value = p[1];
        p += 2;
        if (count > 0) {
            const std::size_t n = std::min<std::size_t>(count, width - x);
            putPixels<Bits, 0>(put, target.line(row), x, &value, n);
            x += n;
        } else if (value == 0) {
            ++row;
            x = 0;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            CPicDecoder::RaiseError(6, "Encountered delta escape.");
        } else {
            // An absolute run of value pixels, its bytes padded to an even count.
            const std::size_t bytes = Bits == 8 ? value : (value + 1u) / 2;
            const std::size_t present = std::min<std::size_t>(bytes, static_cast<std::size_t>(pEnd - p));
            const std::size_t n = std::min({std::size_t{value}, present * 8 / Bits, width - x});
            putPixels<Bits, 1>(put, target.line(row), x, p, n);
            x += n;
            p += std::min<std::size_t>(bytes + bytes % 2, static_cast<std::size_t>(pEnd - p));
        }
    }
}

} // namespace

// Where decoded rows go: file row i is line height - 1 - i of a file stored
// bottom row first, and line i of one stored top row first.
class CBmpDecoder::LineTarget {
public:
    LineTarget(const CBmp& bitmap, bool bTopDown)
        : m_ppLines(bitmap.getLines())
        , m_nWidth(static_cast<std::size_t>(bitmap.GetWidth()))
        , m_nHeight(static_cast<std::size_t>(bitmap.GetHeight()))
        , m_lineSize(bitmap.GetLineSize())
        , m_pixelBytes(m_nWidth * bitmap.getBitsPerPixel() / 8)
        , m_topDown(bTopDown)
        , m_indexed(bitmap.getBitsPerPixel() == 8)
    {
    }

    std::uint8_t* line(std::size_t fileRow) const { return m_ppLines[m_topDown ? fileRow : m_nHeight - 1 - fileRow]; }
    std::size_t width() const { return m_nWidth; }
    std::size_t height() const { return m_nHeight; }

    // The block comes as the allocator gives it: whatever a decoding does not
    // write must be cleared, so that no earlier picture ever shows through.
    void clearLine(std::uint8_t* pLine) const { std::memset(pLine, 0, m_lineSize); }
    void clearPadding(std::uint8_t* pLine) const
    {
        std::memset(pLine + m_pixelBytes, 0, m_lineSize - m_pixelBytes);
    }

    // Runs decode with the pixel writer of the target's depth.
    template <class Decode>
    void withWriter(const PaletteEntry* pPalette, const Decode& decode) const
    {
        if (m_indexed)
            decode(IndexWriter{});
        else
            decode(ColorWriter{pPalette});
    }

private:
    std::uint8_t* const* m_ppLines;
    std::size_t m_nWidth;
    std::size_t m_nHeight;
    std::size_t m_lineSize;
    std::size_t m_pixelBytes;
    bool m_topDown;
    bool m_indexed;
};

void CBmpDecoder::DoDecode()
{
    const std::uint8_t* pPixels = nullptr;
    const BitmapInfoHeader header = ReadHeaders(&pPixels);
    const int nDestBitsPerPixel = GetDestBitsPerPixel(header.bitCount);

    // A negative height marks a file stored top row first. INT_MIN has no
    // positive counterpart; it goes on unchanged and the bitmap refuses it.
    const bool bTopDown = header.height < 0 && header.height != INT_MIN;
    m_pBitmap->Create(header.width, bTopDown ? -header.height : header.height,
        static_cast<std::uint16_t>(nDestBitsPerPixel), false);
    if (nDestBitsPerPixel == 8)
        m_pBitmap->SetPalette(m_pPalette.get());

    const LineTarget target(*m_pBitmap, bTopDown);
    switch (header.bitCount) {
    case 1:
        Decode1Bit(pPixels, target);
        break;
    case 4:
        header.compression == 0 ? Decode4Bit(pPixels, target) : DecodeRLE4(pPixels, target);
        break;
    case 8:
        header.compression == 0 ? Decode8Bit(pPixels, target) : DecodeRLE8(pPixels, target);
        break;
    case 24:
        Decode24Bit(pPixels, target);
        break;
    case 32:
        Decode32Bit(pPixels, target);
        break;
    default:
        RaiseError(2, "Decoding bmp: Illegal bpp value.");
    }
    Trace(3, "Decoding finished.\n");
}

CBmpDecoder::BitmapInfoHeader CBmpDecoder::ReadHeaders(const std::uint8_t** ppPixels)
{
    const std::uint8_t* p = m_pSource->getCurrent();
    const auto available = static_cast<std::size_t>(m_pSource->getEnd() - p);
    if (available < 2 || readWord(p) != kSignature)
        RaiseError(1, "Bitmap decoder: This isn't a bitmap.");
    Trace(2, "Bitmap file signature found\n");

    const std::uint8_t* pInfo = p + kFileHeaderSize;
    if (available < kFileHeaderSize + 4)
        raiseTruncated();
    if (readDword(pInfo) != kInfoHeaderSize)
        RaiseError(2, "Bitmap decoder: BITMAPINFOHEADER has wrong size.");
    if (available < kFileHeaderSize + kInfoHeaderSize)
        raiseTruncated();
    const BitmapInfoHeader header = {
        readDword(pInfo),
        static_cast<std::int32_t>(readDword(pInfo + 4)),
        static_cast<std::int32_t>(readDword(pInfo + 8)),
        readWord(pInfo + 14),
        readDword(pInfo + 16),
        readDword(pInfo + 32),
    };
    Trace(2, "Bitmap header is ok.\n");

    m_pSource->setCurrent(pInfo + kInfoHeaderSize);
    if (header.bitCount <= 8)
        ReadPalette(header);
    // The pixel data follows the colour table; the offset field of the file
    // header is not consulted.
    *ppPixels = m_pSource->getCurrent();
    return header;
}

void CBmpDecoder::ReadPalette(const BitmapInfoHeader& header)
{
    Trace(3, "Reading palette.\n");
    const std::uint64_t count = header.colorsUsed != 0 ? header.colorsUsed : std::uint64_t{1} << header.bitCount;
    const std::uint8_t* p = m_pSource->getCurrent();
    if (static_cast<std::uint64_t>(m_pSource->getEnd() - p) / 4 < count)
        raiseTruncated();

    m_pPalette = std::make_unique<PaletteEntry[]>(kPaletteSize);
    const auto used = static_cast<std::size_t>(std::min<std::uint64_t>(count, kPaletteSize));
    for (std::size_t i = 0; i < used; ++i)
        m_pPalette[i] = {p[4 * i], p[4 * i + 1], p[4 * i + 2], 255};
    std::fill(m_pPalette.get() + used, m_pPalette.get() + kPaletteSize, kUnsetColor);
    m_pSource->setCurrent(p + 4 * count);
}

void CBmpDecoder::Decode1Bit(const std::uint8_t* pPixels, const LineTarget& target)
{
    Trace(2, "Decoding 1 bit per pixel bitmap.\n");
    const std::size_t width = target.width();
    target.withWriter(kBlackAndWhite, [&](auto put) {
        forEachStoredRow(pPixels, m_pSource->getEnd(), target, (width + 7) / 8,
            [&](const std::uint8_t* pRow, std::uint8_t* pLine) {
                for (std::size_t x = 0; x < width; ++x)
                    put(pLine, x, static_cast<std::uint8_t>(pRow[x / 8] >> (7 - x % 8) & 1));
            });
    });
}

void CBmpDecoder::Decode4Bit(const std::uint8_t* pPixels, const LineTarget& target)
{
    Trace(2, "Decoding uncompressed 4 bit per pixel bitmap.\n");
    const std::size_t width = target.width();
    target.withWriter(m_pPalette.get(), [&](auto put) {
        forEachStoredRow(pPixels, m_pSource->getEnd(), target, (width + 1) / 2,
            [&](const std::uint8_t* pRow, std::uint8_t* pLine) { putPixels<4, 1>(put, pLine, 0, pRow, width); });
    });
}

void CBmpDecoder::Decode8Bit(const std::uint8_t* pPixels, const LineTarget& target)
{
    Trace(2, "Decoding uncompressed 8 bit per pixel bitmap.\n");
    const std::size_t width = target.width();
    target.withWriter(m_pPalette.get(), [&](auto put) {
        forEachStoredRow(pPixels, m_pSource->getEnd(), target, width,
            [&](const std::uint8_t* pRow, std::uint8_t* pLine) { putPixels<8, 1>(put, pLine, 0, pRow, width); });
    });
}

void CBmpDecoder::DecodeRLE4(const std::uint8_t* pPixels, const LineTarget& target)
{
    Trace(2, "Decoding RLE4-compressed bitmap.\n");
    target.withWriter(m_pPalette.get(),
        [&](auto put) { decodeRunLengths<4>(pPixels, m_pSource->getEnd(), target, put); });
}

void CBmpDecoder::DecodeRLE8(const std::uint8_t* pPixels, const LineTarget& target)
{
    Trace(2, "Decoding RLE8-compressed bitmap.\n");
    target.withWriter(m_pPalette.get(),
        [&](auto put) { decodeRunLengths<8>(pPixels, m_pSource->getEnd(), target, put); });
}

// Files deeper than 8 bits always give a 32-bit target (see GetDestBitsPerPixel).
void CBmpDecoder::Decode24Bit(const std::uint8_t* pPixels, const LineTarget& target)
{
    Trace(2, "Decoding 24 bit per pixel bitmap.\n");
    const std::size_t width = target.width();
    forEachStoredRow(pPixels, m_pSource->getEnd(), target, 3 * width,
        [width](const std::uint8_t* pRow, std::uint8_t* pLine) {
            for (std::size_t x = 0; x < width; ++x) {
                pLine[4 * x] = pRow[3 * x];
                pLine[4 * x + 1] = pRow[3 * x + 1];
                pLine[4 * x + 2] = pRow[3 * x + 2];
                pLine[4 * x + 3] = 255;
            }
        });
}

void CBmpDecoder::Decode32Bit(const std::uint8_t* pPixels, const LineTarget& target)
{
    Trace(2, "Decoding 32 bit per pixel bitmap.\n");
    const std::size_t rowBytes = 4 * target.width();
    forEachStoredRow(pPixels, m_pSource->getEnd(), target, rowBytes,
        [rowBytes](const std::uint8_t* pRow, std::uint8_t* pLine) { std::memcpy(pLine, pRow, rowBytes); });
}
