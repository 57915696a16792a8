#pragma once

#include "core/picture/Bmp.h"

#include <cstdlib>
#include <memory>

// A picture kept as one device-independent bitmap block: info header, colour
// table and bottom-up pixel rows in a single heap allocation of at most
// kMaxBlockSize bytes. Creating a picture leaves its pixels unset: whoever
// fills them writes or clears every byte. Only the 8 and 32 bits per pixel the decoders write are
// stored.
class CWinBmp : public CBmp {
public:
    static constexpr std::size_t kMaxBlockSize = 8'388'608;
    static constexpr std::size_t kInfoHeaderSize = 40;

    // Starts as a 16 x 16 8-bit picture with the grey ramp palette.
    CWinBmp();
    ~CWinBmp() override;

    void Create(std::int32_t nWidth, std::int32_t nHeight, std::uint16_t wBitsPerPixel, bool bAlpha) override;
    std::size_t GetLineSize() const override;
    void ReleaseBitmap() override;

    // The whole block, starting with its info header; null when empty.
    const std::uint8_t* getInfo() const { return m_pInfo.get(); }
    std::size_t getBlockSize() const { return m_blockSize; }
    // The first stored row, which is the bottom line.
    const std::uint8_t* getBits() const { return m_pBits; }

protected:
    void checkSize(std::int32_t nWidth, std::int32_t nHeight, std::uint16_t wBitsPerPixel) const override;
    void AllocateBitmap(std::int32_t nWidth, std::int32_t nHeight, std::uint16_t wBitsPerPixel, bool bAlpha) override;
    void BuildLineTable() override;

private:
    struct FreeBlock {
        void operator()(std::uint8_t* pBlock) const { std::free(pBlock); }
    };

    // Writes the header, colour table address and line table of a picture of
    // this size over the present block, which must be large enough.
    void describeBlock(std::int32_t nWidth, std::int32_t nHeight, std::uint16_t wBitsPerPixel, bool bAlpha);
    void setGreyRamp();

    std::unique_ptr<std::uint8_t, FreeBlock> m_pInfo;
    std::size_t m_blockSize = 0;
};
