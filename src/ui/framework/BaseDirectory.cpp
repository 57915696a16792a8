#include "framework/BaseDirectory.h"

#include <QDir>

namespace {
QString& Stored()
{
    static QString base = QDir::currentPath();
    return base;
}
} // namespace

const QString& BaseDirectory()
{
    return Stored();
}

void SetBaseDirectory(const QString& path)
{
    Stored() = QDir(path).absolutePath();
}

QString BasePath(const QString& relative)
{
    return QDir(Stored()).filePath(relative);
}
