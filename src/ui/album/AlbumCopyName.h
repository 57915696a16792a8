#pragma once

#include <QString>
#include <QStringList>

// The file name an imported photo gets in the Album folder: the source's name
// without its extension, reduced to letters, digits, "-", "_" and spaces that a
// collection can store, at most 30 characters, then " (2)", " (3)" ... when the
// name is taken, and ".bmp". Names are compared without regard to case, so the
// album stays sound on a case-blind file system. It never holds a path separator,
// "." or "..".
QString albumCopyName(const QString& sourceFileName, const QStringList& namesInAlbum);
