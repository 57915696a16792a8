#include "core/picture/AnyPicDecoder.h"

#include "core/picture/DataSource.h"

CAnyPicDecoder::CAnyPicDecoder()
    : m_pBmpDecoder(std::make_unique<CBmpDecoder>())
{
}

void CAnyPicDecoder::DecodeSource(CDataSource* pSource, CBmp* pBitmap, int nBitsPerPixel)
{
    const std::uint8_t* pData = pSource->getCurrent();
    if (DetectFileType(pData, static_cast<std::int32_t>(pSource->getEnd() - pData)) == 0)
        RaiseError(8, "Unknown file type.");
    Trace(2, "Windows bitmap recognized.\n");
    m_pBmpDecoder->DecodeSource(pSource, pBitmap, nBitsPerPixel);
}

int CAnyPicDecoder::DetectFileType(const std::uint8_t* pData, std::int32_t nSize)
{
    return nSize >= 2 && pData[0] == 0x42 && pData[1] == 0x4D ? 1 : 0;
}
