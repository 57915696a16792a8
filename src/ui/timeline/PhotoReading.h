#pragma once

#include <QDate>
#include <QImage>
#include <QString>

// A timeline photo decoded for the screen, or why it cannot be.
struct ShownPhoto {
    QImage image;
    // In words for the user; empty when the image could be read.
    QString problem;
    // The day its camera says it was taken; null when it says none.
    QDate taken = {};
};

// A photo file as the viewer and the comparison list it.
struct CaptionedPhoto {
    QString path;
    // "12/05/2026 · Photo · first buds".
    QString caption;
};

// Photos larger than this are shown reduced to it: a full-size view of a larger one
// would take more memory than a screen can use.
inline constexpr qint64 kMaxShownPixels = 64'000'000;

// The day a photo's camera says it was taken; null when it says none.
QDate readDateTaken(const QString& path);

// Reads a photo upright, turned as its camera's orientation tag says (the file is never
// changed), reduced to fit within side x side when a side is given and never enlarged,
// through the core's photo reader. A file no reader can open, a damaged one, or one too
// large to decode gives a null image and a problem.
ShownPhoto readShownPhoto(const QString& path, int side = 0);
