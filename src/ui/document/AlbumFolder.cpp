#include "document/AlbumFolder.h"

#include "document/TalvaneDoc.h"
#include "framework/FilePaths.h"

QString AlbumFolder(const CTalvaneDoc& doc)
{
    return FromFsPath(doc.pictureFolders().album);
}

QString PhotosFolder(const CTalvaneDoc& doc)
{
    return FromFsPath(doc.pictureFolders().photos);
}
