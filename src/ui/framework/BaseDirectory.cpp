#include "ui/framework/BaseDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString& stored()
{
    static QString base = QDir::currentPath();
    return base;
}
} // namespace

const QString& baseDirectory()
{
    return stored();
}

void setBaseDirectory(const QString& path)
{
    stored() = QDir(path).absolutePath();
}

QString basePath(const QString& relative)
{
    return QDir(stored()).filePath(relative);
}

QString shippedFilePath(const QString& relative)
{
    const QString local = basePath(relative);
    if (QFileInfo::exists(local))
        return local;
    const QString installed =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/talvane/") + relative);
    return QFileInfo::exists(installed) ? QDir::cleanPath(installed) : local;
}
