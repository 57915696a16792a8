#include "core/picture/PhotoDecoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cstdlib>
#include <vector>

namespace talvane::picture {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

std::uint32_t littleEndian(std::span<const std::uint8_t> bytes, std::size_t at, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

// One channel of a pixel given by a mask of contiguous bits, widened or narrowed to 8 bits.
std::uint8_t channel(std::uint32_t pixel, std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask >> shift);
    const std::uint32_t value = (pixel & mask) >> shift;
    if (bits >= 8)
        return static_cast<std::uint8_t>(value >> (bits - 8));
    return static_cast<std::uint8_t>(value * 255 / ((1u << bits) - 1));
}

// What the headers of a Windows or OS/2 bitmap say, whichever of their versions it has.
struct BmpLayout {
    PhotoSize size;
    bool bottomUp = true;
    int bits = 0;
    std::uint32_t compression = kRgb;
    std::array<std::uint32_t, 4> masks{};
    std::vector<std::array<std::uint8_t, 3>> palette; // red, green, blue
    std::size_t pixelsAt = 0;
    std::size_t rowBytes = 0;
};

// Reads the masks of bit fields, from the header of version 2 and later or after a
// 40-byte one; a bitmap without them has the usual 5-5-5 or 8-8-8 ones. Gives where the
// colour table starts.
std::size_t readMasks(std::span<const std::uint8_t> file, std::uint32_t headerSize, BmpLayout& layout)
{
    const bool fields = layout.compression == kBitFields || layout.compression == kAlphaBitFields;
    std::size_t tableAt = kFileHeaderSize + headerSize;
    if (!fields) {
        // 24 bits are blue, green and red bytes: as the 8-8-8 masks read them.
        layout.masks = layout.bits == 16 ? std::array<std::uint32_t, 4>{0x7C00, 0x03E0, 0x001F, 0}
                                         : std::array<std::uint32_t, 4>{0xFF0000, 0xFF00, 0xFF, 0};
        return tableAt;
    }
    const std::size_t masksAt = headerSize == kInfoHeaderSize ? tableAt : kFileHeaderSize + kInfoHeaderSize;
    const int count = headerSize >= 56 || layout.compression == kAlphaBitFields ? 4 : 3;
    if (headerSize == kInfoHeaderSize)
        tableAt += 4 * static_cast<std::size_t>(count);
    for (int i = 0; i < count && masksAt + 4 * static_cast<std::size_t>(i) + 4 <= file.size(); ++i)
        layout.masks[static_cast<std::size_t>(i)] = littleEndian(file, masksAt + 4 * static_cast<std::size_t>(i), 4);
    return tableAt;
}

void readPalette(std::span<const std::uint8_t> file, std::size_t at, std::size_t entrySize, std::uint32_t colours,
                 BmpLayout& layout)
{
    const std::size_t count = layout.bits > 8     ? 0
                              : colours != 0       ? std::min<std::size_t>(colours, 256)
                                                   : std::size_t{1} << layout.bits;
    for (std::size_t i = 0; i < count && at + entrySize * (i + 1) <= file.size(); ++i) {
        const std::uint8_t* entry = &file[at + entrySize * i];
        layout.palette.push_back({entry[2], entry[1], entry[0]});
    }
}

std::optional<BmpLayout> readLayout(std::span<const std::uint8_t> file)
{
    if (file.size() < kFileHeaderSize + 4)
        return std::nullopt;
    const std::uint32_t headerSize = littleEndian(file, 14, 4);
    const bool core = headerSize == kCoreHeaderSize;
    if ((!core && headerSize < kInfoHeaderSize) || file.size() < kFileHeaderSize + std::min(headerSize, 124u))
        return std::nullopt;
    BmpLayout layout;
    // An OS/2 bitmap's sides are unsigned 16-bit; a Windows one stands top-down when its
    // height is negative.
    const auto height = static_cast<std::int32_t>(core ? littleEndian(file, 20, 2) : littleEndian(file, 22, 4));
    layout.size = {static_cast<std::int32_t>(core ? littleEndian(file, 18, 2) : littleEndian(file, 18, 4)),
                   height == INT_MIN ? 0 : std::abs(height)};
    layout.bottomUp = height > 0;
    layout.bits = static_cast<int>(littleEndian(file, core ? 24 : 28, 2));
    layout.compression = core ? kRgb : littleEndian(file, 30, 4);
    const std::size_t tableAt = readMasks(file, headerSize, layout);
    readPalette(file, tableAt, core ? 3 : 4, core ? 0 : littleEndian(file, 46, 4), layout);
    layout.pixelsAt = littleEndian(file, 10, 4);
    // Rows are padded to whole 32-bit words.
    const auto rowBits = static_cast<std::size_t>(std::max(layout.size.width, 0)) * static_cast<std::size_t>(layout.bits);
    layout.rowBytes = (rowBits + 31) / 32 * 4;
    return layout;
}

bool isReadable(const BmpLayout& layout)
{
    switch (layout.compression) {
    case kRgb:
        return layout.bits == 1 || layout.bits == 4 || layout.bits == 8 || layout.bits == 16 || layout.bits == 24 ||
               layout.bits == 32;
    case kRle8: return layout.bits == 8;
    case kRle4: return layout.bits == 4;
    case kBitFields:
    case kAlphaBitFields: return layout.bits == 16 || layout.bits == 32;
    default: return false;
    }
}

// The pixels of a run-length coded bitmap as palette indices, stored rows first to
// last; pixels the coding skips keep index 0.
class RunLengthIndices {
public:
    explicit RunLengthIndices(const BmpLayout& layout)
        : m_size(layout.size), m_nibbles(layout.compression == kRle4), m_indices(layout.size.pixels())
    {
    }

