#pragma once

#include "core/picture/PhotoBytes.h"
#include "core/picture/PhotoFormat.h"
#include "core/picture/PhotoLimits.h"
#include "core/picture/PhotoMetadata.h"
#include "core/picture/PhotoPixels.h"
#include "core/picture/PhotoProblem.h"
#include "core/picture/PhotoSize.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <variant>

namespace talvane::picture {

class PhotoDecoder;

// A picture asked of a photo.
struct PixelRequest {
    // The result's size: upright when `upright` is set, as stored otherwise. A smaller
    // size is reduced smoothly, at the decoder's reduced scale where it has one.
    PhotoSize size;
    PixelLayout layout = PixelLayout::Rgba;
    // Turned as the EXIF orientation says; HEIF photos are decoded upright already.
    bool upright = true;
};

// The program's one reader of photos: JPEG, PNG, GIF (its first picture), TIFF, WebP,
// HEIC, AVIF and Windows or OS/2 bitmaps, told by their first bytes. Opening checks
// everything that can be judged from the file and its header, within the limits, before
// a pixel is decoded; read() then decodes at the size asked for. One reader decodes once.
class PhotoReader {
public:
    explicit PhotoReader(const std::filesystem::path& file, const PhotoLimits& limits = {});
    // Bytes in memory, which must outlive the reader.
    explicit PhotoReader(std::span<const std::uint8_t> bytes, const PhotoLimits& limits = {});
    ~PhotoReader();
    PhotoReader(const PhotoReader&) = delete;
    PhotoReader& operator=(const PhotoReader&) = delete;

    // Why the photo cannot be decoded; nothing while it can.
    const std::optional<PhotoProblem>& problem() const { return m_problem; }
    // Known once the file was opened and its first bytes are of a format read here.
    std::optional<PhotoFormat> format() const { return m_format; }
    // The picture's size as its header gives it, also when it claims too many pixels.
    PhotoSize storedSize() const { return m_size; }
    // False when the file ends before its picture, where that can be told without
    // decoding (JPEG, uncompressed bitmaps); a decoder shows such a photo made up grey.
    bool reachesItsEnd() const { return m_reachesItsEnd; }

    // The photo's tags, read on first use; nothing when its file could not be opened.
    const PhotoMetadata& metadata();
    // The stored size turned as the EXIF orientation says.
    PhotoSize uprightSize();

    // The picture, or why it cannot be decoded: the reader's problem, a size asked for
    // beyond the limits, or picture data that turns out damaged.
    std::variant<PhotoPixels, PhotoProblem> read(const PixelRequest& request);

private:
    void open(std::variant<PhotoBytes, PhotoProblem> opened);
    std::optional<PhotoProblem> problemOfHeader();

    PhotoLimits m_limits;
    std::optional<PhotoBytes> m_bytes;
    std::optional<PhotoProblem> m_problem;
    std::optional<PhotoFormat> m_format;
    std::unique_ptr<PhotoDecoder> m_decoder;
    PhotoSize m_size;
    bool m_reachesItsEnd = true;
    std::optional<PhotoMetadata> m_metadata;
};

} // namespace talvane::picture
