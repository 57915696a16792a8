#pragma once

#include "core/picture/BmpDecoder.h"

#include <memory>

// The decoder callers use: recognises the file type from its first bytes and
// hands the work to the decoder for that type. Only Windows bitmaps are known.
class CAnyPicDecoder : public CPicDecoder {
public:
    CAnyPicDecoder();

    void DecodeSource(CDataSource* pSource, CBmp* pBitmap, int nBitsPerPixel) override;

    // 1 for a Windows bitmap (the letters BM), 0 for anything else, a block
    // too short to hold them included.
    static int DetectFileType(const std::uint8_t* pData, std::int32_t nSize);

private:
    std::unique_ptr<CBmpDecoder> m_pBmpDecoder;
};