    std::vector<std::uint8_t> decode(std::span<const std::uint8_t> coded)
    {
        for (std::size_t at = 0; at + 2 <= coded.size() && m_y < m_size.height;) {
            const int count = coded[at], value = coded[at + 1];
            at += 2;
            if (count > 0) {
                const std::uint8_t pair[1] = {static_cast<std::uint8_t>(value)};
                for (int i = 0; i < count; ++i)
                    put(m_nibbles ? indexAt(pair, i % 2) : value);
            } else if (!escape(coded, at, value)) {
                break;
            }
        }
        return std::move(m_indices);
    }

private:
    // After a zero count: the end of a line or of the picture, a move right and up, or
    // `code` indices as they are, padded to an even count of bytes. False when the
    // coded bytes end first.
    bool escape(std::span<const std::uint8_t> coded, std::size_t& at, int code)
    {
        if (code == 0 || code == 1) {
            m_x = 0;
            m_y = code == 0 ? m_y + 1 : m_size.height;
            return true;
        }
        const std::size_t bytes = code == 2 ? 2 : m_nibbles ? (static_cast<std::size_t>(code) + 1) / 2 : static_cast<std::size_t>(code);
        if (at + bytes > coded.size())
            return false;
        if (code == 2) {
            m_x = std::min(m_size.width, m_x + coded[at]);
            m_y += coded[at + 1];
        } else {
            for (int i = 0; i < code; ++i)
                put(indexAt(&coded[at], i));
        }
        at += code == 2 ? 2 : (bytes + 1) & ~std::size_t{1};
        return true;
    }

    int indexAt(const std::uint8_t* bytes, int i) const
    {
        return m_nibbles ? (i % 2 == 0 ? bytes[i / 2] >> 4 : bytes[i / 2] & 0x0F) : bytes[i];
    }

    void put(int index)
    {
        if (m_x < m_size.width && m_y < m_size.height)
            m_indices[static_cast<std::size_t>(m_y) * static_cast<std::size_t>(m_size.width) + static_cast<std::size_t>(m_x++)] =
                static_cast<std::uint8_t>(index);
    }

