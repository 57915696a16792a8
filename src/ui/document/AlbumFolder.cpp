#include "document/AlbumFolder.h"

#include "collection/SideFolder.h"
#include "framework/BaseDirectory.h"
#include "picture/AlbumFile.h"
#include "timeline/TimelinePhoto.h"

#include <QFile>

namespace {

QString PictureFolder(std::string_view name, const QString& collectionPath)
{
    const auto folder = SideFolder(name, QFile::encodeName(BaseDirectory()).toStdString(),
                                   QFile::encodeName(collectionPath).toStdString());
    return QFile::decodeName(QByteArray::fromStdString(folder.string()));
}

} // namespace

QString AlbumFolder(const QString& collectionPath)
{
    return PictureFolder(kAlbumFolderName, collectionPath);
}

QString PhotosFolder(const QString& collectionPath)
{
    return PictureFolder(talvane::timeline::kPhotosFolderName, collectionPath);
}
