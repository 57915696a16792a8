#pragma once

#include <QString>

#include <optional>

class Prompter;

// Brings a photo of any format Qt's readers know into the album: says in one
// question what it will do, then writes an upright copy of at most 250 x 250 as a
// 24-bit bitmap that the album's own decoder shows. The copy is written to a
// temporary file in the Album folder and renamed into place only when complete;
// the source is never changed. Every refusal or failure is told in one message
// that names the file and the reason, and leaves the Album folder as it was.
class PhotoImport {
public:
    PhotoImport(Prompter& prompter, QString albumFolder);

    // The bare name of the new copy in the Album folder; nothing when the photo was
    // refused, the user cancelled, or the copy could not be written.
    std::optional<QString> run(const QString& sourcePath);

private:
    bool writeCopy(const QString& sourceName, const QString& copyName, const QByteArray& bytes);
    void tellProblem(const QString& sourceName, const QString& reason);

    Prompter& m_prompter;
    QString m_albumFolder;
};

// Says that the album holds as many pictures as it can.
void tellPictureLimit(Prompter& prompter);
