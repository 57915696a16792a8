#include "ui/journal/CareTexts.h"

#include "ui/framework/AnsiText.h"
#include "ui/framework/CoreTexts.h"
#include "core/journal/DueTasks.h"

#include <QLocale>

using talvane::journal::CalendarDate;

QDate toQDate(const CalendarDate& date)
{
    return QDate(date.year(), static_cast<int>(date.month()), static_cast<int>(date.day()));
}

std::optional<CalendarDate> fromQDate(const QDate& date)
{
    if (!date.isValid())
        return std::nullopt;
    return CalendarDate::fromYearMonthDay(date.year(), static_cast<unsigned>(date.month()),
                                          static_cast<unsigned>(date.day()));
}

QString shortDateText(const CalendarDate& date)
{
    return QLocale().toString(toQDate(date), QLocale::ShortFormat);
}

QString taskTitle(std::string_view treeName, const talvane::journal::CareEvent& event)
{
    using namespace talvane::journal;
    return QString::fromStdString(taskTitle(fromAnsi(treeName).toStdString(), event.kind,
                                            fromAnsi(firstLineOf(event)).toStdString(), windowWords));
}

QString careKindText(talvane::journal::CareKind kind)
{
    return coreText(talvane::journal::careKindName(kind));
}
