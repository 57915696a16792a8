#pragma once

#include <QString>

class CTalvaneDoc;

// The Album folder that holds the album bitmaps of the open collection, as
// CTalvaneDoc::pictureFolders() finds it: pictures are read from it and new ones go into it.
QString AlbumFolder(const CTalvaneDoc& doc);
// The Photos folder of the collection's timeline.
QString PhotosFolder(const CTalvaneDoc& doc);
