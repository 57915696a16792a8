#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// A timeline photo decoded for the screen, or why it cannot be.
struct ShownPhoto {
    QImage image;
    // In words for the user; empty when the image could be read.
    QString problem;
};

// Photos larger than this are shown reduced to it: a full-size view of a larger one
// would take more memory than a screen can use.
inline constexpr qint64 kMaxShownPixels = 64'000'000;

// Reads a photo upright, turned as its camera's orientation tag says (the file is never
// changed), reduced to fit within `box` when one is given and never enlarged. Qt's image
// readers are tried first, then libheif for HEIF photos from phones. A file no reader
// can open, a damaged one, or one too large to decode gives a null image and a problem.
ShownPhoto readShownPhoto(const QString& path, QSize box = {});

// The size that fits `size` within `box` keeping its proportions, never larger than
// `size`; the whole size for an empty box.
QSize fitWithin(QSize size, QSize box);
