#include "ui/framework/FilePaths.h"

#include <QFile>

std::filesystem::path FsPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString FromFsPath(const std::filesystem::path& path)
{
    return QFile::decodeName(path.c_str());
}
