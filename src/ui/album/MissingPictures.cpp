#include "ui/album/MissingPictures.h"

#include <QDir>

MissingPictures& MissingPictures::session()
{
    static MissingPictures told;
    return told;
}

bool MissingPictures::noteMissing(const QString& path)
{
    const QString key = QDir::cleanPath(path);
    if (m_told.contains(key))
        return false;
    m_told.insert(key);
    return true;
}

void MissingPictures::noteFound(const QString& path)
{
    m_told.remove(QDir::cleanPath(path));
}
