#include "journal/CareTexts.h"

#include "framework/AnsiText.h"
#include "framework/CoreTexts.h"

#include <QCoreApplication>
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
    const std::string_view text = std::string_view(event.text).substr(0, event.text.find_first_of("\r\n"));
    const QString title = QCoreApplication::translate("CareTexts", "%1: %2").arg(FromAnsi(treeName), CareKindText(event.kind));
    return text.empty() ? title : QCoreApplication::translate("CareTexts", "%1, %2").arg(title, FromAnsi(text));
}

QString CareKindText(talvane::journal::CareKind kind)
{
    return CoreText(talvane::journal::careKindName(kind));
}
