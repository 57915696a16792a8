#pragma once

#include <filesystem>
#include <string>

class CBmp;
class CPicDecoder;

namespace talvane::picture {

// The name of the folder that holds the photos, where they are looked for by name.
inline constexpr char kAlbumFolderName[] = "Album";

// Decodes the photo of the given bare file name (Windows-1252, as stored in a
// collection) in the album folder into the bitmap at 32 bits per pixel. A name that
// would reach outside the album (one with a directory separator, "." or "..") is
// treated as a missing file, code 4. Failures are thrown as CTextException.
void decodeAlbumFile(const std::filesystem::path& albumFolder, const std::string& bareName, CPicDecoder& decoder,
                     CBmp& bitmap);

} // namespace talvane::picture
