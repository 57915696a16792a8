#pragma once

#include "core/labels/QrCode.h"

#include <QRectF>

class QPainter;

// Draws a QR code as dark squares filling `square`, inside the light border of four
// modules that scanners need.
void drawQrCode(QPainter& painter, const QRectF& square, const talvane::labels::QrCode& code);
