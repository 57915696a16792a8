#pragma once

#include "core/garden/AlertSpells.h"
#include "core/garden/Forecast.h"
#include "core/text/Words.h"

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

// Where a collection's garden is, and the last forecast read for it. The location is
// kept beside the collection's path in the user's settings, never in the collection,
// and is sent to nobody but the forecast server.
namespace talvane::garden {

struct GardenLocation {
    double latitude = 0;
    double longitude = 0;
    std::string town;                               // UTF-8, as the grower chose it; may be empty
    std::string forecastBase = std::string(kOpenMeteoBase); // the forecast server

    bool operator==(const GardenLocation&) const = default;
};

// Why a latitude or longitude cannot be used ("The latitude must lie between -90 and
// 90."); nothing when both can.
std::optional<std::string> locationProblem(double latitude, double longitude);

// $XDG_CONFIG_HOME/talvane/garden/<hash of the collection's path>.json.
std::filesystem::path gardenLocationFile(const std::filesystem::path& collection);
struct LocationRead {
    std::optional<GardenLocation> location; // none: not set, or not readable
    std::optional<std::string> failure;
};
LocationRead readGardenLocation(const std::filesystem::path& file);
std::optional<std::string> writeGardenLocation(const std::filesystem::path& file, const GardenLocation& location);
std::optional<std::string> forgetGardenLocation(const std::filesystem::path& file);

// The last answer of the forecast server, when it was read and for where, the daily
// means of every day known (each answer reaches 92 days back; older days are kept, up to
// a year, for the wire watch) and the spells already told.
struct KeptWeather {
    std::string answer;                               // the JSON as the server gave it
    std::chrono::system_clock::time_point readAt{};
    double latitude = 0;
    double longitude = 0;
    std::map<std::string, double> dailyMeans;          // "YYYY-MM-DD" -> °C
    AlertSpells spells;
};

// $XDG_CACHE_HOME/talvane/forecast/<hash of the collection's path>.json.
std::filesystem::path keptWeatherFile(const std::filesystem::path& collection);
struct KeptWeatherRead {
    std::optional<KeptWeather> weather; // none: nothing kept, or not readable
    std::optional<std::string> failure;
};
KeptWeatherRead readKeptWeather(const std::filesystem::path& file);
std::optional<std::string> writeKeptWeather(const std::filesystem::path& file, const KeptWeather& weather);

// The forecast a kept answer holds, its past days completed by the daily means kept.
std::optional<Forecast> keptForecast(const KeptWeather& weather);
// Takes a new answer: keeps it, its time, and its daily means with those kept (dropping
// days more than 366 days before the newest).
void keepAnswer(KeptWeather& weather, std::string answer, const Forecast& read,
                std::chrono::system_clock::time_point readAt, double latitude, double longitude);

// A forecast is read at most this often.
inline constexpr std::chrono::hours kForecastInterval{3};

// "Forecast of 3 hours ago", "Forecast of 2 days ago": the age said when working offline.
std::string forecastAgeText(std::chrono::system_clock::duration age, const text::Words& words = text::inEnglish);

} // namespace talvane::garden
