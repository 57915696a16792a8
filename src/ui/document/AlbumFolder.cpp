#include "ui/document/AlbumFolder.h"

#include "ui/document/TalvaneDoc.h"
#include "ui/framework/FilePaths.h"

QString AlbumFolder(const CTalvaneDoc& doc)
{
    return FromFsPath(doc.pictureFolders().album);
}

QString PhotosFolder(const CTalvaneDoc& doc)
{
    return FromFsPath(doc.pictureFolders().photos);
}
