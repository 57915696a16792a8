#include "core/garden/GardenSettings.h"

#include "core/collection/DiskSteps.h"
#include "core/collection/PosixFile.h"
#include "core/collection/SafeFile.h"
#include "core/collection/UserFolders.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>

namespace talvane::garden {

using journal::CalendarDate;
using nlohmann::json;

namespace {

constexpr int kFileVersion = 1;
// The wire watch looks back at most this far.
constexpr long kDaysKept = 366;

// The file's bytes, or why they cannot be read; nothing at all for a missing file.
std::optional<std::string> readIfThere(const std::filesystem::path& file, std::string& bytes)
{
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        return std::nullopt;
    return collection::readWholeFile(file, bytes);
}

std::optional<std::string> writeJson(const std::filesystem::path& file, const json& content)
{
    return collection::writeOwnFile(file, content.dump(2, ' ', false, json::error_handler_t::replace) + "\n");
}

std::int64_t secondsOf(std::chrono::system_clock::time_point time)
{
    return std::chrono::duration_cast<std::chrono::seconds>(time.time_since_epoch()).count();
}

} // namespace

std::optional<std::string> locationProblem(double latitude, double longitude)
{
    // Written so that a NaN fails too.
    if (!(latitude >= -90 && latitude <= 90))
        return text::sayMessage(SHOWN_TEXT("The latitude must lie between \u221290 and 90."));
    if (!(longitude >= -180 && longitude <= 180))
        return text::sayMessage(SHOWN_TEXT("The longitude must lie between \u2212180 and 180."));
    return std::nullopt;
}

std::filesystem::path gardenLocationFile(const std::filesystem::path& collection)
{
    return collection::collectionFileIn("XDG_CONFIG_HOME", ".config", "garden", collection);
}

LocationRead readGardenLocation(const std::filesystem::path& file)
{
    std::string bytes;
    if (auto failure = readIfThere(file, bytes))
        return {std::nullopt, text::sayMessage(SHOWN_TEXT("The garden\u2019s location %1 cannot be read: %2"),
                                               {file.string(), *failure})};
    if (bytes.empty())
        return {};
    try {
        const auto content = json::parse(bytes);
        GardenLocation location;
        location.latitude = content.at("latitude").get<double>();
        location.longitude = content.at("longitude").get<double>();
        location.town = content.value("town", std::string());
        location.forecastBase = content.value("forecastBase", location.forecastBase);
        if (!locationProblem(location.latitude, location.longitude))
            return {location, std::nullopt};
    } catch (const std::exception&) {
    }
    return {std::nullopt, text::sayMessage(SHOWN_TEXT("The garden\u2019s location %1 is damaged: set it again."),
                                           {file.string()})};
}

std::optional<std::string> writeGardenLocation(const std::filesystem::path& file, const GardenLocation& location)
{
    const json content = {
        {"version", kFileVersion},
        {"latitude", location.latitude},
        {"longitude", location.longitude},
        {"town", location.town},
        {"forecastBase", location.forecastBase},
    };
    if (const auto failure = writeJson(file, content))
        return text::sayMessage(SHOWN_TEXT("The garden\u2019s location %1 cannot be written: %2"), {file.string(), *failure});
    return std::nullopt;
}

std::optional<std::string> forgetGardenLocation(const std::filesystem::path& file)
{
    if (collection::diskRemove(file.c_str()) != 0 && errno != ENOENT)
        return text::sayMessage(SHOWN_TEXT("The garden\u2019s location %1 cannot be removed: %2"),
                                {file.string(), collection::systemReason(errno)});
    return std::nullopt;
}

std::filesystem::path keptWeatherFile(const std::filesystem::path& collection)
{
    return collection::collectionFileIn("XDG_CACHE_HOME", ".cache", "forecast", collection);
}

KeptWeatherRead readKeptWeather(const std::filesystem::path& file)
{
    std::string bytes;
    if (auto failure = readIfThere(file, bytes))
        return {std::nullopt, text::sayMessage(SHOWN_TEXT("The kept forecast %1 cannot be read: %2"),
                                               {file.string(), *failure})};
    if (bytes.empty())
        return {};
    try {
        const auto content = json::parse(bytes);
        KeptWeather weather;
        weather.answer = content.at("answer").get<std::string>();
        weather.readAt = std::chrono::system_clock::time_point(std::chrono::seconds(content.at("readAt").get<std::int64_t>()));
        weather.latitude = content.at("latitude").get<double>();
        weather.longitude = content.at("longitude").get<double>();
        weather.dailyMeans = content.at("dailyMeans").get<std::map<std::string, double>>();
        weather.spells = AlertSpells::read(content.value("spells", std::string()));
        return {std::move(weather), std::nullopt};
    } catch (const std::exception&) {
        return {std::nullopt, text::sayMessage(SHOWN_TEXT("The kept forecast %1 is damaged."), {file.string()})};
    }
}

std::optional<std::string> writeKeptWeather(const std::filesystem::path& file, const KeptWeather& weather)
{
    const json content = {
        {"version", kFileVersion},
        {"readAt", secondsOf(weather.readAt)},
        {"latitude", weather.latitude},
        {"longitude", weather.longitude},
        {"dailyMeans", weather.dailyMeans},
        {"spells", weather.spells.text()},
        {"answer", weather.answer},
    };
    if (const auto failure = writeJson(file, content))
        return text::sayMessage(SHOWN_TEXT("The forecast cannot be kept in %1: %2"), {file.string(), *failure});
    return std::nullopt;
}

std::optional<Forecast> keptForecast(const KeptWeather& weather)
{
    auto read = readForecast(weather.answer);
    auto* forecast = std::get_if<Forecast>(&read);
    if (!forecast)
        return std::nullopt;
    auto& daily = forecast->daily;
    const std::size_t answered = daily.size();
    for (const auto& [text, mean] : weather.dailyMeans) {
        const auto date = CalendarDate::fromText(text);
        if (!date)
            continue;
        const auto day = std::lower_bound(daily.begin(), daily.begin() + static_cast<std::ptrdiff_t>(answered), *date,
                                          [](const DailyTemperature& known, CalendarDate wanted) { return known.date < wanted; });
        if (day != daily.begin() + static_cast<std::ptrdiff_t>(answered) && day->date == *date) {
            if (!day->mean)
                day->mean = mean;
        } else {
            daily.push_back({*date, std::nullopt, std::nullopt, mean});
        }
    }
    std::ranges::sort(daily, {}, &DailyTemperature::date);
    return std::move(*forecast);
}

void keepAnswer(KeptWeather& weather, std::string answer, const Forecast& read,
                std::chrono::system_clock::time_point readAt, double latitude, double longitude)
{
    // The means of another place would mislead the wire watch of this one.
    if (weather.latitude != latitude || weather.longitude != longitude)
        weather.dailyMeans.clear();
    weather.answer = std::move(answer);
    weather.readAt = readAt;
    weather.latitude = latitude;
    weather.longitude = longitude;
    for (const DailyTemperature& day : read.daily)
        if (const auto mean = read.meanOf(day.date))
            weather.dailyMeans[day.date.text()] = *mean;
    if (weather.dailyMeans.empty())
        return;
    // "YYYY-MM-DD" sorts as the dates do.
    if (const auto newest = CalendarDate::fromText(weather.dailyMeans.rbegin()->first))
        weather.dailyMeans.erase(weather.dailyMeans.begin(),
                                 weather.dailyMeans.lower_bound(newest->plusDays(-kDaysKept).text()));
}

std::string forecastAgeText(std::chrono::system_clock::duration age, const text::Words& words)
{
    using namespace std::chrono;
    const auto minutes = std::max<long long>(duration_cast<std::chrono::minutes>(age).count(), 1);
    if (minutes == 1)
        return text::say(words, SHOWN_TEXT("Forecast of 1 minute ago"));
    if (minutes < 60)
        return text::say(words, SHOWN_TEXT("Forecast of %1 minutes ago"), {std::to_string(minutes)});
    const long long hours = minutes / 60;
    if (hours == 1)
        return text::say(words, SHOWN_TEXT("Forecast of 1 hour ago"));
    if (hours < 48)
        return text::say(words, SHOWN_TEXT("Forecast of %1 hours ago"), {std::to_string(hours)});
    return text::say(words, SHOWN_TEXT("Forecast of %1 days ago"), {std::to_string(hours / 24)});
}

} // namespace talvane::garden
