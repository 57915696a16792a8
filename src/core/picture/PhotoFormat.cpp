#include "core/picture/PhotoFormat.h"

#include "core/picture/HeifBoxes.h"

namespace talvane::picture {

std::optional<PhotoFormat> photoFormatOf(std::string_view head)
{
    struct Signature {
        std::string_view magic;
        PhotoFormat format;
    };
    static constexpr Signature kSignatures[] = {
        {"\xFF\xD8\xFF", PhotoFormat::Jpeg}, {"\x89PNG\r\n\x1A\n", PhotoFormat::Png},
        {"GIF8", PhotoFormat::Gif},          {std::string_view("II*\0", 4), PhotoFormat::Tiff},
        {std::string_view("MM\0*", 4), PhotoFormat::Tiff},
    };
    for (const Signature& signature : kSignatures)
        if (head.starts_with(signature.magic))
            return signature.format;
    if (head.size() >= 12 && head.starts_with("RIFF") && head.substr(8, 4) == "WEBP")
        return PhotoFormat::WebP;
    if (hasHeifSignature(head))
        return head.substr(8, 4) == "avif" ? PhotoFormat::Avif : PhotoFormat::Heic;
    // Two letters say little, so the bitmap is told last.
    if (head.starts_with("BM"))
        return PhotoFormat::Bmp;
    return std::nullopt;
}

std::optional<PhotoFormat> photoFormatOf(std::span<const std::uint8_t> head)
{
    return photoFormatOf(std::string_view(reinterpret_cast<const char*>(head.data()), head.size()));
}

} // namespace talvane::picture
