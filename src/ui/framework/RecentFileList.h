#pragma once

#include <QObject>
#include <QStringList>

// The most recently used collection files, newest first, kept in the user's
// settings under Orvande/Talvane. Entries are absolute paths, so that the list
// opens the same files whatever folder the program starts in.
class RecentFileList : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxFiles = 4;

    RecentFileList();

    const QStringList& files() const { return m_files; }
    void add(const QString& path);
    void remove(const QString& path);

signals:
    void changed();

private:
    void store() const;

    QStringList m_files;
};
