#pragma once

#include "core/picture/PhotoReader.h"

#include <QImage>
#include <QSize>
#include <QString>

// A photo file opened for import through the core's photo reader. Everything that can be
// judged from the file and its header is checked when it is opened, before a pixel is
// decoded: a folder, an empty or unreadable file, a format no reader knows, a picture
// claiming more than 64 megapixels, a JPEG or bitmap cut off before its end.
class PhotoSource {
public:
    static constexpr qint64 kMaxPixels = 64'000'000;

    explicit PhotoSource(const QString& path);
    PhotoSource(const PhotoSource&) = delete;
    PhotoSource& operator=(const PhotoSource&) = delete;

    // Why the photo cannot be imported, in words for the user; empty while it can.
    const QString& problem() const { return m_problem; }
    // The size of the picture turned upright as its camera orientation says.
    QSize uprightSize() const { return m_upright; }

    // Decodes the picture upright at the given size, smoothly scaled; a large JPEG
    // is decoded at a reduced scale, never whole. A null image (and a problem) when
    // the pixel data is damaged.
    QImage read(QSize uprightTarget);

private:
    QString problemOf(const talvane::picture::PhotoProblem& problem) const;

    talvane::picture::PhotoReader m_reader;
    QString m_problem;
    QSize m_upright;
};
