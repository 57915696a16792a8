#pragma once

#include <QByteArrayView>
#include <QtGlobal>

class QFileInfo;
class QString;

// Whether a file can join the album as it is: a bitmap in the Album folder of at
// most 250 x 250 that the program's own decoder reads exactly as it was written
// (a 40-byte header; 1, 4, 8, 24 or 32 bits; uncompressed, RLE4 or RLE8; the pixel
// data right after the colour table; every uncompressed row present). Anything
// else is imported as a copy.
bool isAlbumReadyBitmap(const QFileInfo& file, const QString& albumFolder);

// The same judgement on the first bytes of a file and its size.
bool isAlbumReadyHeader(QByteArrayView start, qint64 fileSize);
