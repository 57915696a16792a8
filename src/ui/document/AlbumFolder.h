#pragma once

#include <QString>

// The Album folder that holds the album bitmaps of the collection at collectionPath
// (empty for an untitled collection), found as SideFolder() tells: pictures are read
// from it and new ones go into it.
QString AlbumFolder(const QString& collectionPath);
// The Photos folder of the collection's timeline, found the same way.
QString PhotosFolder(const QString& collectionPath);
