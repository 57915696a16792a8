#include "ui/journal/CarePictures.h"

#include "ui/document/AlbumFolder.h"
#include "ui/document/TalvaneDoc.h"
#include "ui/framework/AnsiText.h"

#include <QDir>

QString CarePictureFolder(const CTalvaneDoc& doc)
{
    return AlbumFolder(doc);
}

QStringList CarePictureNames(const QString& folder)
{
    QStringList names;
    for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name)) {
        // A name the stored bytes cannot hold could never be found again.
        if (FromAnsi(ToAnsi(name)) == name)
            names.append(name);
    }
    return names;
}
