#pragma once

#include "core/picture/PhotoPixels.h"
#include "core/picture/PhotoSize.h"

#include <QImage>
#include <QSize>

// Where the window meets the core's photo reader: the one place a decoded photo
// becomes a QImage, which takes over its pixels without copying them.
QImage imageOfPixels(talvane::picture::PhotoPixels pixels);

inline QSize qSizeOf(talvane::picture::PhotoSize size)
{
    return {size.width, size.height};
}

inline talvane::picture::PhotoSize photoSizeOf(QSize size)
{
    return {size.width(), size.height()};
}
