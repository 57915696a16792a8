#include "ui/framework/RecentFileList.h"

#include "ui/framework/AppSettings.h"

#include <QFileInfo>

namespace {

const QString kGroup = QStringLiteral("Recent File List");

QString settingKey(int index) { return QStringLiteral("File%1").arg(index + 1); }

QString absolute(const QString& path) { return QFileInfo(path).absoluteFilePath(); }

} // namespace

RecentFileList::RecentFileList()
{
    QSettings settings = appSettings();
    settings.beginGroup(kGroup);
    for (int i = 0; i < kMaxFiles; ++i) {
        const QString path = settings.value(settingKey(i)).toString();
        if (!path.isEmpty() && !m_files.contains(path))
            m_files.append(path);
    }
}

void RecentFileList::add(const QString& path)
{
    const QString full = absolute(path);
    m_files.removeAll(full);
    m_files.prepend(full);
    while (m_files.size() > kMaxFiles)
        m_files.removeLast();
    store();
    emit changed();
}

void RecentFileList::remove(const QString& path)
{
    if (m_files.removeAll(absolute(path)) == 0)
        return;
    store();
    emit changed();
}

// Written at every change rather than at exit, so that a crash loses nothing.
void RecentFileList::store() const
{
    QSettings settings = appSettings();
    settings.beginGroup(kGroup);
    for (int i = 0; i < kMaxFiles; ++i) {
        if (i < m_files.size())
            settings.setValue(settingKey(i), m_files.at(i));
        else
            settings.remove(settingKey(i));
    }
}
