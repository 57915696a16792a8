#include "document/AlbumFolder.h"

#include "framework/BaseDirectory.h"
#include "picture/AlbumFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool IsUsableFolder(const QString& path)
{
    const QFileInfo info(path);
    // A folder's files can only be opened when it can be both listed and entered.
    return info.isDir() && info.isReadable() && info.isExecutable();
}

} // namespace

QString AlbumFolder(const QString& collectionPath)
{
    const QString albumName = QString::fromLatin1(kAlbumFolderName);
    const QString started = BasePath(albumName);
    if (collectionPath.isEmpty() || IsUsableFolder(started))
        return started;
    return QFileInfo(collectionPath).absoluteDir().filePath(albumName);
}
