#include "ui/framework/BaseDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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

QString ShippedFilePath(const QString& relative)
{
    const QString local = BasePath(relative);
    if (QFileInfo::exists(local))
        return local;
    const QString installed =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/talvane/") + relative);
    return QFileInfo::exists(installed) ? QDir::cleanPath(installed) : local;
}
