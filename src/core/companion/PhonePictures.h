#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

// Pictures as the phone pages send them.
namespace talvane::companion {

struct PhonePicture {
    std::string bytes;
    std::string contentType;
};

// No photo larger than this is read to be sent.
inline constexpr std::uintmax_t kMaxPhotoBytes = 40u * 1024 * 1024;

// An album picture (a bare name in the album folder), decoded by the program's own
// decoder and sent as a plain 24-bit bitmap every browser shows, at most `side` pixels
// wide and high. Nothing when the picture is missing or cannot be decoded.
std::optional<PhonePicture> albumPictureForPhone(const std::filesystem::path& albumFolder, const std::string& bareName,
                                                 int side);

// A timeline photo as it is, for the formats every phone browser shows (JPEG, PNG,
// WebP, GIF), which turn it upright by its EXIF orientation themselves. Nothing for
// other formats and for files that are not photos or are too large.
std::optional<PhonePicture> originalPhotoForPhone(const std::filesystem::path& photo);

// The MIME type of a photo by its first bytes (picture::kPhotoHeadBytes of them), or
// empty when they are no photo format the timeline takes; `extension` receives the file
// extension to give it.
std::string sniffPhotoType(std::string_view head, std::string* extension = nullptr);

} // namespace talvane::companion
