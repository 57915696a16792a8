#include "album/AlbumFolder.h"

#include "framework/BaseDirectory.h"

QString AlbumFolderPath()
{
    return BasePath(QStringLiteral("Album"));
}
