#include "ui/journal/AutostartEntry.h"

#include <QCoreApplication>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace {

// Characters that make an argument of Exec need double quotes.
const QString kReserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
// Characters that take a backslash inside the quotes.
const QString kEscapedInQuotes = QStringLiteral("\"`$\\");

QString quotedArgument(QString argument)
{
    // "%" starts a field code: a literal one is doubled, quoted or not.
    argument.replace(QLatin1Char('%'), QStringLiteral("%%"));
    const bool plain = !argument.isEmpty() && std::none_of(argument.cbegin(), argument.cend(), [](QChar c) {
        return kReserved.contains(c);
    });
    if (plain)
        return argument;
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (kEscapedInQuotes.contains(c))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return quoted + QLatin1Char('"');
}

QString escapedValue(QString value)
{
    value.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    value.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    value.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    value.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    return value;
}

} // namespace

QString AutostartEntry::path() const
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart/") + m_fileName;
}

bool AutostartEntry::exists() const
{
    return QFileInfo::exists(path());
}

QString AutostartEntry::execValue(const QStringList& command)
{
    QStringList arguments;
    for (const QString& argument : command)
        arguments.append(quotedArgument(argument));
    return escapedValue(arguments.join(QLatin1Char(' ')));
}

QByteArray AutostartEntry::text(const QString& name, const QString& comment, const QStringList& command)
{
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=%1\n"
                                        "Comment=%2\n"
                                        "Exec=%3\n"
                                        "Icon=talvane\n"
                                        "Terminal=false\n"
                                        "NoDisplay=true\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(escapedValue(name), escapedValue(comment), execValue(command));
    return text.toUtf8();
}

std::optional<QString> AutostartEntry::write(const QString& name, const QString& comment, const QStringList& command) const
{
    const QString file = path();
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSaveFile entry(file);
    if (!entry.open(QIODevice::WriteOnly) || entry.write(text(name, comment, command)) < 0 || !entry.commit())
        return QCoreApplication::translate("AutostartEntry", "The autostart entry %1 cannot be written: %2.").arg(file, entry.errorString());
    return std::nullopt;
}

std::optional<QString> AutostartEntry::remove() const
{
    QFile entry(path());
    if (!entry.exists() || entry.remove())
        return std::nullopt;
    return QCoreApplication::translate("AutostartEntry", "The autostart entry %1 cannot be removed: %2.").arg(entry.fileName(), entry.errorString());
}
