#pragma once

#include <QImage>

class CWinBmp;
class QPainter;

// Drawing a decoded picture as a device-independent bitmap is drawn on Windows: a
// 32-bit picture as RGB32, its alpha byte ignored; an 8-bit one through its colour
// table.

// A copy of the picture, top line first; a null image for an empty bitmap.
QImage bitmapToImage(const CWinBmp& bitmap);

// Draws the whole picture at its own size, its top left corner at (x, y).
// An empty bitmap draws nothing.
void drawBitmap(QPainter& painter, const CWinBmp& bitmap, int x, int y);
