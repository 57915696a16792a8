#include "core/picture/PhotoReader.h"

#include "core/picture/PhotoDecoder.h"
#include "core/picture/PhotoLibraries.h"

#include <algorithm>

namespace talvane::picture {
namespace {

std::unique_ptr<PhotoDecoder> decoderFor(PhotoFormat format, std::span<const std::uint8_t> bytes, const PhotoLimits& limits)
{
    switch (format) {
    case PhotoFormat::Jpeg: return makeJpegDecoder(bytes);
    case PhotoFormat::Png: return makePngDecoder(bytes, limits);
    case PhotoFormat::Gif: return makeGifDecoder(bytes, limits);
    case PhotoFormat::Tiff: return makeTiffDecoder(bytes, limits);
    case PhotoFormat::WebP: return makeWebpDecoder(bytes);
    case PhotoFormat::Heic:
    case PhotoFormat::Avif: return makeHeifDecoder(bytes, limits);
    case PhotoFormat::Bmp: return makeBmpDecoder(bytes);
    }
    return nullptr;
}

bool withinLimits(PhotoSize size, const PhotoLimits& limits)
{
    return size.width <= limits.maxSide && size.height <= limits.maxSide && size.pixels() <= limits.maxPixels;
}

} // namespace

PhotoReader::PhotoReader(const std::filesystem::path& file, const PhotoLimits& limits) : m_limits(limits)
{
    open(PhotoBytes::open(file, limits.maxBytes));
}

PhotoReader::PhotoReader(std::span<const std::uint8_t> bytes, const PhotoLimits& limits) : m_limits(limits)
{
    open(PhotoBytes::borrow(bytes, limits.maxBytes));
}

PhotoReader::~PhotoReader() = default;

void PhotoReader::open(std::variant<PhotoBytes, PhotoProblem> opened)
{
    preparePhotoReading();
    if (auto* problem = std::get_if<PhotoProblem>(&opened)) {
        m_problem = std::move(*problem);
        return;
    }
    m_bytes.emplace(std::move(std::get<PhotoBytes>(opened)));
    const std::span<const std::uint8_t> bytes = m_bytes->bytes();
    m_format = photoFormatOf(bytes.first(std::min(bytes.size(), kPhotoHeadBytes)));
    if (!m_format) {
        m_problem = PhotoProblem{PhotoFault::UnknownFormat};
        return;
    }
    m_decoder = decoderFor(*m_format, bytes, m_limits);
    m_problem = problemOfHeader();
}

std::optional<PhotoProblem> PhotoReader::problemOfHeader()
{
    auto header = m_decoder->readHeader();
    if (auto* problem = std::get_if<PhotoProblem>(&header))
        return std::move(*problem);
    m_size = std::get<PhotoHeader>(header).size;
    m_reachesItsEnd = std::get<PhotoHeader>(header).reachesItsEnd;
    if (m_size.width <= 0 || m_size.height <= 0 || m_size.width > m_limits.maxSide || m_size.height > m_limits.maxSide)
        return PhotoProblem{PhotoFault::NoUsableSize};
    if (m_size.pixels() > m_limits.maxPixels)
        return PhotoProblem{PhotoFault::TooManyPixels};
    return std::nullopt;
}

const PhotoMetadata& PhotoReader::metadata()
{
    if (!m_metadata)
        m_metadata = m_bytes ? readPhotoMetadata(m_bytes->bytes(), m_limits) : PhotoMetadata{};
    return *m_metadata;
}

PhotoSize PhotoReader::uprightSize()
{
    return metadata().orientation >= 5 ? m_size.transposed() : m_size;
}

std::variant<PhotoPixels, PhotoProblem> PhotoReader::read(const PixelRequest& request)
{
    if (m_problem)
        return *m_problem;
    if (request.size.width <= 0 || request.size.height <= 0 || !withinLimits(request.size, m_limits))
        return PhotoProblem{PhotoFault::TooManyPixels};
    const int orientation = request.upright ? metadata().orientation : 1;
    PixelScaler scaler(orientation >= 5 ? request.size.transposed() : request.size, request.layout);
    if (auto problem = m_decoder->decode(scaler))
        return std::move(*problem);
    PhotoPixels pixels = scaler.finish();
    return orientation > 1 ? turnedUpright(pixels, orientation) : pixels;
}

} // namespace talvane::picture
