#pragma once

#include "core/journal/CalendarDate.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The weather the watch works from: an answer of Open-Meteo's /v1/forecast, hourly
// temperatures for the days ahead and daily lows, highs and means for the days past
// and ahead, all in the garden's own time.
namespace talvane::garden {

struct HourlyTemperature {
    journal::CalendarDate date;
    int hour = 0; // 0 to 23, the garden's time
    double celsius = 0;
};

struct DailyTemperature {
    journal::CalendarDate date;
    std::optional<double> lowest;
    std::optional<double> highest;
    std::optional<double> mean;
};

struct Forecast {
    std::vector<HourlyTemperature> hourly; // in time order
    std::vector<DailyTemperature> daily;   // in date order

    // The mean of a day, from the daily means or else its hours; nothing without either.
    std::optional<double> meanOf(journal::CalendarDate date) const;
};

// An answer larger than this is refused unread.
inline constexpr std::size_t kForecastAnswerLimit = 4 * 1024 * 1024;

// Reads an answer's JSON. An answer that is not JSON, says "error", lacks the hourly
// temperatures, has lists of different lengths, a time that is not a time of day
// ("2026-12-10T05:00"), times out of order or temperatures beyond -100 to 70 °C is
// refused, with why; a null temperature is a missing one and is left out.
std::variant<Forecast, std::string> readForecast(std::string_view json);

// The address of the forecast for a place: `base` ("https://api.open-meteo.com", or a
// server of one's own) with /v1/forecast, the hourly temperature for 7 days ahead and
// the daily lowest, highest and mean for the 92 days past and the 7 ahead, in the
// place's time zone.
std::string forecastAddress(std::string_view base, double latitude, double longitude);

inline constexpr std::string_view kOpenMeteoBase = "https://api.open-meteo.com";

} // namespace talvane::garden
