#pragma once

#include <QString>

// The folder that holds the album's photos for the collection being edited. Every
// place that reads or writes album files outside the decoder asks here.
QString AlbumFolderPath();
