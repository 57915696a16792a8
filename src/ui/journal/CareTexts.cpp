#include "ui/journal/CareTexts.h"

#include "ui/framework/AnsiText.h"
#include "ui/framework/CoreTexts.h"
#include "core/journal/DueTasks.h"

#include <QLocale>

using talvane::journal::CalendarDate;

QDate ToQDate(const CalendarDate& date)
{
    return QDate(date.year(), static_cast<int>(date.month()), static_cast<int>(date.day()));
}

std::optional<CalendarDate> FromQDate(const QDate& date)
{
    if (!date.isValid())
        return std::nullopt;
    return CalendarDate::fromYearMonthDay(date.year(), static_cast<unsigned>(date.month()),
                                          static_cast<unsigned>(date.day()));
}

QString ShortDateText(const CalendarDate& date)
{
    return QLocale().toString(ToQDate(date), QLocale::ShortFormat);
}

QString TaskTitle(std::string_view treeName, const talvane::journal::CareEvent& event)
{
    using namespace talvane::journal;
    return QString::fromStdString(taskTitle(FromAnsi(treeName).toStdString(), event.kind,
                                            FromAnsi(firstLineOf(event)).toStdString(), WindowWords));
}

QString CareKindText(talvane::journal::CareKind kind)
{
    return CoreText(talvane::journal::careKindName(kind));
}
