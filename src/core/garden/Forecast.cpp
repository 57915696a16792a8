#include "core/garden/Forecast.h"

#include "core/text/Words.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <tuple>

namespace talvane::garden {

using journal::CalendarDate;
using nlohmann::json;

std::optional<double> Forecast::meanOf(journal::CalendarDate date) const
{
    const auto day = std::ranges::find(daily, date, &DailyTemperature::date);
    if (day != daily.end() && day->mean)
        return day->mean;
    double sum = 0;
    int hours = 0;
    for (const HourlyTemperature& hour : hourly)
        if (hour.date == date) {
            sum += hour.celsius;
            ++hours;
        }
    if (hours == 0)
        return std::nullopt;
    return sum / hours;
}

namespace {

// Why an answer is refused, thrown from deep in its reading.
struct Refused {
    std::string why;
};

[[noreturn]] void refuse(std::string_view english, const std::vector<std::string>& values = {})
{
    throw Refused{text::sayMessage(english, values)};
}

constexpr const char* kNoHours = SHOWN_TEXT("the answer holds no hourly temperatures");

// A value of the answer as a message quotes it: short, whatever it holds.
std::string quoted(const json& value, std::size_t longest = 40)
{
    std::string shown = value.is_string() ? value.get_ref<const std::string&>()
                                          : value.dump(-1, ' ', false, json::error_handler_t::replace);
    if (shown.size() > longest) {
        std::size_t cut = longest;
        while (cut > 0 && (static_cast<unsigned char>(shown[cut]) & 0xC0) == 0x80)
            --cut;
        shown.resize(cut);
        shown += "\u2026";
    }
    return shown;
}

// The member `name` of a group, which must be a list when there.
const json* listIn(const json& group, const char* name)
{
    const auto found = group.find(name);
    if (found == group.end())
        return nullptr;
    if (!found->is_array())
        refuse(SHOWN_TEXT("the answer\u2019s \u201C%1\u201D is not what a forecast holds"), {name});
    return &*found;
}

void refuseUnequal(const json& times, const json* values, const char* group)
{
    if (values && values->size() != times.size())
        refuse(SHOWN_TEXT("the lists of \u201C%1\u201D are of different lengths"), {group});
}

std::optional<int> twoDigits(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.size() != 2 || error != std::errc() || end != text.data() + text.size() || text[0] == '-')
        return std::nullopt;
    return value;
}

struct TimeOfDay {
    CalendarDate date;
    int hour = 0;
    int minute = 0;
};

// "2026-12-10T05:00". Zones half an hour off the hour give times at minutes past it.
TimeOfDay timeOf(const json& value)
{
    if (value.is_string()) {
        const std::string_view time = value.get_ref<const std::string&>();
        if (time.size() == 16 && time[10] == 'T' && time[13] == ':') {
            const auto date = CalendarDate::fromText(time.substr(0, 10));
            const auto hour = twoDigits(time.substr(11, 2));
            const auto minute = twoDigits(time.substr(14, 2));
            if (date && hour && minute && *hour < 24 && *minute < 60)
                return {*date, *hour, *minute};
        }
    }
    refuse(SHOWN_TEXT("\u201C%1\u201D is not a time of day"), {quoted(value)});
}

CalendarDate dayOf(const json& value)
{
    if (value.is_string())
        if (const auto date = CalendarDate::fromText(value.get_ref<const std::string&>()))
            return *date;
    refuse(SHOWN_TEXT("\u201C%1\u201D is not a day"), {quoted(value)});
}

// Nothing for null: the server had no value for that hour or day.
std::optional<double> temperatureOf(const json& value)
{
    if (value.is_null())
        return std::nullopt;
    constexpr double kColdest = -100;
    constexpr double kHottest = 70;
    if (value.is_number()) {
        const double celsius = value.get<double>();
        if (celsius >= kColdest && celsius <= kHottest)
            return celsius;
    }
    refuse(SHOWN_TEXT("\u201C%1\u201D is not a temperature"), {quoted(value)});
}

[[noreturn]] void refuseOrder(const char* group)
{
    refuse(SHOWN_TEXT("the times of \u201C%1\u201D are out of order"), {group});
}

std::vector<HourlyTemperature> hourlyOf(const json& answer)
{
    const auto group = answer.find("hourly");
    const json* times = group != answer.end() && group->is_object() ? listIn(*group, "time") : nullptr;
    const json* temperatures = times ? listIn(*group, "temperature_2m") : nullptr;
    if (!temperatures)
        refuse(kNoHours);
    refuseUnequal(*times, temperatures, "hourly");
    std::vector<HourlyTemperature> hourly;
    std::optional<TimeOfDay> last;
    for (std::size_t at = 0; at < times->size(); ++at) {
        const TimeOfDay time = timeOf((*times)[at]);
        if (last && std::tie(last->date, last->hour, last->minute) >= std::tie(time.date, time.hour, time.minute))
            refuseOrder("hourly");
        last = time;
        if (const auto celsius = temperatureOf((*temperatures)[at]))
            hourly.push_back({time.date, time.hour, *celsius});
    }
    if (hourly.empty())
        refuse(kNoHours);
    return hourly;
}

// The days are not needed: without them a day's mean comes from its hours.
std::vector<DailyTemperature> dailyOf(const json& answer)
{
    const auto group = answer.find("daily");
    if (group == answer.end())
        return {};
    if (!group->is_object())
        refuse(SHOWN_TEXT("the answer\u2019s \u201C%1\u201D is not what a forecast holds"), {"daily"});
    const json* times = listIn(*group, "time");
    if (!times)
        return {};
    const json* lowest = listIn(*group, "temperature_2m_min");
    const json* highest = listIn(*group, "temperature_2m_max");
    const json* mean = listIn(*group, "temperature_2m_mean");
    for (const json* values : {lowest, highest, mean})
        refuseUnequal(*times, values, "daily");
    const auto valueAt = [](const json* values, std::size_t at) {
        return values ? temperatureOf((*values)[at]) : std::nullopt;
    };
    std::vector<DailyTemperature> daily;
    for (std::size_t at = 0; at < times->size(); ++at) {
        const CalendarDate date = dayOf((*times)[at]);
        if (!daily.empty() && daily.back().date >= date)
            refuseOrder("daily");
        daily.push_back({date, valueAt(lowest, at), valueAt(highest, at), valueAt(mean, at)});
    }
    return daily;
}

std::string coordinate(double degrees)
{
    // Wide enough for any double written out in full: the address never depends on the locale.
    char digits[400];
    const auto written = std::to_chars(digits, digits + sizeof digits, degrees, std::chars_format::fixed, 4);
    return std::string(digits, written.ptr);
}

} // namespace

