#pragma once

#include "core/picture/PhotoFormat.h"
#include "core/picture/PhotoLimits.h"
#include "core/picture/PhotoProblem.h"
#include "core/picture/PhotoSize.h"
#include "core/picture/PixelScaler.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <variant>

namespace talvane::picture {

// What a photo's header tells.
struct PhotoHeader {
    // As stored, before any turn its tags ask for.
    PhotoSize size;
    // False when the file ends before the end of its picture, where that can be told
    // without decoding (JPEG, uncompressed bitmaps).
    bool reachesItsEnd = true;
};

// The decoding of one photo format, over bytes that outlive it.
class PhotoDecoder {
public:
    virtual ~PhotoDecoder() = default;

    // Reads the header; called once, before decode().
    virtual std::variant<PhotoHeader, PhotoProblem> readHeader() = 0;
    // Hands the picture over to the scaler row by row, at the header's size or at a
    // reduced one no smaller than the scaler's target when the format can decode so.
    virtual std::optional<PhotoProblem> decode(PixelScaler& scaler) = 0;
};

std::unique_ptr<PhotoDecoder> makeJpegDecoder(std::span<const std::uint8_t> bytes);
std::unique_ptr<PhotoDecoder> makePngDecoder(std::span<const std::uint8_t> bytes, const PhotoLimits& limits);
std::unique_ptr<PhotoDecoder> makeGifDecoder(std::span<const std::uint8_t> bytes, const PhotoLimits& limits);
std::unique_ptr<PhotoDecoder> makeTiffDecoder(std::span<const std::uint8_t> bytes, const PhotoLimits& limits);
std::unique_ptr<PhotoDecoder> makeWebpDecoder(std::span<const std::uint8_t> bytes);
std::unique_ptr<PhotoDecoder> makeHeifDecoder(std::span<const std::uint8_t> bytes, const PhotoLimits& limits);
std::unique_ptr<PhotoDecoder> makeBmpDecoder(std::span<const std::uint8_t> bytes);

} // namespace talvane::picture
