#include "ui/journal/LoginReminders.h"

#include "ui/framework/PathListSetting.h"
#include "ui/journal/AutostartEntry.h"

#include <QCoreApplication>

const QString LoginReminders::kSettingsKey = QStringLiteral("reminders/collections");
const QString LoginReminders::kEntryFileName = QStringLiteral("talvane-remind.desktop");

bool LoginReminders::isReminded(const QString& collection)
{
    return PathListSetting(kSettingsKey).contains(collection);
}

std::optional<QString> LoginReminders::setReminded(const QString& collection, bool reminded)
{
    const PathListSetting setting(kSettingsKey);
    const QStringList collections = setting.with(collection, reminded);
    const AutostartEntry entry(kEntryFileName);
    std::optional<QString> failure;
    if (collections.isEmpty())
        failure = entry.remove();
    else
        failure = entry.write(QCoreApplication::translate("LoginReminders", "Talvane care reminder"),
                              QCoreApplication::translate("LoginReminders", "Tells at login which trees of your bonsai collections need care"),
                              QStringList{QCoreApplication::applicationFilePath(), QStringLiteral("--remind")} + collections);
    if (!failure)
        setting.store(collections);
    return failure;
}