std::variant<Forecast, std::string> readForecast(std::string_view text)
{
    if (text.size() > kForecastAnswerLimit)
        return text::sayMessage(SHOWN_TEXT("the answer is larger than %1 MiB"),
                                {std::to_string(kForecastAnswerLimit / (1024 * 1024))});
    const json answer = json::parse(text, nullptr, false);
    if (answer.is_discarded())
        return text::sayMessage(SHOWN_TEXT("the answer is not JSON"));
    if (!answer.is_object())
        return text::sayMessage(kNoHours);
    try {
        if (const auto error = answer.find("error"); error != answer.end() && *error == true) {
            const auto reason = answer.find("reason");
            if (reason != answer.end() && reason->is_string() && !reason->get_ref<const std::string&>().empty())
                refuse(SHOWN_TEXT("the server gave no forecast: %1"), {quoted(*reason, 300)});
            refuse(SHOWN_TEXT("the server gave no forecast"));
        }
        return Forecast{hourlyOf(answer), dailyOf(answer)};
    } catch (const Refused& refused) {
        return refused.why;
    }
}

std::string forecastAddress(std::string_view base, double latitude, double longitude)
{
    if (base.ends_with('/'))
        base.remove_suffix(1);
    return std::string(base) + "/v1/forecast?latitude=" + coordinate(latitude) + "&longitude=" + coordinate(longitude) +
           "&hourly=temperature_2m&daily=temperature_2m_min,temperature_2m_max,temperature_2m_mean"
           "&past_days=92&forecast_days=7&timezone=auto";
}

} // namespace talvane::garden
