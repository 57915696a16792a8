#include "core/timeline/PhotoFacts.h"

#include <exiv2/exiv2.hpp>
#include <exiv2/webpimage.hpp>
#include <libheif/heif.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <span>
#include <string_view>
#include <vector>

namespace talvane::timeline {

using talvane::journal::CalendarDate;

namespace {

// Thrown wherever a photo turns out unreadable; readPhotoFacts turns it, like every
// exception of exiv2 or the standard library, into PhotoFacts{}.
struct UnreadablePhoto {};

// No camera writes Exif blocks this large; a file that claims one is refused before
// anything is allocated for it.
constexpr std::size_t kMaxMetadataBytes = 16 * 1024 * 1024;

// exiv2 0.27 finds no Exif in these files, even with its BMFF reader enabled: they go
// to libheif, which decodes and turns them.
constexpr std::array<std::string_view, 9> kHeifBrands{"heic", "heix", "hevc", "heim", "heis",
                                                      "hevm", "mif1", "msf1", "avif"};


std::uint32_t bigEndian32(const unsigned char* bytes)
{
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 | bytes[3];
}

bool isHeifBrand(std::string_view brand)
{
    return std::find(kHeifBrands.begin(), kHeifBrands.end(), brand) != kHeifBrands.end();
}

std::vector<unsigned char> fileHead(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<unsigned char> head(kPhotoHeadBytes);
    file.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(file.gcount()));
    return head;
}

// "YYYY:MM:DD HH:MM:SS" as EXIF writes it, which some cameras pad with spaces; a few
// programs write "YYYY-MM-DD". Only the day is read, and its digits strictly.
std::optional<CalendarDate> dayOfExifDateTime(std::string_view text)
{
    text = text.substr(0, text.find_last_not_of(' ') + 1);
    if (text.size() < 10 || (text.size() > 10 && text[10] != ' ' && text[10] != 'T'))
        return std::nullopt;
    std::string day(text.substr(0, 10));
    if (day[4] == ':' && day[7] == ':')
        day[4] = day[7] = '-';
    return CalendarDate::fromText(day);
}

// EXIF dates are ASCII; another type in their place holds no date, and writing it out
// as text (a long run of bytes, each as a number) would only cost time.
std::optional<CalendarDate> dayOfTag(const Exiv2::ExifData& exif, const char* key)
{
    const auto datum = exif.findKey(Exiv2::ExifKey(key));
    if (datum == exif.end() || datum->typeId() != Exiv2::asciiString)
        return std::nullopt;
    // exiv2 gives an ASCII value up to its first NUL, where padding with NULs starts.
    return dayOfExifDateTime(datum->toString());
}

std::optional<CalendarDate> dateTakenOf(const Exiv2::ExifData& exif)
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

PhotoFacts factsOfExif(const Exiv2::ExifData& exif)
{
    return {.dateTaken = dateTakenOf(exif), .orientation = orientationOf(exif)};
}

// The photo formats the album shows, HEIF apart. exiv2 reads many more, videos among
// them, and its QuickTime reader spends minutes on a file type box that claims a
// size far beyond the file's end: a file of another type is left alone.
bool isAlbumPhoto(const Exiv2::Image& image)
{
    using namespace Exiv2::ImageType;
    const int type = image.imageType();
    return type == jpeg || type == png || type == webp || type == tiff;
}

PhotoFacts factsOfImage(Exiv2::Image* image)
{
    if (!image || !isAlbumPhoto(*image))
        throw UnreadablePhoto{};
    image->readMetadata();
    return factsOfExif(image->exifData());
}

PhotoFacts exifFactsOfFile(const std::string& path)
{
    // exiv2 would fetch an "http://..." path from the network and read "-" from
    // standard input; an absolute path is always a file.
    const std::string file = std::filesystem::absolute(path).string();
    return factsOfImage(Exiv2::ImageFactory::open(file, false).get());
}

PhotoFacts exifFactsOfBytes(const unsigned char* data, std::size_t size)
{
    return factsOfImage(Exiv2::ImageFactory::open(data, static_cast<long>(size)).get());
}

// exiv2 refuses the block when it does not start with a TIFF header.
Exiv2::ExifData decodeTiff(std::span<const unsigned char> tiff)
{
    Exiv2::ExifData exif;
    Exiv2::ExifParser::decode(exif, tiff.data(), static_cast<std::uint32_t>(tiff.size()));
    return exif;
}

void throwOnError(heif_error error)
{
    if (error.code != heif_error_Ok)
        throw UnreadablePhoto{};
}

using HeifContext = std::unique_ptr<heif_context, decltype(&heif_context_free)>;
using HeifImageHandle = std::unique_ptr<heif_image_handle, decltype(&heif_image_handle_release)>;

HeifContext newHeifContext()
{
    HeifContext context(heif_context_alloc(), heif_context_free);
    if (!context)
        throw UnreadablePhoto{};
    return context;
}

std::vector<unsigned char> metadataBlock(const heif_image_handle* image, heif_item_id id)
{
    const std::size_t size = heif_image_handle_get_metadata_size(image, id);
    if (size > kMaxMetadataBytes)
        throw UnreadablePhoto{};
    std::vector<unsigned char> block(size);
    throwOnError(heif_image_handle_get_metadata(image, id, block.data()));
    return block;
}

// A HEIF Exif block opens with a big-endian count of the bytes between that field and
// the TIFF header: 0, or 6 when an "Exif\0\0" prefix stands in between as in JPEG.
std::span<const unsigned char> tiffOfHeifExif(const std::vector<unsigned char>& block)
{
    if (block.size() < 4)
        throw UnreadablePhoto{};
    const std::size_t start = std::size_t{4} + bigEndian32(block.data());
    if (start > block.size())
        throw UnreadablePhoto{};
    return std::span(block).subspan(start);
}

Exiv2::ExifData exifOfHeifImage(const heif_image_handle* image)
{
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(image, "Exif", &id, 1) < 1)
        return {};
    return decodeTiff(tiffOfHeifExif(metadataBlock(image, id)));
}

