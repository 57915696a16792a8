#pragma once

#include <QString>

#include <filesystem>

// A path as the window holds it (QString) and as the core takes it (the file system's
// bytes), each way without loss: the names on disk need not be valid UTF-8.
std::filesystem::path fsPath(const QString& path);
QString fromFsPath(const std::filesystem::path& path);
