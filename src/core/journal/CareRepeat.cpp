#include "core/journal/CareRepeat.h"

#include <array>

namespace talvane::journal {

namespace {

constexpr std::array<char, 4> kUnitLetters = {'d', 'w', 'm', 'y'};
constexpr std::array<std::string_view, 12> kMonthNames = {
    SHOWN_TEXT("January"), SHOWN_TEXT("February"), SHOWN_TEXT("March"),     SHOWN_TEXT("April"),
    SHOWN_TEXT("May"),     SHOWN_TEXT("June"),     SHOWN_TEXT("July"),      SHOWN_TEXT("August"),
    SHOWN_TEXT("September"), SHOWN_TEXT("October"), SHOWN_TEXT("November"), SHOWN_TEXT("December"),
};

// A number of 1 to `most` written without leading zeros, taken from the front of `text`.
std::optional<unsigned> takeNumber(std::string_view& text, unsigned most)
{
    std::size_t length = 0;
    unsigned value = 0;
    while (length < text.size() && text[length] >= '0' && text[length] <= '9' && length < 4) {
        value = value * 10 + static_cast<unsigned>(text[length] - '0');
        ++length;
    }
    if (length == 0 || text[0] == '0' || value > most)
        return std::nullopt;
    text.remove_prefix(length);
    return value;
}

CalendarDate stepped(const CareRepeat& repeat, CalendarDate from)
{
    const long every = static_cast<long>(repeat.every);
    switch (repeat.unit) {
    case RepeatUnit::Day: return from.plusDays(every);
    case RepeatUnit::Week: return from.plusDays(7 * every);
    case RepeatUnit::Month: return from.plusMonths(every);
    case RepeatUnit::Year: return from.plusMonths(12 * every);
    }
    return from;
}

} // namespace

bool MonthSpan::contains(unsigned month) const
{
    return first <= last ? month >= first && month <= last : month >= first || month <= last;
}

CalendarDate nextDue(const CareRepeat& repeat, CalendarDate doneOn)
{
    const CalendarDate next = stepped(repeat, doneOn);
    if (!repeat.months || repeat.months->contains(next.month()))
        return next;
    const unsigned first = repeat.months->first;
    int year = next.year();
    if (repeat.unit != RepeatUnit::Year && first < next.month())
        ++year;
    // Past the last year a date can have, the step's own day is the nearest there is.
    return CalendarDate::fromYearMonthDay(year, first, 1).value_or(next);
}

std::string storedRepeat(const CareRepeat& repeat)
{
    std::string text = std::to_string(repeat.every);
    text += kUnitLetters[static_cast<std::size_t>(repeat.unit)];
    if (repeat.months)
        text += "@" + std::to_string(repeat.months->first) + "-" + std::to_string(repeat.months->last);
    return text;
}

std::optional<CareRepeat> parseStoredRepeat(std::string_view text)
{
    CareRepeat repeat;
    const auto every = takeNumber(text, CareRepeat::kMostEvery);
    if (!every || text.empty())
        return std::nullopt;
    repeat.every = *every;
    std::size_t unit = 0;
    while (unit < kUnitLetters.size() && kUnitLetters[unit] != text[0])
        ++unit;
    if (unit == kUnitLetters.size())
        return std::nullopt;
    repeat.unit = static_cast<RepeatUnit>(unit);
    text.remove_prefix(1);
    if (text.empty())
        return repeat;
    if (text[0] != '@')
        return std::nullopt;
    text.remove_prefix(1);
    const auto first = takeNumber(text, 12);
    if (!first || text.empty() || text[0] != '-')
        return std::nullopt;
    text.remove_prefix(1);
    const auto last = takeNumber(text, 12);
    if (!last || !text.empty())
        return std::nullopt;
    repeat.months = MonthSpan{*first, *last};
    return repeat;
}

std::string_view monthName(unsigned month)
{
    return kMonthNames.at(month - 1);
}

std::string repeatText(const CareRepeat& repeat, const text::Words& words)
{
    using text::say;
    static constexpr const char* kEvery[][2] = {
        {SHOWN_TEXT("every day"), SHOWN_TEXT("every %1 days")},
        {SHOWN_TEXT("every week"), SHOWN_TEXT("every %1 weeks")},
        {SHOWN_TEXT("every month"), SHOWN_TEXT("every %1 months")},
        {SHOWN_TEXT("every year"), SHOWN_TEXT("every %1 years")},
    };
    const auto& every = kEvery[static_cast<std::size_t>(repeat.unit)];
    const std::string text =
        repeat.every > 1 ? say(words, every[1], {std::to_string(repeat.every)}) : say(words, every[0]);
    if (!repeat.months)
        return text;
    const auto month = [&words](unsigned number) { return say(words, monthName(number)); };
    return repeat.months->first == repeat.months->last
               ? say(words, SHOWN_TEXT("%1 in %2"), {text, month(repeat.months->first)})
               : say(words, SHOWN_TEXT("%1, %2 to %3"), {text, month(repeat.months->first), month(repeat.months->last)});
}

} // namespace talvane::journal
