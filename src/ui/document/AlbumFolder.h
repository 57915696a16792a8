#pragma once

#include <QString>

class CTalvaneDoc;

// The Album folder that holds the album bitmaps of the open collection, as
// CTalvaneDoc::pictureFolders() finds it: pictures are read from it and new ones go into it.
QString albumFolder(const CTalvaneDoc& doc);
// The Photos folder of the collection's timeline.
QString photosFolder(const CTalvaneDoc& doc);
