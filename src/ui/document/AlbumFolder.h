#pragma once

#include <QString>

// The Album folder that holds the photos of the collection at collectionPath (empty
// for an untitled collection): photos are read from it and new photos go into it.
// The Album folder of the folder the program started in comes first, so that a
// program started beside its album keeps finding it; then the one beside the
// collection, so that a collection opened from another folder finds its own. An
// Album that is not a folder, or that cannot be read, is passed over. When neither
// is usable, the album belongs beside the collection (beside the start folder for
// an untitled collection), and it does not exist yet.
QString AlbumFolder(const QString& collectionPath);
