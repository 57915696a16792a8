#pragma once

#include "core/garden/GardenSettings.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <stop_token>
#include <string>
#include <variant>
#include <vector>

// Reads the forecast of a garden from its server through libcurl, keeping the last
// answer so that the watch goes on offline.
namespace talvane::reminders {

// An address's body through libcurl, or why it could not be had (the server's "reason"
// for an error answer): only http and https, 20 s to connect and 60 s in all, answers
// over garden::kForecastAnswerLimit refused, and an end as soon as `stop` is asked.
std::variant<std::string, std::string> getOverHttp(const std::string& address, std::stop_token stop = {});

// The weather the watch works from, and how fresh it is.
struct GardenWeather {
    std::optional<garden::Forecast> forecast;   // none: never read and offline
    std::chrono::system_clock::time_point readAt{};
    bool fresh = false;                          // read now, or less than kForecastInterval ago
    std::optional<std::string> failure;          // why the server could not be read now, or its
                                                 // answer not kept
};

// The kept answer when it is for this place and younger than kForecastInterval; else a
// new one read and kept (with `keptFile` rewritten); else, offline or refused, the kept
// one with its age. `now` is the clock's.
GardenWeather weatherFor(const std::filesystem::path& keptFile, const garden::GardenLocation& location,
                         std::chrono::system_clock::time_point now, std::stop_token stop = {});

// A town found by the forecast provider's geocoding.
struct Town {
    std::string name;    // "Lyon"
    std::string region;  // "Auvergne-Rhône-Alpes, France"
    double latitude = 0;
    double longitude = 0;
};
// The geocoding address of a forecast base: Open-Meteo's own geocoding server for its
// base, the same server for one's own.
std::string geocodingAddress(std::string_view forecastBase, std::string_view name);
// The towns of that name, at most 10, or why none could be looked up.
std::variant<std::vector<Town>, std::string> findTowns(std::string_view forecastBase, std::string_view name,
                                                       std::stop_token stop = {});

} // namespace talvane::reminders
