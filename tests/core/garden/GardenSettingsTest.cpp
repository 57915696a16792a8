#include "core/garden/GardenSettings.h"

#include "support/core/ForecastServer.h"
#include "support/core/ScopedVariable.h"
#include "support/core/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace talvane::garden;
using talvane::journal::CalendarDate;
using namespace std::chrono_literals;

TEST(GardenSettings, KeepsTheLocationBesideTheUsersSettings)
{
    TempDir dir;
    const ScopedVariable config("XDG_CONFIG_HOME", (dir / "config").c_str());
    const auto file = gardenLocationFile(dir / "trees.tvn");
    EXPECT_EQ(file.parent_path(), dir / "config/talvane/garden");
    EXPECT_FALSE(readGardenLocation(file).location);
    EXPECT_FALSE(readGardenLocation(file).failure) << "nothing set is no failure";

    const GardenLocation lyon{45.7640, 4.8357, "Lyon, Auvergne-Rh\u00F4ne-Alpes", "http://meteo.home"};
    ASSERT_FALSE(writeGardenLocation(file, lyon));
    EXPECT_EQ(readGardenLocation(file).location, lyon);

    for (const char* damaged : {"{", R"({"latitude":45.7})", R"({"latitude":91,"longitude":4.8})",
                                R"({"latitude":"45.7","longitude":4.8})"}) {
        writeFileBytes(file, damaged);
        const LocationRead read = readGardenLocation(file);
        EXPECT_FALSE(read.location) << damaged;
        EXPECT_EQ(read.failure, "The garden\u2019s location " + file.string() + " is damaged: set it again.") << damaged;
    }
    ASSERT_FALSE(forgetGardenLocation(file));
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_FALSE(forgetGardenLocation(file)) << "forgetting what is not kept";
}

TEST(GardenSettings, SaysWhichCoordinatesCannotBeUsed)
{
    EXPECT_FALSE(locationProblem(-90, 180));
    EXPECT_FALSE(locationProblem(90, -180));
    EXPECT_EQ(locationProblem(90.0001, 0), "The latitude must lie between \u221290 and 90.");
    EXPECT_EQ(locationProblem(std::nan(""), 0), "The latitude must lie between \u221290 and 90.");
    EXPECT_EQ(locationProblem(0, -180.5), "The longitude must lie between \u2212180 and 180.");
    EXPECT_EQ(locationProblem(0, INFINITY), "The longitude must lie between \u2212180 and 180.");
}

TEST(GardenSettings, SaysTheAgeOfAForecast)
{
    const std::pair<std::chrono::system_clock::duration, const char*> ages[] = {
        {-5min, "Forecast of 1 minute ago"},   {30s, "Forecast of 1 minute ago"},
        {2min, "Forecast of 2 minutes ago"},   {59min + 59s, "Forecast of 59 minutes ago"},
        {60min, "Forecast of 1 hour ago"},     {119min, "Forecast of 1 hour ago"},
        {2h, "Forecast of 2 hours ago"},       {47h + 59min, "Forecast of 47 hours ago"},
        {48h, "Forecast of 2 days ago"},       {24h * 40 + 23h, "Forecast of 40 days ago"},
    };
    for (const auto& [age, said] : ages)
        EXPECT_EQ(forecastAgeText(age), said) << std::chrono::duration_cast<std::chrono::seconds>(age).count();
    EXPECT_EQ(forecastAgeText(3h, [](std::string_view) { return std::string("Pr\u00E9vision d\u2019il y a %1 heures"); }),
              "Pr\u00E9vision d\u2019il y a 3 heures");
}

TEST(GardenSettings, KeepsAYearOfDailyMeansForTheWireWatch)
{
    TempDir dir;
    const ScopedVariable cache("XDG_CACHE_HOME", (dir / "cache").c_str());
    const auto file = keptWeatherFile(dir / "trees.tvn");
    EXPECT_EQ(file.parent_path(), dir / "cache/talvane/forecast");

    const std::string answer = recordedForecast("frost-night.json");
    const Forecast read = std::get<Forecast>(readForecast(answer));
    KeptWeather weather;
    weather.dailyMeans = {{"2025-12-14", 1.0}, {"2025-12-15", 2.0}, {"2026-09-08", 14.5}};
    weather.latitude = 45.76;
    weather.longitude = 4.84;
    const auto readAt = std::chrono::system_clock::time_point(std::chrono::seconds(1'797'000'000));
    keepAnswer(weather, answer, read, readAt, 45.76, 4.84);
    // The answer ends on 2026-12-16: a year back reaches 2025-12-15.
    EXPECT_EQ(weather.dailyMeans.begin()->first, "2025-12-15");
    EXPECT_EQ(weather.dailyMeans.size(), 2u + 99);
    EXPECT_EQ(weather.dailyMeans.at("2026-12-12"), -1.3);

    ASSERT_FALSE(writeKeptWeather(file, weather));
    const KeptWeatherRead kept = readKeptWeather(file);
    ASSERT_TRUE(kept.weather) << kept.failure.value_or("");
    EXPECT_EQ(kept.weather->answer, answer);
    EXPECT_EQ(kept.weather->readAt, readAt);
    EXPECT_EQ(kept.weather->dailyMeans, weather.dailyMeans);

    const auto forecast = keptForecast(*kept.weather);
    ASSERT_TRUE(forecast);
    ASSERT_EQ(forecast->daily.size(), 2u + 99) << "the answer's days and those kept before them";
    EXPECT_EQ(forecast->daily[0].date, CalendarDate::fromText("2025-12-15"));
    EXPECT_EQ(forecast->daily[0].mean, 2.0);
    EXPECT_EQ(forecast->daily[1].date, CalendarDate::fromText("2026-09-08"));
    EXPECT_EQ(forecast->daily[2].date, CalendarDate::fromText("2026-09-09"));
    EXPECT_EQ(forecast->daily[2].lowest, read.daily[0].lowest);
    EXPECT_EQ(forecast->hourly.size(), read.hourly.size());

    keepAnswer(weather, answer, read, readAt, 48.85, 2.35);
    EXPECT_EQ(weather.dailyMeans.size(), 99u) << "the means of the garden's former place are not this one's";

    writeFileBytes(file, R"({"answer":"{}","readAt":"yesterday"})");
    EXPECT_EQ(readKeptWeather(file).failure, "The kept forecast " + file.string() + " is damaged.");
    EXPECT_FALSE(readKeptWeather(file).weather);
}
