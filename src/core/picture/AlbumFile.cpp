#include "core/picture/AlbumFile.h"

#include "core/picture/PicDecoder.h"
#include "core/text/Windows1252.h"

namespace {

bool StaysInAlbum(const std::string& name)
{
    return name != "." && name != ".." && name.find_first_of("/\\") == std::string::npos;
}

} // namespace

void DecodeAlbumFile(const std::string& albumFolder, const std::string& bareName, CPicDecoder& decoder,
                     CBmp& bitmap)
{
    const std::string path = albumFolder + "/" + text::Cp1252ToUtf8(bareName);
    if (!StaysInAlbum(bareName))
        CPicDecoder::RaiseError(4, "Le fichier " + path + " est invalide ou introuvable.");
    decoder.DecodeFile(path, &bitmap, 32);
}
