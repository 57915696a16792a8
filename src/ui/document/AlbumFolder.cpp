#include "ui/document/AlbumFolder.h"

#include "ui/document/TalvaneDoc.h"
#include "ui/framework/FilePaths.h"

QString albumFolder(const CTalvaneDoc& doc)
{
    return fromFsPath(doc.pictureFolders().album);
}

QString photosFolder(const CTalvaneDoc& doc)
{
    return fromFsPath(doc.pictureFolders().photos);
}
