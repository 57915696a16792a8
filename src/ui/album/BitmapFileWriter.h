#pragma once

#include <QByteArray>

class QImage;

// The bytes of a 24-bit Windows bitmap of the picture, in the plain layout every
// reader of the album takes: a 40-byte header, no compression, rows bottom up,
// each padded to a multiple of 4 bytes. Transparent parts are laid on white.
QByteArray encodeBitmap24(const QImage& picture);
