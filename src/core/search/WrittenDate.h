#pragma once

#include <compare>
#include <optional>
#include <string_view>

namespace talvane::search {

// A date as a grower writes it in a text field, read as far as it goes: a year, a
// month or season of a year, or a day.
struct WrittenDate {
    int year = 0;
    // 0 when the text names no month; a season stands for its middle month.
    int month = 0;
    // 0 when the text names no day.
    int day = 0;

    auto operator<=>(const WrittenDate&) const = default;
};

// The date a whole text says, in English or French, case and accents ignored:
// "12 March 2016", "March 12, 2016", "1er mars 2016", "June 2014", "juin 2014",
// "Spring 2010", "printemps 2010", "2014", "2014-06-01", "2014-06", "06/2014",
// "14/04/2019" or "14.04.19" (day first, unless only month first makes sense:
// "04/14/2019"). Nothing when the text says more or less than a date ("about 2014",
// "12 March 2016 at the show"), or a day the calendar lacks ("31 June 2014").
std::optional<WrittenDate> readWrittenDate(std::string_view text);

} // namespace talvane::search
