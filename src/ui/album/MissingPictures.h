#pragma once

#include <QSet>
#include <QString>

// The pictures the user has already been told cannot be read, in this session: the
// album says so once for each file, and from then on the album and the timeline only
// draw its place. A file read again is forgotten, so that losing it again is news.
class MissingPictures {
public:
    // The one list of the running program.
    static MissingPictures& session();

    // Notes that the file at path could not be read; true the first time only. Paths are
    // compared cleaned: "Album//a.bmp" is "Album/a.bmp".
    bool noteMissing(const QString& path);
    void noteFound(const QString& path);

private:
    QSet<QString> m_told;
};
