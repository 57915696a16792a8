#pragma once

#include <QString>
#include <QStringList>

// A list of files kept in the settings under one key, each once, by absolute path.
class PathListSetting {
public:
    explicit PathListSetting(QString key) : m_key(std::move(key)) {}

    QStringList paths() const;
    bool contains(const QString& path) const;
    // The list as it would be with the path in it or out of it; the settings stay as they are.
    QStringList with(const QString& path, bool present) const;
    void store(const QStringList& paths) const;

private:
    QString m_key;
};
