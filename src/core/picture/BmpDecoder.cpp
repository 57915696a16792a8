#include "core/picture/BmpDecoder.h"

#include "core/picture/DataSource.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>
#include <type_traits>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint16_t kSignature = 0x4D42;

// Opaque black: what palette indices beyond the colours of the file show.
constexpr PaletteEntry kUnsetColor = {0, 0, 0, 255};
// A 1-bit file is always drawn in black and white, whatever its palette.
constexpr PaletteEntry kBlackAndWhite[2] = {{0, 0, 0, 255}, {255, 255, 255, 255}};

// Multi-byte fields are little-endian whatever the host's byte order.
std::uint16_t ReadWord(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t ReadDword(const std::uint8_t* p)
{
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

[[noreturn]] void RaiseTruncated()
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
template <int Bits, std::size_t Step, class Put>
void PutPixels(Put put, std::uint8_t* pLine, std::size_t x, const std::uint8_t* pSource, std::size_t count)
{
    std::size_t i = 0;
    if constexpr (Bits == 8 && Step == 1 && std::is_same_v<Put, IndexWriter>) {
        std::memcpy(pLine + x, pSource, count);
    } else if constexpr (Bits == 8) {
        for (; i + 1 < count; i += 2)
            put(pLine, x + i, pSource[i * Step], pSource[(i + 1) * Step]);
        if (i < count)
            put(pLine, x + i, pSource[i * Step]);
    } else {
        for (; i + 1 < count; i += 2)
            PutPixelPair(put, pLine, x + i, pSource[i / 2 * Step]);
        if (i < count)
            put(pLine, x + i, static_cast<std::uint8_t>(pSource[i / 2 * Step] >> 4));
    }
}

// Uncompressed rows, each padded to a multiple of 4 bytes. Rows whose pixel
// bytes are not all in the file are dropped and stay black; the last row may
// lack its padding. Every byte of the target is written once: the pixels of
// each row, then the padding of its line, then the lines no row reached.
template <class Target, class DecodeRow>
void ForEachStoredRow(const std::uint8_t* pPixels, const std::uint8_t* pEnd, const Target& target,
    std::size_t pixelBytes, const DecodeRow& decodeRow)
{
    const std::size_t stride = (pixelBytes + 3) & ~std::size_t{3};
    const auto available = static_cast<std::size_t>(pEnd - pPixels);
    const std::size_t rows = available < pixelBytes ? 0 : std::min(target.Height(), (available - pixelBytes) / stride + 1);
    for (std::size_t row = 0; row < rows; ++row) {
        std::uint8_t* pLine = target.Line(row);
        decodeRow(pPixels + row * stride, pLine);
        target.ClearPadding(pLine);
    }
    for (std::size_t row = rows; row < target.Height(); ++row)
        target.ClearLine(target.Line(row));
}

// Run-length data: pairs of a count and an index byte, or of 0 and an escape.
// Damaged data never leaves its row or the block: pixels of a run past the
// end of its row are dropped, an absolute run cut by the end of the data
// gives the pixels that are there, rows the data never reaches stay black,
// and data after the last row is ignored.
template <int Bits, class Target, class Put>
void DecodeRunLengths(const std::uint8_t* p, const std::uint8_t* pEnd, const Target& target, Put put)
{
    // Runs may skip any pixel: the picture starts black.
    for (std::size_t row = 0; row < target.Height(); ++row)
        target.ClearLine(target.Line(row));
    const std::size_t width = target.Width();
    std::size_t row = 0;
    std::size_t x = 0;
    while (row < target.Height() && pEnd - p >= 2) {
        const std::uint8_t count = p[0];
        const std::uint8_t value = p[1];
        p += 2;
        if (count > 0) {
            const std::size_t n = std::min<std::size_t>(count, width - x);
            PutPixels<Bits, 0>(put, target.Line(row), x, &value, n);
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
            PutPixels<Bits, 1>(put, target.Line(row), x, p, n);
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
        : m_ppLines(bitmap.GetLines())
        , m_nWidth(static_cast<std::size_t>(bitmap.GetWidth()))
        , m_nHeight(static_cast<std::size_t>(bitmap.GetHeight()))
        , m_lineSize(bitmap.GetLineSize())
        , m_pixelBytes(m_nWidth * bitmap.GetBitsPerPixel() / 8)
        , m_topDown(bTopDown)
        , m_indexed(bitmap.GetBitsPerPixel() == 8)
    {
    }

    std::uint8_t* Line(std::size_t fileRow) const { return m_ppLines[m_topDown ? fileRow : m_nHeight - 1 - fileRow]; }
    std::size_t Width() const { return m_nWidth; }
    std::size_t Height() const { return m_nHeight; }

    // The block comes as the allocator gives it: whatever a decoding does not
    // write must be cleared, so that no earlier picture ever shows through.
    void ClearLine(std::uint8_t* pLine) const { std::memset(pLine, 0, m_lineSize); }
    void ClearPadding(std::uint8_t* pLine) const
    {
        std::memset(pLine + m_pixelBytes, 0, m_lineSize - m_pixelBytes);
    }

    // Runs decode with the pixel writer of the target's depth.
    template <class Decode>
    void WithWriter(const PaletteEntry* pPalette, const Decode& decode) const
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
    const std::uint8_t* p = m_pSource->GetCurrent();
    const auto available = static_cast<std::size_t>(m_pSource->GetEnd() - p);
    if (available < 2 || ReadWord(p) != kSignature)
        RaiseError(1, "Bitmap decoder: This isn't a bitmap.");
    Trace(2, "Bitmap file signature found\n");

    const std::uint8_t* pInfo = p + kFileHeaderSize;
    if (available < kFileHeaderSize + 4)
        RaiseTruncated();
    if (ReadDword(pInfo) != kInfoHeaderSize)
        RaiseError(2, "Bitmap decoder: BITMAPINFOHEADER has wrong size.");
    if (available < kFileHeaderSize + kInfoHeaderSize)
        RaiseTruncated();
    const BitmapInfoHeader header = {
        ReadDword(pInfo),
        static_cast<std::int32_t>(ReadDword(pInfo + 4)),
        static_cast<std::int32_t>(ReadDword(pInfo + 8)),
        ReadWord(pInfo + 14),
        ReadDword(pInfo + 16),
        ReadDword(pInfo + 32),
    };
    Trace(2, "Bitmap header is ok.\n");

    m_pSource->SetCurrent(pInfo + kInfoHeaderSize);
    if (header.bitCount <= 8)
        ReadPalette(header);
    // The pixel data follows the colour table; the offset field of the file
    // header is not consulted.
    *ppPixels = m_pSource->GetCurrent();
    return header;
}

void CBmpDecoder::ReadPalette(const BitmapInfoHeader& header)
{
    Trace(3, "Reading palette.\n");
    const std::uint64_t count = header.colorsUsed != 0 ? header.colorsUsed : std::uint64_t{1} << header.bitCount;
    const std::uint8_t* p = m_pSource->GetCurrent();
    if (static_cast<std::uint64_t>(m_pSource->GetEnd() - p) / 4 < count)
        RaiseTruncated();

    m_pPalette = std::make_unique<PaletteEntry[]>(kPaletteSize);
    const auto used = static_cast<std::size_t>(std::min<std::uint64_t>(count, kPaletteSize));
    for (std::size_t i = 0; i < used; ++i)
        m_pPalette[i] = {p[4 * i], p[4 * i + 1], p[4 * i + 2], 255};
    std::fill(m_pPalette.get() + used, m_pPalette.get() + kPaletteSize, kUnsetColor);
    m_pSource->SetCurrent(p + 4 * count);
}

void CBmpDecoder::Decode1Bit(const std::uint8_t* pPixels, const LineTarget& target)
{
    Trace(2, "Decoding 1 bit per pixel bitmap.\n");
    const std::size_t width = target.Width();
    target.WithWriter(kBlackAndWhite, [&](auto put) {
        ForEachStoredRow(pPixels, m_pSource->GetEnd(), target, (width + 7) / 8,
            [&](const std::uint8_t* pRow, std::uint8_t* pLine) {
                for (std::size_t x = 0; x < width; ++x)
                    put(pLine, x, static_cast<std::uint8_t>(pRow[x / 8] >> (7 - x % 8) & 1));
            });
    });
}

void CBmpDecoder::Decode4Bit(const std::uint8_t* pPixels, const LineTarget& target)
{
    Trace(2, "Decoding uncompressed 4 bit per pixel bitmap.\n");
    const std::size_t width = target.Width();
    target.WithWriter(m_pPalette.get(), [&](auto put) {
        ForEachStoredRow(pPixels, m_pSource->GetEnd(), target, (width + 1) / 2,
            [&](const std::uint8_t* pRow, std::uint8_t* pLine) { PutPixels<4, 1>(put, pLine, 0, pRow, width); });
    });
}

void CBmpDecoder::Decode8Bit(const std::uint8_t* pPixels, const LineTarget& target)
{
    Trace(2, "Decoding uncompressed 8 bit per pixel bitmap.\n");
    const std::size_t width = target.Width();
    target.WithWriter(m_pPalette.get(), [&](auto put) {
        ForEachStoredRow(pPixels, m_pSource->GetEnd(), target, width,
            [&](const std::uint8_t* pRow, std::uint8_t* pLine) { PutPixels<8, 1>(put, pLine, 0, pRow, width); });
    });
}

void CBmpDecoder::DecodeRLE4(const std::uint8_t* pPixels, const LineTarget& target)
{
    Trace(2, "Decoding RLE4-compressed bitmap.\n");
    target.WithWriter(m_pPalette.get(),
        [&](auto put) { DecodeRunLengths<4>(pPixels, m_pSource->GetEnd(), target, put); });
}

void CBmpDecoder::DecodeRLE8(const std::uint8_t* pPixels, const LineTarget& target)
{
    Trace(2, "Decoding RLE8-compressed bitmap.\n");
    target.WithWriter(m_pPalette.get(),
        [&](auto put) { DecodeRunLengths<8>(pPixels, m_pSource->GetEnd(), target, put); });
}

// Files deeper than 8 bits always give a 32-bit target (see GetDestBitsPerPixel).
void CBmpDecoder::Decode24Bit(const std::uint8_t* pPixels, const LineTarget& target)
{
    Trace(2, "Decoding 24 bit per pixel bitmap.\n");
    const std::size_t width = target.Width();
    ForEachStoredRow(pPixels, m_pSource->GetEnd(), target, 3 * width,
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
    const std::size_t rowBytes = 4 * target.Width();
    ForEachStoredRow(pPixels, m_pSource->GetEnd(), target, rowBytes,
        [rowBytes](const std::uint8_t* pRow, std::uint8_t* pLine) { std::memcpy(pLine, pRow, rowBytes); });
}
