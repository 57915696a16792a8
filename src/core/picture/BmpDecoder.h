#pragma once

#include "core/picture/PicDecoder.h"

#include <cstdint>

// The format step for Windows bitmap files: a 14-byte file header, a 40-byte
// info header, an optional colour table and the pixel rows, at 1, 4, 8, 24 or
// 32 bits per pixel, 4 and 8 bits also run-length compressed. Decodes to
// palette indices (8 bits) or to blue, green, red, alpha (32 bits), reading the
// source block in place and writing straight into the target's lines.
//
// The reader never leaves the source block: headers or a colour table cut
// short raise code 2, while missing pixel data only leaves pixels black (see
// the row decoders).
class CBmpDecoder : public CPicDecoder {
protected:
    void DoDecode() override;

private:
    // The info header fields the decoder uses.
    struct BitmapInfoHeader {
        std::uint32_t size;
        std::int32_t width;
        std::int32_t height;
        std::uint16_t bitCount;
        std::uint32_t compression;
        std::uint32_t colorsUsed;
    };
    class LineTarget;

    BitmapInfoHeader ReadHeaders(const std::uint8_t** ppPixels);
    void ReadPalette(const BitmapInfoHeader& header);

    void Decode1Bit(const std::uint8_t* pPixels, const LineTarget& target);
    void Decode4Bit(const std::uint8_t* pPixels, const LineTarget& target);
    void Decode8Bit(const std::uint8_t* pPixels, const LineTarget& target);
    void DecodeRLE4(const std::uint8_t* pPixels, const LineTarget& target);
    void DecodeRLE8(const std::uint8_t* pPixels, const LineTarget& target);
    void Decode24Bit(const std::uint8_t* pPixels, const LineTarget& target);
    void Decode32Bit(const std::uint8_t* pPixels, const LineTarget& target);
};
