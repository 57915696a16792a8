#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace talvane::picture {

// One colour of a palette, in the byte order of a device-independent bitmap.
struct PaletteEntry {
    std::uint8_t blue;
    std::uint8_t green;
    std::uint8_t red;
    std::uint8_t alpha;
};

struct PixelSize {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    bool operator==(const PixelSize&) const = default;
};

} // namespace talvane::picture

// A picture described by its size, depth, palette and a table of line
// addresses (line 0 is the top line). How the pixels are stored is up to the
// derived class.
class CBmp {
public:
    CBmp() = default;
    CBmp(const CBmp&) = delete;
    CBmp& operator=(const CBmp&) = delete;
    virtual ~CBmp() = default;

    // Replaces the picture with one of the given size. A size the storage
    // refuses throws before anything is released, so the old picture stays.
    virtual void Create(std::int32_t nWidth, std::int32_t nHeight, std::uint16_t wBitsPerPixel, bool bAlpha);
    virtual std::size_t GetLineSize() const = 0;
    virtual void ReleaseBitmap() = 0;

    // Copies 256 entries into the colour table of an 8-bit picture.
    void SetPalette(const talvane::picture::PaletteEntry* pPalette);

    talvane::picture::PixelSize GetSize() const { return {m_nWidth, m_nHeight}; }
    std::int32_t GetWidth() const { return m_nWidth; }
    std::int32_t GetHeight() const { return m_nHeight; }
    std::uint16_t getBitsPerPixel() const { return m_wBitsPerPixel; }
    bool hasAlpha() const { return m_bAlpha; }
    bool isEmpty() const { return m_ppLines.empty(); }
    // Entries for depths below 16, null otherwise.
    const talvane::picture::PaletteEntry* getColorTable() const { return m_pColorTable; }
    std::uint8_t* const* getLines() const { return m_ppLines.data(); }

protected:
    // Throws the storage's CTextException when it cannot hold such a picture.
    virtual void checkSize(std::int32_t nWidth, std::int32_t nHeight, std::uint16_t wBitsPerPixel) const = 0;
    virtual void AllocateBitmap(std::int32_t nWidth, std::int32_t nHeight, std::uint16_t wBitsPerPixel, bool bAlpha) = 0;
    virtual void BuildLineTable() = 0;

    std::int32_t m_nWidth = 0;
    std::int32_t m_nHeight = 0;
    std::uint16_t m_wBitsPerPixel = 0;
    talvane::picture::PaletteEntry* m_pColorTable = nullptr;
    std::uint8_t* m_pBits = nullptr;
    bool m_bAlpha = false;
    std::vector<std::uint8_t*> m_ppLines;
};
