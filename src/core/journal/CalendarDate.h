#pragma once

#include <chrono>
#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace talvane::journal {

// A day of the calendar, with no time and no time zone: a care date is the same
// day wherever the collection is opened.
class CalendarDate {
public:
    // Only valid dates of the years 1 to 9999 can be made.
    static std::optional<CalendarDate> fromYearMonthDay(int year, unsigned month, unsigned day);
    // Reads exactly "YYYY-MM-DD"; anything else, or a day that does not exist
    // (2027-02-30, 0000-00-00), gives nothing.
    static std::optional<CalendarDate> fromText(std::string_view text);
    // The date of this computer's clock in its own time zone.
    static CalendarDate today();

    int year() const { return static_cast<int>(m_date.year()); }
    unsigned month() const { return static_cast<unsigned>(m_date.month()); }
    unsigned day() const { return static_cast<unsigned>(m_date.day()); }

    // "YYYY-MM-DD".
    std::string text() const;
    // Stops at 0001-01-01 and 9999-12-31, the ends of the dates that can be made.
    CalendarDate plusDays(long days) const;
    // The same day `months` months on; a day the month lacks becomes its last
    // (January 31 plus one month is February 28 or 29). Stops at the same ends.
    CalendarDate plusMonths(long months) const;
    // How many days lie from this date to `later` (negative when it is earlier).
    long daysUntil(const CalendarDate& later) const;

    auto operator<=>(const CalendarDate&) const = default;

private:
    explicit CalendarDate(std::chrono::year_month_day date) : m_date(date) {}
    std::chrono::year_month_day m_date;
};

} // namespace talvane::journal
