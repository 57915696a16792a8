#include "core/picture/PhotoMetadata.h"

#include "core/picture/HeifFile.h"
#include "core/picture/PhotoBytes.h"
#include "core/picture/PhotoFormat.h"
#include "core/picture/PhotoLibraries.h"

#include <exiv2/exiv2.hpp>
#include <exiv2/webpimage.hpp>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace talvane::picture {

using std::chrono::year_month_day;

namespace {

// Thrown wherever a photo turns out unreadable; readPhotoMetadata turns it, like every
// exception of exiv2 or the standard library, into PhotoMetadata{}.
struct UnreadablePhoto {};

std::optional<unsigned> digits(std::string_view text)
{
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    unsigned value = 0;
    for (const char c : text)
        value = value * 10 + static_cast<unsigned>(c - '0');
    return value;
}

// "YYYY:MM:DD HH:MM:SS" as EXIF writes it, which some cameras pad with spaces; a few
// programs write "YYYY-MM-DD". Only the day is read, and its digits strictly.
std::optional<year_month_day> dayOfExifDateTime(std::string_view text)
{
    text = text.substr(0, text.find_last_not_of(' ') + 1);
    if (text.size() < 10 || (text.size() > 10 && text[10] != ' ' && text[10] != 'T'))
        return std::nullopt;
    const char separator = text[4];
    if ((separator != ':' && separator != '-') || text[7] != separator)
        return std::nullopt;
    const auto year = digits(text.substr(0, 4)), month = digits(text.substr(5, 2)), day = digits(text.substr(8, 2));
    if (!year || !month || !day || *year < 1)
        return std::nullopt;
    const year_month_day date{std::chrono::year(static_cast<int>(*year)), std::chrono::month(*month), std::chrono::day(*day)};
    return date.ok() ? std::optional(date) : std::nullopt;
}

// EXIF dates are ASCII; another type in their place holds no date, and writing it out
// as text (a long run of bytes, each as a number) would only cost time.
std::optional<year_month_day> dayOfTag(const Exiv2::ExifData& exif, const char* key)
{
    const auto datum = exif.findKey(Exiv2::ExifKey(key));
    if (datum == exif.end() || datum->typeId() != Exiv2::asciiString)
        return std::nullopt;
    // exiv2 gives an ASCII value up to its first NUL, where padding with NULs starts.
    return dayOfExifDateTime(datum->toString());
}

std::optional<year_month_day> dateTakenOf(const Exiv2::ExifData& exif)
{
    for (const char* key : {"Exif.Photo.DateTimeOriginal", "Exif.Photo.DateTimeDigitized", "Exif.Image.DateTime"})
        if (auto day = dayOfTag(exif, key))
            return day;
    return std::nullopt;
}

int orientationOf(const Exiv2::ExifData& exif)
{
    const auto datum = exif.findKey(Exiv2::ExifKey("Exif.Image.Orientation"));
    if (datum == exif.end() || datum->count() == 0)
        return 1;
    const long value = datum->toLong(0);
    return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
}

// The photo formats whose tags exiv2 reads, HEIF apart. exiv2 reads many more, videos
// among them, and its QuickTime reader spends minutes on a file type box that claims a
// size far beyond the file's end: a file of another type is left alone.
bool isTaggedPhoto(const Exiv2::Image& image)
{
    using namespace Exiv2::ImageType;
    const int type = image.imageType();
    return type == jpeg || type == png || type == webp || type == tiff;
}

PhotoMetadata metadataOfImage(Exiv2::Image* image)
{
    if (!image || !isTaggedPhoto(*image))
        throw UnreadablePhoto{};
    image->readMetadata();
    const Exiv2::ExifData& exif = image->exifData();
    return {.dateTaken = dateTakenOf(exif), .orientation = orientationOf(exif)};
}

PhotoMetadata exifMetadata(std::span<const std::uint8_t> file)
{
    return metadataOfImage(Exiv2::ImageFactory::open(file.data(), static_cast<long>(file.size())).get());
}

std::uint32_t bigEndian32(const std::uint8_t* bytes)
{
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 | bytes[3];
}

// exiv2 refuses the block when it does not start with a TIFF header.
Exiv2::ExifData decodeTiff(std::span<const std::uint8_t> tiff)
{
    Exiv2::ExifData exif;
    Exiv2::ExifParser::decode(exif, tiff.data(), static_cast<std::uint32_t>(tiff.size()));
    return exif;
}

std::vector<std::uint8_t> metadataBlock(const heif_image_handle* image, heif_item_id id, std::size_t maxBytes)
{
    const std::size_t size = heif_image_handle_get_metadata_size(image, id);
    if (size > maxBytes)
        throw UnreadablePhoto{};
    std::vector<std::uint8_t> block(size);
    if (heif_image_handle_get_metadata(image, id, block.data()).code != heif_error_Ok)
        throw UnreadablePhoto{};
    return block;
}

// A HEIF Exif block opens with a big-endian count of the bytes between that field and
// the TIFF header: 0, or 6 when an "Exif\0\0" prefix stands in between as in JPEG.
std::span<const std::uint8_t> tiffOfHeifExif(const std::vector<std::uint8_t>& block)
{
    if (block.size() < 4)
        throw UnreadablePhoto{};
    const std::size_t start = std::size_t{4} + bigEndian32(block.data());
    if (start > block.size())
        throw UnreadablePhoto{};
    return std::span(block).subspan(start);
}

Exiv2::ExifData exifOfHeifImage(const heif_image_handle* image, std::size_t maxBytes)
{
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(image, "Exif", &id, 1) < 1)
        return {};
    return decodeTiff(tiffOfHeifExif(metadataBlock(image, id, maxBytes)));
}

// Only the date: libheif turns the picture by the file's own boxes when decoding it.
PhotoMetadata heifMetadata(std::span<const std::uint8_t> file, const PhotoLimits& limits)
{
    auto opened = openHeif(file, limits);
    const auto* heif = std::get_if<HeifFile>(&opened);
    if (!heif)
        throw UnreadablePhoto{};
    return {.dateTaken = dateTakenOf(exifOfHeifImage(heif->primary.get(), limits.maxMetadataBytes)), .isHeif = true};
}

} // namespace

PhotoMetadata readPhotoMetadata(std::span<const std::uint8_t> file, const PhotoLimits& limits)
{
    preparePhotoReading();
    if (file.empty())
        return {};
    try {
        const auto format = photoFormatOf(file.first(std::min(file.size(), kPhotoHeadBytes)));
        return format && isHeif(*format) ? heifMetadata(file, limits) : exifMetadata(file);
    } catch (...) {
        // Exiv2::AnyError, std::bad_alloc, UnreadablePhoto: the photo tells nothing.
        return {};
    }
}

PhotoMetadata readPhotoMetadata(const std::filesystem::path& file, const PhotoLimits& limits)
{
    const auto opened = PhotoBytes::open(file, limits.maxBytes);
    const auto* bytes = std::get_if<PhotoBytes>(&opened);
    return bytes ? readPhotoMetadata(bytes->bytes(), limits) : PhotoMetadata{};
}

} // namespace talvane::picture
