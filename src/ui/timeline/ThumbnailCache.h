#pragma once

#include "ui/timeline/PhotoReading.h"

#include <QObject>
#include <QString>
#include <QThreadPool>

// Small pictures of timeline photos, kept in the user's cache folder so that a timeline
// of hundreds of photos opens without decoding them again. A thumbnail is found by its
// photo's path, size and modification time: a photo changed outside the program gets a
// new one, never the stale picture.
class ThumbnailCache {
public:
    // The longest side of a thumbnail, in pixels.
    static constexpr int kSide = 160;

    explicit ThumbnailCache(QString folder = defaultFolder());
    // "~/.cache/Orvande/Talvane/thumbnails" or where the system keeps caches.
    static QString defaultFolder();

    // The photo's thumbnail, and the day its camera gives: from the cache, else decoded
    // and kept there. A missing or unreadable photo gives a null image and the problem.
    ShownPhoto thumbnail(const QString& photoPath) const;
    // Where the thumbnail of the photo as it is now is kept; empty when it is missing.
    QString cachedPath(const QString& photoPath) const;

private:
    QString m_folder;
};

// Makes thumbnails on threads of its own and hands each one back on the thread it
// lives in.
class ThumbnailLoader : public QObject {
    Q_OBJECT
public:
    explicit ThumbnailLoader(ThumbnailCache cache = ThumbnailCache(), QObject* parent = nullptr);
    // Waits for the thumbnail being made: what was asked and not begun is dropped.
    ~ThumbnailLoader() override;

    void request(const QString& photoPath);
    // Drops what was asked and not begun.
    void cancelPending();
    // Waits until every thumbnail asked for is made (for tests and benchmarks).
    void waitForDone();

signals:
    void ready(const QString& photoPath, const QImage& thumbnail, const QString& problem, const QDate& taken);

private:
    ThumbnailCache m_cache;
    QThreadPool m_pool;
};
