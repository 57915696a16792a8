#include "Commands.h"

talvane::journal::CalendarDate dayOptionOrFail(std::string_view option, const std::string& given)
{
    if (given.empty())
        return talvane::journal::CalendarDate::today();
    if (const auto date = talvane::journal::CalendarDate::fromText(given))
        return *date;
    throw CliFailure(std::string(option) + " " + given + ": not a date of the form YYYY-MM-DD");
}
