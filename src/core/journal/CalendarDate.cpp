#include "core/journal/CalendarDate.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace talvane::journal {

namespace {

bool isDigits(std::string_view text)
{
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

unsigned number(std::string_view digits)
{
    unsigned value = 0;
    for (char c : digits)
        value = value * 10 + static_cast<unsigned>(c - '0');
    return value;
}

} // namespace

std::optional<CalendarDate> CalendarDate::fromYearMonthDay(int year, unsigned month, unsigned day)
{
    const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{month}, std::chrono::day{day}};
    if (year < 1 || year > 9999 || !date.ok())
        return std::nullopt;
    return CalendarDate(date);
}

std::optional<CalendarDate> CalendarDate::fromText(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto year = text.substr(0, 4), month = text.substr(5, 2), day = text.substr(8, 2);
    if (!isDigits(year) || !isDigits(month) || !isDigits(day))
        return std::nullopt;
    return fromYearMonthDay(static_cast<int>(number(year)), number(month), number(day));
}

CalendarDate CalendarDate::today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return *fromYearMonthDay(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                             static_cast<unsigned>(local.tm_mday));
}

std::string CalendarDate::text() const
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", year(), month(), day());
    return buffer;
}

CalendarDate CalendarDate::plusDays(long days) const
{
    using std::chrono::sys_days;
    constexpr std::chrono::year_month_day first{std::chrono::year{1}, std::chrono::January, std::chrono::day{1}};
    constexpr std::chrono::year_month_day last{std::chrono::year{9999}, std::chrono::December, std::chrono::day{31}};
    const long long from = sys_days{m_date}.time_since_epoch().count();
    const long long moved = std::clamp<long long>(from + days, sys_days{first}.time_since_epoch().count(),
                                                  sys_days{last}.time_since_epoch().count());
    return CalendarDate(std::chrono::year_month_day{sys_days{std::chrono::days{moved}}});
}

CalendarDate CalendarDate::plusMonths(long months) const
{
    const long long index = year() * 12LL + (month() - 1) + months;
    if (index < 12)
        return *fromYearMonthDay(1, 1, 1);
    if (index > 9999 * 12LL + 11)
        return *fromYearMonthDay(9999, 12, 31);
    const int year = static_cast<int>(index / 12);
    const unsigned month = static_cast<unsigned>(index % 12) + 1;
    const std::chrono::year_month_day_last last{std::chrono::year{year}, std::chrono::month_day_last{std::chrono::month{month}}};
    return *fromYearMonthDay(year, month, std::min(day(), static_cast<unsigned>(last.day())));
}

long CalendarDate::daysUntil(const CalendarDate& later) const
{
    return (std::chrono::sys_days{later.m_date} - std::chrono::sys_days{m_date}).count();
}

} // namespace talvane::journal