// Only the date: libheif turns the picture by the file's own boxes when decoding it.
PhotoFacts factsOfHeif(heif_context* context)
{
    heif_image_handle* primary = nullptr;
    throwOnError(heif_context_get_primary_image_handle(context, &primary));
    const HeifImageHandle image(primary, heif_image_handle_release);
    return {.dateTaken = dateTakenOf(exifOfHeifImage(image.get())), .isHeif = true};
}

PhotoFacts heifFactsOfFile(const std::string& path)
{
    const HeifContext context = newHeifContext();
    throwOnError(heif_context_read_from_file(context.get(), path.c_str(), nullptr));
    return factsOfHeif(context.get());
}

PhotoFacts heifFactsOfBytes(const unsigned char* data, std::size_t size)
{
    const HeifContext context = newHeifContext();
    throwOnError(heif_context_read_from_memory_without_copy(context.get(), data, size, nullptr));
    return factsOfHeif(context.get());
}

template <typename Read>
PhotoFacts factsOrNothing(Read read)
{
    try {
        return read();
    } catch (...) {
        // Exiv2::AnyError, std::bad_alloc, UnreadablePhoto: the photo tells nothing.
        return {};
    }
}

} // namespace

bool hasHeifSignature(std::span<const unsigned char> head)
{
    const std::string_view text(reinterpret_cast<const char*>(head.data()), head.size());
    if (text.size() < 12 || text.substr(4, 4) != "ftyp")
        return false;
    if (isHeifBrand(text.substr(8, 4)))
        return true;
    const std::size_t boxEnd = std::min<std::size_t>(text.size(), bigEndian32(head.data()));
    for (std::size_t at = 16; at + 4 <= boxEnd; at += 4)
        if (isHeifBrand(text.substr(at, 4)))
            return true;
    return false;
}

void preparePhotoFactsReading()
{
    static std::once_flag prepared;
    std::call_once(prepared, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::XmpParser::initialize();
        // libheif asks to be initialised once before use; it is never shut down, since
        // photos may be read until the program ends.
        heif_init(nullptr);
    });
}

PhotoFacts readPhotoFacts(const std::string& path)
{
    preparePhotoFactsReading();
    std::error_code error;
    // A FIFO or a device could block the reader or never end.
    if (!std::filesystem::is_regular_file(path, error))
        return {};
    return factsOrNothing([&] {
        return hasHeifSignature(fileHead(path)) ? heifFactsOfFile(path) : exifFactsOfFile(path);
    });
}

PhotoFacts readPhotoFacts(const unsigned char* data, std::size_t size)
{
    preparePhotoFactsReading();
    if (!data || size == 0)
        return {};
    return factsOrNothing([&] {
        return hasHeifSignature({data, size}) ? heifFactsOfBytes(data, size) : exifFactsOfBytes(data, size);
    });
}

} // namespace talvane::timeline
