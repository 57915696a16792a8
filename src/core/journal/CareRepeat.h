#pragma once

#include "core/journal/CalendarDate.h"
#include "core/text/Words.h"

#include <optional>
#include <string>
#include <string_view>

namespace talvane::journal {

enum class RepeatUnit { Day, Week, Month, Year };

// Months of the year in which a repeating task may fall due, from `first` to `last`
// (1 to 12); a span may go over the year's end (November to February).
struct MonthSpan {
    unsigned first = 1;
    unsigned last = 12;

    bool contains(unsigned month) const;
    bool operator==(const MonthSpan&) const = default;
};

// How a task comes back once done: every `every` days, weeks, months or years,
// optionally only within some months of the year ("every 2 weeks, April to
// September"; "every 3 years in March").
struct CareRepeat {
    static constexpr unsigned kMostEvery = 999;

    unsigned every = 1;
    RepeatUnit unit = RepeatUnit::Week;
    std::optional<MonthSpan> months;

    bool operator==(const CareRepeat&) const = default;
};

// The day the task is next due when it was done on `doneOn`: the step counted from
// that day, moved to the first day of the next month the span allows. A step of
// years keeps its year: the span picks the month within it ("every 3 years in
// March" done in April 2027 is next due on 2030-03-01).
CalendarDate nextDue(const CareRepeat& repeat, CalendarDate doneOn);

// "2w@4-9": the count (1 to 999), d, w, m or y, then "@" and the months' span when
// there is one, with no leading zeros. Reading takes this exact form only.
std::string storedRepeat(const CareRepeat& repeat);
std::optional<CareRepeat> parseStoredRepeat(std::string_view text);

// "every 2 weeks, April to September", "every 3 years in March", "every day", said in
// the words given.
std::string repeatText(const CareRepeat& repeat, const text::Words& words = text::inEnglish);
// "January" … "December".
std::string_view monthName(unsigned month);

} // namespace talvane::journal
