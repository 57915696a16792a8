#pragma once

#include <QString>
#include <QStringList>

class CTalvaneDoc;

// The folder whose pictures the events of the collection's journals may name.
QString carePictureFolder(const CTalvaneDoc& doc);
// The names of the files in that folder that an event can store, sorted.
QStringList carePictureNames(const QString& folder);
