#include "ui/album/AlbumCopyName.h"

#include <QCoreApplication>

#include "ui/framework/AnsiText.h"

namespace {

constexpr qsizetype kMaxBaseLength = 30;

// A character kept in the name: the entry stores the name in Windows-1252, so
// only characters that survive the trip name the same file afterwards.
bool keeps(QChar c)
{
    if (c == QLatin1Char('-') || c == QLatin1Char('_') || c == QLatin1Char(' '))
        return true;
    return (c.isLetter() || c.isDigit()) && fromAnsi(toAnsi(QString(c))) == QString(c);
}

QString reducedBase(const QString& sourceFileName)
{
    const qsizetype dot = sourceFileName.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? sourceFileName.left(dot) : sourceFileName;
    QString reduced;
    for (const QChar c : base)
        if (keeps(c))
            reduced.append(c);
    reduced = reduced.simplified().left(kMaxBaseLength).trimmed();
    return reduced.isEmpty() ? QStringLiteral("Photo") : reduced;
}

} // namespace

QString albumCopyName(const QString& sourceFileName, const QStringList& namesInAlbum)
{
    const QString base = reducedBase(sourceFileName);
    const auto taken = [&](const QString& name) { return namesInAlbum.contains(name, Qt::CaseInsensitive); };
    QString name = base + QStringLiteral(".bmp");
    for (int n = 2; taken(name); ++n)
        name = QStringLiteral("%1 (%2).bmp").arg(base, QString::number(n));
    return name;
}
