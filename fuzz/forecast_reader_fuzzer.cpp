// Feeds arbitrary bytes to the forecast reader as a server's answer. An answer is read
// or refused with a reason, never half-read: what is read holds its hours and days in
// order and only temperatures of this world, and keeping it (as the watch does
// between two answers) loses none of its hours or days.
#include "core/garden/Forecast.h"
#include "core/garden/GardenSettings.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>

namespace {

using namespace talvane::garden;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "forecast_reader_fuzzer: %s\n", what);
    std::abort();
}

bool isTemperature(double celsius)
{
    return celsius >= -100 && celsius <= 70;
}

bool isTemperature(const std::optional<double>& celsius)
{
    return !celsius || isTemperature(*celsius);
}

void checkRead(const Forecast& forecast)
{
    if (forecast.hourly.empty())
        fail("a forecast without hours was taken");
    for (std::size_t at = 0; at < forecast.hourly.size(); ++at) {
        const HourlyTemperature& hour = forecast.hourly[at];
        if (hour.hour < 0 || hour.hour > 23 || !isTemperature(hour.celsius))
            fail("an hour out of the day or a temperature out of range");
        if (at > 0 && std::tie(forecast.hourly[at - 1].date, forecast.hourly[at - 1].hour) > std::tie(hour.date, hour.hour))
            fail("hours out of order");
    }
    for (std::size_t at = 0; at < forecast.daily.size(); ++at) {
        const DailyTemperature& day = forecast.daily[at];
        if (!isTemperature(day.lowest) || !isTemperature(day.highest) || !isTemperature(day.mean))
            fail("a day's temperature out of range");
        if (at > 0 && forecast.daily[at - 1].date >= day.date)
            fail("days out of order");
        if (!isTemperature(forecast.meanOf(day.date)))
            fail("a mean out of range");
    }
}

void checkKept(const std::string& answer, const Forecast& forecast)
{
    KeptWeather weather;
    keepAnswer(weather, answer, forecast, std::chrono::system_clock::time_point(), 45.76, 4.84);
    const auto kept = keptForecast(weather);
    if (!kept)
        fail("a kept answer could not be read again");
    if (kept->hourly.size() != forecast.hourly.size() || kept->daily.size() < forecast.daily.size())
        fail("keeping an answer lost hours or days");
    checkRead(*kept);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string answer(reinterpret_cast<const char*>(data), size);
    const auto read = readForecast(answer);
    if (const auto* why = std::get_if<std::string>(&read)) {
        if (why->empty())
            fail("an answer was refused without a reason");
        return 0;
    }
    checkRead(std::get<Forecast>(read));
    checkKept(answer, std::get<Forecast>(read));
    return 0;
}
