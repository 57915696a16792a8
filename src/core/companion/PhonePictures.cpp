#include "core/companion/PhonePictures.h"

#include "core/picture/AlbumFile.h"
#include "core/picture/AnyPicDecoder.h"
#include "core/picture/TextException.h"
#include "core/picture/WinBmp.h"
#include "core/timeline/PhotoFacts.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace talvane::companion {

namespace {

void putLittleEndian(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A bottom-up 24-bit BMP file of the picture, scaled down (nearest pixel) to fit `side`.
std::string scaledBmpFile(const CBmp& picture, int side)
{
    const int width = picture.GetWidth();
    const int height = picture.GetHeight();
    const double scale = std::min(1.0, static_cast<double>(side) / std::max(width, height));
    const int outWidth = std::max(1, static_cast<int>(width * scale));
    const int outHeight = std::max(1, static_cast<int>(height * scale));
    const std::uint32_t rowSize = (static_cast<std::uint32_t>(outWidth) * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = rowSize * static_cast<std::uint32_t>(outHeight);

    std::string out = "BM";
    putLittleEndian(out, 54 + pixelBytes, 4);
    putLittleEndian(out, 0, 4);
    putLittleEndian(out, 54, 4);
    putLittleEndian(out, 40, 4);
    putLittleEndian(out, static_cast<std::uint32_t>(outWidth), 4);
    putLittleEndian(out, static_cast<std::uint32_t>(outHeight), 4);
    putLittleEndian(out, 1, 2);
    putLittleEndian(out, 24, 2);
    for (int i = 0; i < 6; ++i)
        putLittleEndian(out, 0, 4);
    out.reserve(out.size() + pixelBytes);
    for (int y = outHeight - 1; y >= 0; --y) {
        const std::uint8_t* line = picture.GetLines()[static_cast<std::size_t>(y) * height / outHeight];
        for (int x = 0; x < outWidth; ++x) {
            const std::uint8_t* pixel = line + 4 * (static_cast<std::size_t>(x) * width / outWidth);
            out.append(reinterpret_cast<const char*>(pixel), 3);
        }
        out.append(rowSize - static_cast<std::uint32_t>(outWidth) * 3, '\0');
    }
    return out;
}

} // namespace

std::optional<PhonePicture> albumPictureForPhone(const std::filesystem::path& albumFolder, const std::string& bareName,
                                                 int side)
{
    try {
        CAnyPicDecoder decoder;
        CWinBmp picture;
        DecodeAlbumFile(albumFolder.string(), bareName, decoder, picture);
        if (picture.IsEmpty() || picture.GetBitsPerPixel() != 32)
            return std::nullopt;
        return PhonePicture{scaledBmpFile(picture, side), "image/bmp"};
    } catch (const CTextException&) {
        return std::nullopt;
    }
}

std::string sniffPhotoType(std::string_view head, std::string* extension)
{
    struct Format {
        std::string_view magic;
        std::size_t offset;
        std::string_view type;
        std::string_view extension;
    };
    static constexpr Format kFormats[] = {
        {"\xFF\xD8\xFF", 0, "image/jpeg", ".jpg"},  {"\x89PNG\r\n\x1A\n", 0, "image/png", ".png"},
        {"GIF8", 0, "image/gif", ".gif"},           {"II*\0", 0, "image/tiff", ".tif"},
        {"MM\0*", 0, "image/tiff", ".tif"},
    };
    auto found = [&](std::string_view type, std::string_view ext) {
        if (extension)
            *extension = std::string(ext);
        return std::string(type);
    };
    for (const Format& format : kFormats)
        if (head.size() >= format.offset + format.magic.size() && head.substr(format.offset, format.magic.size()) == format.magic)
            return found(format.type, format.extension);
    if (head.size() >= 12 && head.substr(0, 4) == "RIFF" && head.substr(8, 4) == "WEBP")
        return found("image/webp", ".webp");
    // HEIF is told as the timeline tells it, by every brand its ftyp box names.
    if (timeline::hasHeifSignature({reinterpret_cast<const unsigned char*>(head.data()), head.size()}))
        return head.substr(8, 4) == "avif" ? found("image/avif", ".avif") : found("image/heic", ".heic");
    return {};
}

std::optional<PhonePicture> originalPhotoForPhone(const std::filesystem::path& photo)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(photo, error);
    if (error || size > kMaxPhotoBytes || !std::filesystem::is_regular_file(photo, error))
        return std::nullopt;
    std::ifstream in(photo, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof())
        return std::nullopt;
    std::string type = sniffPhotoType(std::string_view(bytes).substr(0, timeline::kPhotoHeadBytes));
    if (type != "image/jpeg" && type != "image/png" && type != "image/webp" && type != "image/gif")
        return std::nullopt;
    return PhonePicture{std::move(bytes), std::move(type)};
}

} // namespace talvane::companion
