#include "ui/framework/FilePaths.h"

#include <QFile>

std::filesystem::path fsPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString fromFsPath(const std::filesystem::path& path)
{
    return QFile::decodeName(path.c_str());
}
