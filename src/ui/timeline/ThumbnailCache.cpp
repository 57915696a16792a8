#include "ui/timeline/ThumbnailCache.h"

#include <QCoreApplication>

#include "core/picture/PhotoLibraries.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

constexpr int kJpegQuality = 85;

} // namespace

ThumbnailCache::ThumbnailCache(QString folder) : m_folder(std::move(folder)) {}

QString ThumbnailCache::defaultFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)).filePath(QStringLiteral("thumbnails"));
}

QString ThumbnailCache::cachedPath(const QString& photoPath) const
{
    const QFileInfo photo(photoPath);
    if (!photo.isFile())
        return {};
    QCryptographicHash key(QCryptographicHash::Sha256);
    key.addData(QFile::encodeName(photo.absoluteFilePath()));
    key.addData(QByteArray::number(photo.size()));
    key.addData(QByteArray::number(photo.lastModified().toMSecsSinceEpoch()));
    key.addData(QByteArray::number(kSide));
    return QDir(m_folder).filePath(QString::fromLatin1(key.result().toHex().left(40)) + QStringLiteral(".jpg"));
}

ShownPhoto ThumbnailCache::thumbnail(const QString& photoPath) const
{
    const QString kept = cachedPath(photoPath);
    if (kept.isEmpty())
        return {QImage(), QCoreApplication::translate("ThumbnailCache", "The photo is missing.")};
    // A thumbnail keeps no date: the photo's own is read, which costs a look at its tags only.
    if (QImage cached(kept); !cached.isNull())
        return {cached, {}, readDateTaken(photoPath)};
    ShownPhoto made = readShownPhoto(photoPath, kSide);
    if (made.image.isNull())
        return made;
    // A cache that cannot be written costs only time: the thumbnail is made again.
    QDir().mkpath(m_folder);
    QSaveFile file(kept);
    if (file.open(QIODevice::WriteOnly) && made.image.convertToFormat(QImage::Format_RGB32).save(&file, "JPG", kJpegQuality))
        file.commit();
    return made;
}

ThumbnailLoader::ThumbnailLoader(ThumbnailCache cache, QObject* parent) : QObject(parent), m_cache(std::move(cache))
{
    talvane::picture::preparePhotoReading();
}

ThumbnailLoader::~ThumbnailLoader()
{
    m_pool.clear();
    m_pool.waitForDone();
}

void ThumbnailLoader::request(const QString& photoPath)
{
    m_pool.start([this, photoPath] {
        const ShownPhoto made = m_cache.thumbnail(photoPath);
        // Handed over through this object's event loop: dropped if it is gone by then.
        QMetaObject::invokeMethod(
            this, [this, photoPath, made] { emit ready(photoPath, made.image, made.problem, made.taken); },
            Qt::QueuedConnection);
    });
}

void ThumbnailLoader::cancelPending()
{
    m_pool.clear();
}

void ThumbnailLoader::waitForDone()
{
    m_pool.waitForDone();
}
