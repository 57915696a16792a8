#include "core/picture/Bmp.h"

#include <algorithm>

using namespace talvane::picture;

void CBmp::Create(std::int32_t nWidth, std::int32_t nHeight, std::uint16_t wBitsPerPixel, bool bAlpha)
{
    checkSize(nWidth, nHeight, wBitsPerPixel);
    ReleaseBitmap();
    AllocateBitmap(nWidth, nHeight, wBitsPerPixel, bAlpha);
}

void CBmp::SetPalette(const PaletteEntry* pPalette)
{
    if (m_pColorTable != nullptr && m_wBitsPerPixel == 8)
        std::copy_n(pPalette, 256, m_pColorTable);
}
