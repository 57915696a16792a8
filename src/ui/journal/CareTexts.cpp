#include "journal/CareTexts.h"

#include "framework/AnsiText.h"
#include "framework/CoreTexts.h"
#include "journal/CareRepeat.h"

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

QString RepeatText(const talvane::journal::CareRepeat& repeat)
{
    using talvane::journal::RepeatUnit;
    const bool one = repeat.every == 1;
    const QString every = QString::number(repeat.every);
    QString text;
    switch (repeat.unit) {
    case RepeatUnit::Day:
        text = one ? QCoreApplication::translate("CareTexts", "every day") : QCoreApplication::translate("CareTexts", "every %1 days").arg(every);
        break;
    case RepeatUnit::Week:
        text = one ? QCoreApplication::translate("CareTexts", "every week") : QCoreApplication::translate("CareTexts", "every %1 weeks").arg(every);
        break;
    case RepeatUnit::Month:
        text = one ? QCoreApplication::translate("CareTexts", "every month") : QCoreApplication::translate("CareTexts", "every %1 months").arg(every);
        break;
    case RepeatUnit::Year:
        text = one ? QCoreApplication::translate("CareTexts", "every year") : QCoreApplication::translate("CareTexts", "every %1 years").arg(every);
        break;
    }
    if (const auto& months = repeat.months) {
        const QString first = CoreText(talvane::journal::monthName(months->first));
        text = months->first == months->last
                   ? QCoreApplication::translate("CareTexts", "%1 in %2").arg(text, first)
                   : QCoreApplication::translate("CareTexts", "%1, %2 to %3").arg(text, first, CoreText(talvane::journal::monthName(months->last)));
    }
    return text;
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
