#include "core/picture/AlbumFile.h"

#include "core/picture/PicDecoder.h"
#include "core/text/Windows1252.h"

namespace talvane::picture {

namespace {

bool staysInAlbum(const std::string& name)
{
    return name != "." && name != ".." && name.find_first_of("/\\") == std::string::npos;
}

} // namespace

void decodeAlbumFile(const std::filesystem::path& albumFolder, const std::string& bareName, CPicDecoder& decoder,
                     CBmp& bitmap)
{
    const std::filesystem::path path = albumFolder / text::cp1252ToUtf8(bareName);
    if (!staysInAlbum(bareName))
        CPicDecoder::RaiseError(4, "Le fichier " + path.string() + " est invalide ou introuvable.");
    decoder.DecodeFile(path, &bitmap, 32);
}

} // namespace talvane::picture
