#pragma once

#include <QString>

// The folder the program started in. The program never changes its current
// directory: the guide, the album and the help page are found from here.
const QString& baseDirectory();
void setBaseDirectory(const QString& path);
// A path below the base directory, such as "Album/x.bmp".
QString basePath(const QString& relative);

// A file the program ships (the species guide, the help page): below the base
// directory when it is there, else where the program's installation put it
// (share/talvane beside the program's bin folder). The first is given when neither
// exists.
QString shippedFilePath(const QString& relative);
