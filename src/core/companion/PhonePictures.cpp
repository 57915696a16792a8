#include "core/companion/PhonePictures.h"

#include "core/picture/AlbumFile.h"
#include "core/picture/AnyPicDecoder.h"
#include "core/picture/PhotoFormat.h"
#include "core/picture/TextException.h"
#include "core/picture/WinBmp.h"

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
        const std::uint8_t* line = picture.getLines()[static_cast<std::size_t>(y) * height / outHeight];
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
        picture::decodeAlbumFile(albumFolder, bareName, decoder, picture);
        if (picture.isEmpty() || picture.getBitsPerPixel() != 32)
            return std::nullopt;
        return PhonePicture{scaledBmpFile(picture, side), "image/bmp"};
    } catch (const CTextException&) {
        return std::nullopt;
    }
}

std::string sniffPhotoType(std::string_view head, std::string* extension)
{
    using picture::PhotoFormat;
    struct Type {
        PhotoFormat format;
        std::string_view type;
        std::string_view extension;
    };
    // Phones send no bitmaps: they are no photo format a phone takes.
    static constexpr Type kTypes[] = {
        {PhotoFormat::Jpeg, "image/jpeg", ".jpg"}, {PhotoFormat::Png, "image/png", ".png"},
        {PhotoFormat::Gif, "image/gif", ".gif"},   {PhotoFormat::Tiff, "image/tiff", ".tif"},
        {PhotoFormat::WebP, "image/webp", ".webp"}, {PhotoFormat::Heic, "image/heic", ".heic"},
        {PhotoFormat::Avif, "image/avif", ".avif"},
    };
    const auto format = picture::photoFormatOf(head);
    for (const Type& type : kTypes)
        if (format == type.format) {
            if (extension)
                *extension = std::string(type.extension);
            return std::string(type.type);
        }
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
    std::string type = sniffPhotoType(std::string_view(bytes).substr(0, picture::kPhotoHeadBytes));
    if (type != "image/jpeg" && type != "image/png" && type != "image/webp" && type != "image/gif")
        return std::nullopt;
    return PhonePicture{std::move(bytes), std::move(type)};
}

} // namespace talvane::companion
