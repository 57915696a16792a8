#include "ui/framework/FilePaths.h"
#include "ui/journal/CareCalendarBeside.h"

#include "ui/framework/PathListSetting.h"
#include "core/journal/CareCalendar.h"

#include <QFile>
#include <QFileInfo>

using namespace talvane::collection;

const QString CareCalendarBeside::kSettingsKey = QStringLiteral("careCalendar/collections");

QString CareCalendarBeside::calendarPath(const QString& collection)
{
    const QFileInfo file(collection);
    return file.absolutePath() + QLatin1Char('/') + file.completeBaseName() + QStringLiteral(".ics");
}

bool CareCalendarBeside::isKept(const QString& collection)
{
    return PathListSetting(kSettingsKey).contains(collection);
}

void CareCalendarBeside::setKept(const QString& collection, bool kept)
{
    const PathListSetting setting(kSettingsKey);
    setting.store(setting.with(collection, kept));
}

std::optional<QString> CareCalendarBeside::write(const QString& collection, const EntryList& entries)
{
    const auto failure = talvane::journal::writeCareCalendar(fsPath(calendarPath(collection)),
                                                             entries, talvane::journal::pendingTasks(entries));
    if (!failure)
        return std::nullopt;
    return QString::fromLocal8Bit(*failure);
}