    PhotoSize m_size;
    bool m_nibbles;
    std::vector<std::uint8_t> m_indices;
    int m_x = 0;
    int m_y = 0;
};

// A bitmap's pixels from its headers' version 1 to 5: 1, 4, 8, 16, 24 or 32 bits, plain,
// run-length coded or in bit fields, top-down or bottom-up.
class BmpDecoder final : public PhotoDecoder {
public:
    explicit BmpDecoder(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::variant<PhotoHeader, PhotoProblem> readHeader() override
    {
        auto layout = readLayout(m_bytes);
        if (!layout || !isReadable(*layout))
            return PhotoProblem{PhotoFault::NoUsableSize};
        m_layout = std::move(*layout);
        const bool runLength = m_layout.compression == kRle4 || m_layout.compression == kRle8;
        const std::uint64_t end = m_layout.pixelsAt + m_layout.rowBytes * static_cast<std::uint64_t>(m_layout.size.height);
        return PhotoHeader{m_layout.size, runLength || m_bytes.size() >= end};
    }

    std::optional<PhotoProblem> decode(PixelScaler& scaler) override
    {
        const PhotoSize size = m_layout.size;
        const bool runLength = m_layout.compression == kRle4 || m_layout.compression == kRle8;
        const std::vector<std::uint8_t> indices =
            runLength ? RunLengthIndices(m_layout).decode(m_bytes.subspan(std::min(m_bytes.size(), m_layout.pixelsAt)))
                      : std::vector<std::uint8_t>();
        std::vector<std::uint8_t> row(static_cast<std::size_t>(size.width) * 4);
        scaler.start(size, PixelLayout::Rgba);
        for (int y = 0; y < size.height; ++y) {
            const auto stored = static_cast<std::size_t>(m_layout.bottomUp ? size.height - 1 - y : y);
            if (runLength)
                paletteRow(&indices[stored * static_cast<std::size_t>(size.width)], row.data());
            else
                storedRow(stored, row.data());
            scaler.addRow(row.data());
        }
        return std::nullopt;
    }

private:
    void colourOf(unsigned index, std::uint8_t* out) const
    {
        const auto colour = index < m_layout.palette.size() ? m_layout.palette[index] : std::array<std::uint8_t, 3>{};
        std::copy(colour.begin(), colour.end(), out);
        out[3] = 255;
    }

    void paletteRow(const std::uint8_t* indices, std::uint8_t* out) const
    {
        for (int x = 0; x < m_layout.size.width; ++x, out += 4)
            colourOf(indices[x], out);
    }

    // Pixels whose bytes lie beyond a cut-off file are black.
    void storedRow(std::size_t stored, std::uint8_t* out) const
    {
        const std::size_t start = m_layout.pixelsAt + stored * m_layout.rowBytes;
        const std::span<const std::uint8_t> bytes = start < m_bytes.size()
                                                        ? m_bytes.subspan(start, std::min(m_layout.rowBytes, m_bytes.size() - start))
                                                        : std::span<const std::uint8_t>();
        const auto bits = static_cast<std::size_t>(m_layout.bits);
        for (std::size_t x = 0; x < static_cast<std::size_t>(m_layout.size.width); ++x, out += 4) {
            const std::size_t at = x * bits / 8;
            if (at + (bits + 7) / 8 > bytes.size()) {
                colourOf(UINT_MAX, out);
                continue;
            }
            if (bits <= 8)
                colourOf(bytes[at] >> (8 - bits - x * bits % 8) & ((1u << bits) - 1), out);
            else if (bits == 24)
                maskedPixel(littleEndian(bytes, at, 3), out);
            else
                maskedPixel(littleEndian(bytes, at, static_cast<int>(bits / 8)), out);
        }
    }

    void maskedPixel(std::uint32_t pixel, std::uint8_t* out) const
    {
        for (std::size_t c = 0; c < 3; ++c)
            out[c] = channel(pixel, m_layout.masks[c]);
        out[3] = m_layout.masks[3] != 0 ? channel(pixel, m_layout.masks[3]) : 255;
    }

    std::span<const std::uint8_t> m_bytes;
    BmpLayout m_layout;
};

} // namespace

std::unique_ptr<PhotoDecoder> makeBmpDecoder(std::span<const std::uint8_t> bytes)
{
    return std::make_unique<BmpDecoder>(bytes);
}

} // namespace talvane::picture
