#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// A desktop entry in the user's autostart folder ($XDG_CONFIG_HOME/autostart), which
// the desktop runs at login. Written whole or not at all.
class AutostartEntry {
public:
    explicit AutostartEntry(QString fileName) : m_fileName(std::move(fileName)) {}

    QString path() const;
    bool exists() const;
    // Writes the entry that runs the command; nothing on success, or the sentence saying why not.
    std::optional<QString> write(const QString& name, const QString& comment, const QStringList& command) const;
    std::optional<QString> remove() const;

    // The entry's text, as write() puts it in the file.
    static QByteArray text(const QString& name, const QString& comment, const QStringList& command);
    // The command as the value of an Exec key: each argument quoted as the desktop
    // entry's rules ask, then the value's own escapes.
    static QString execValue(const QStringList& command);

private:
    QString m_fileName;
};
