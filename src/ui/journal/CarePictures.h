#pragma once

#include <QString>
#include <QStringList>

class CTalvaneDoc;

// The folder whose pictures the events of the collection's journals may name.
QString CarePictureFolder(const CTalvaneDoc& doc);
// The names of the files in that folder that an event can store, sorted.
QStringList CarePictureNames(const QString& folder);
