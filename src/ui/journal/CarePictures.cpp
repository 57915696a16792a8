#include "ui/journal/CarePictures.h"

#include "ui/document/AlbumFolder.h"
#include "ui/document/TalvaneDoc.h"
#include "ui/framework/AnsiText.h"

#include <QDir>

QString carePictureFolder(const CTalvaneDoc& doc)
{
    return albumFolder(doc);
}

QStringList carePictureNames(const QString& folder)
{
    QStringList names;
    for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name)) {
        // A name the stored bytes cannot hold could never be found again.
        if (fromAnsi(toAnsi(name)) == name)
            names.append(name);
    }
    return names;
}
