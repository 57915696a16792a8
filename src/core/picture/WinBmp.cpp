#include "core/picture/WinBmp.h"

#include "core/picture/TextException.h"

#include <cstring>
#include <new>

using namespace talvane::picture;

namespace {

constexpr std::int32_t kSizeRefused = 9;

// Sizes the storage cannot hold at all (a width or height below 1, or a depth
// the decoders never write) are refused with the code of oversized pictures,
// 9, and this text, so that callers handle every refused size alike.
constexpr const char* kInvalidSizeText = "Bitmap width, height or depth invalid.\n";
constexpr const char* kTooLargeText = "Bitmap size too large.\n";

std::uint64_t colorTableSize(std::uint16_t wBitsPerPixel)
{
    return wBitsPerPixel < 16 ? std::uint64_t{4} << wBitsPerPixel : 0;
}

// Computed in 64 bits: no width or depth can wrap it.
std::uint64_t lineSizeOf(std::int32_t nWidth, std::uint16_t wBitsPerPixel)
{
    const std::uint64_t bytes = (static_cast<std::uint64_t>(nWidth) * wBitsPerPixel + 7) / 8;
    return (bytes + 3) & ~std::uint64_t{3};
}

// Only for sizes checkSize accepted.
std::size_t blockSizeOf(std::int32_t nWidth, std::int32_t nHeight, std::uint16_t wBitsPerPixel)
{
    return static_cast<std::size_t>(CWinBmp::kInfoHeaderSize + colorTableSize(wBitsPerPixel)
        + lineSizeOf(nWidth, wBitsPerPixel) * static_cast<std::uint64_t>(nHeight));
}

void putLittleEndian(std::uint8_t* p, std::uint32_t value, int nBytes)
{
    for (int i = 0; i < nBytes; ++i)
        p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace

CWinBmp::CWinBmp()
{
    AllocateBitmap(16, 16, 8, false);
    std::memset(m_pBits, 0, GetLineSize() * static_cast<std::size_t>(m_nHeight));
}

CWinBmp::~CWinBmp()
{
    CWinBmp::ReleaseBitmap();
}

std::size_t CWinBmp::GetLineSize() const
{
    return static_cast<std::size_t>(lineSizeOf(m_nWidth, m_wBitsPerPixel));
}

void CWinBmp::checkSize(std::int32_t nWidth, std::int32_t nHeight, std::uint16_t wBitsPerPixel) const
{
    if (nWidth < 1 || nHeight < 1 || (wBitsPerPixel != 8 && wBitsPerPixel != 32))
        throw CTextException(kSizeRefused, kInvalidSizeText);
    // Bounded by division rather than by a product that could overflow.
    const std::uint64_t fixedPart = kInfoHeaderSize + colorTableSize(wBitsPerPixel);
    const std::uint64_t rowsLimit = (kMaxBlockSize - fixedPart) / static_cast<std::uint64_t>(nHeight);
    if (lineSizeOf(nWidth, wBitsPerPixel) > rowsLimit)
        throw CTextException(kSizeRefused, kTooLargeText);
}

void CWinBmp::Create(std::int32_t nWidth, std::int32_t nHeight, std::uint16_t wBitsPerPixel, bool bAlpha)
{
    checkSize(nWidth, nHeight, wBitsPerPixel);
    // A picture of the last one's block size keeps the block: photos shown one
    // after another then cost no allocation and no fresh pages.
    if (m_pInfo && blockSizeOf(nWidth, nHeight, wBitsPerPixel) == m_blockSize)
        describeBlock(nWidth, nHeight, wBitsPerPixel, bAlpha);
    else
        CBmp::Create(nWidth, nHeight, wBitsPerPixel, bAlpha);
}

void CWinBmp::AllocateBitmap(std::int32_t nWidth, std::int32_t nHeight, std::uint16_t wBitsPerPixel, bool bAlpha)
{
    checkSize(nWidth, nHeight, wBitsPerPixel);
    const std::size_t blockSize = blockSizeOf(nWidth, nHeight, wBitsPerPixel);
    // The pixels are left as they come: the decoder writes or clears each of
    // them once, rather than clearing a block it is about to fill.
    m_pInfo.reset(static_cast<std::uint8_t*>(std::malloc(blockSize)));
    if (!m_pInfo)
        throw std::bad_alloc();
    m_blockSize = blockSize;
    describeBlock(nWidth, nHeight, wBitsPerPixel, bAlpha);
}

void CWinBmp::describeBlock(std::int32_t nWidth, std::int32_t nHeight, std::uint16_t wBitsPerPixel, bool bAlpha)
{
    const std::size_t tableSize = static_cast<std::size_t>(colorTableSize(wBitsPerPixel));
    std::uint8_t* pHeader = m_pInfo.get();
    std::memset(pHeader, 0, kInfoHeaderSize);
    putLittleEndian(pHeader, kInfoHeaderSize, 4);
    putLittleEndian(pHeader + 4, static_cast<std::uint32_t>(nWidth), 4);
    putLittleEndian(pHeader + 8, static_cast<std::uint32_t>(nHeight), 4);
    putLittleEndian(pHeader + 12, 1, 2);
    putLittleEndian(pHeader + 14, wBitsPerPixel, 2);

    m_pColorTable = tableSize != 0 ? reinterpret_cast<PaletteEntry*>(pHeader + kInfoHeaderSize) : nullptr;
    m_pBits = pHeader + kInfoHeaderSize + tableSize;
    m_nWidth = nWidth;
    m_nHeight = nHeight;
    m_wBitsPerPixel = wBitsPerPixel;
    m_bAlpha = bAlpha;
    try {
        BuildLineTable();
    } catch (...) {
        ReleaseBitmap();
        throw;
    }
    if (m_pColorTable != nullptr)
        setGreyRamp();
}

void CWinBmp::ReleaseBitmap()
{
    m_pInfo.reset();
    m_blockSize = 0;
    m_ppLines.clear();
    m_ppLines.shrink_to_fit();
    m_pColorTable = nullptr;
    m_pBits = nullptr;
    m_nWidth = 0;
    m_nHeight = 0;
}

void CWinBmp::BuildLineTable()
{
    const std::size_t lineSize = GetLineSize();
    const auto height = static_cast<std::size_t>(m_nHeight);
    m_ppLines.resize(height);
    for (std::size_t i = 0; i < height; ++i)
        m_ppLines[i] = m_pBits + (height - 1 - i) * lineSize;
}

void CWinBmp::setGreyRamp()
{
    const unsigned count = 1u << m_wBitsPerPixel;
    for (unsigned i = 0; i < count; ++i) {
        const auto level = static_cast<std::uint8_t>(256 / count * i);
        m_pColorTable[i] = {level, level, level, 255};
    }
}
