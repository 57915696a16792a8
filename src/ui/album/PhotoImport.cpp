#include "ui/album/PhotoImport.h"

#include <QCoreApplication>

#include "ui/album/AlbumCopyName.h"
#include "ui/album/BitmapFileWriter.h"
#include "ui/album/PhotoImage.h"
#include "ui/album/PhotoSource.h"
#include "ui/framework/UiServices.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr int kMaxPictureSize = 250;

QString number(int value)
{
    return QString::number(value);
}

// What the user is asked before anything is written. Texts the user chose (file
// names) are put in with one substitution, so a "%1" in them stays as it is.
QString importQuestion(const QString& sourceName, QSize upright, QSize target, const QString& copyName)
{
    if (target == upright)
        return QCoreApplication::translate("PhotoImport", "Talvane will add a copy of %1, %2 × %3 pixels, to the Album folder as %4.")
            .arg(sourceName, number(target.width()), number(target.height()), copyName);
    return QCoreApplication::translate("PhotoImport", "Talvane will add a copy of %1, reduced to %2 × %3 pixels, to the Album folder as %4.")
        .arg(sourceName, number(target.width()), number(target.height()), copyName);
}

} // namespace

PhotoImport::PhotoImport(Prompter& prompter, QString albumFolder)
    : m_prompter(prompter), m_albumFolder(std::move(albumFolder))
{
}

std::optional<QString> PhotoImport::run(const QString& sourcePath)
{
    const QString sourceName = QFileInfo(sourcePath).fileName();
    PhotoSource source(sourcePath);
    if (!source.problem().isEmpty()) {
        tellProblem(sourceName, source.problem());
        return std::nullopt;
    }
    const QSize target = qSizeOf(talvane::picture::fitWithin(photoSizeOf(source.uprightSize()), kMaxPictureSize));
    const QStringList namesInAlbum =
        QDir(m_albumFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    const QString copyName = albumCopyName(sourceName, namesInAlbum);
    if (m_prompter.ask(importQuestion(sourceName, source.uprightSize(), target, copyName), QCoreApplication::translate("PhotoImport", "Attention"),
                       mb::kOkCancel | mb::kIconQuestion) != mb::kIdOk)
        return std::nullopt;

    const QImage picture = source.read(target);
    if (picture.isNull()) {
        tellProblem(sourceName, source.problem());
        return std::nullopt;
    }
    if (!writeCopy(sourceName, copyName, encodeBitmap24(picture)))
        return std::nullopt;
    return copyName;
}

bool PhotoImport::writeCopy(const QString& sourceName, const QString& copyName, const QByteArray& bytes)
{
    const auto fail = [&](const QString& reason) {
        m_prompter.ask(QCoreApplication::translate("PhotoImport", "The copy of %1 cannot be written to the Album folder %2: %3.")
                           .arg(sourceName, QDir::toNativeSeparators(m_albumFolder), reason),
                       QCoreApplication::translate("PhotoImport", "Error"), mb::kOk | mb::kIconStop);
        return false;
    };
    if (!QDir().mkpath(m_albumFolder))
        return fail(QCoreApplication::translate("PhotoImport", "the folder cannot be created"));
    // QSaveFile writes beside the target and renames only on commit: a full disk, a
    // refused folder or a crash never leaves a partial bitmap under the copy's name.
    QSaveFile file(QDir(m_albumFolder).filePath(copyName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

void PhotoImport::tellProblem(const QString& sourceName, const QString& reason)
{
    m_prompter.ask(QCoreApplication::translate("PhotoImport", "%1 cannot be added to the album: %2.").arg(sourceName, reason),
                   QCoreApplication::translate("PhotoImport", "Error"), mb::kOk | mb::kIconStop);
}

void tellPictureLimit(Prompter& prompter)
{
    prompter.ask(QCoreApplication::translate("PhotoImport", "There is a limit of 5 pictures."), QCoreApplication::translate("PhotoImport", "Attention"), mb::kIconStop);
}
