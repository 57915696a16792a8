#include "ui/framework/PathListSetting.h"

#include "ui/framework/AppSettings.h"

#include <QFileInfo>

QStringList PathListSetting::paths() const
{
    return appSettings().value(m_key).toStringList();
}

bool PathListSetting::contains(const QString& path) const
{
    return paths().contains(QFileInfo(path).absoluteFilePath());
}

QStringList PathListSetting::with(const QString& path, bool present) const
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = paths();
    list.removeAll(absolute);
    if (present)
        list.append(absolute);
    return list;
}

void PathListSetting::store(const QStringList& paths) const
{
    if (paths.isEmpty())
        appSettings().remove(m_key);
    else
        appSettings().setValue(m_key, paths);
}
