#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// Labels read from the photos phones take of them.
namespace talvane::companion {

// No photo of a label larger than this is taken from a phone.
inline constexpr std::uint64_t kMaxLabelPhotoBytes = 20u * 1024 * 1024;

// A photo is looked at no larger than this on its longer side: a label's code is found
// as well, and a photo of 48 megapixels costs no more than one of 4.
inline constexpr int kLabelScanSide = 2048;

// The texts of the QR codes a photo shows (JPEG or PNG: a phone's browser sends what
// its camera takes as a JPEG), in the order they are found; or why the photo cannot be
// read, a phone text in English. No code found is an empty list. HEIC is not read: its
// decoder allocates what a hostile file's frame claims before it can be refused. The
// photo is decoded by picture::PhotoReader.
std::variant<std::string, std::vector<std::string>> readQrCodesInPhoto(std::string_view photo);

} // namespace talvane::companion
