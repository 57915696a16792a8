#include "core/reminders/GardenWeather.h"

#include "support/core/ForecastServer.h"
#include "support/core/TempDir.h"

#include <gtest/gtest.h>

#include <stop_token>

using namespace talvane::garden;
using namespace talvane::reminders;
using namespace std::chrono_literals;

namespace {

const auto kMorning = std::chrono::system_clock::time_point(std::chrono::seconds(1'797'000'000));

GardenLocation lyonServedBy(const ForecastServer& server)
{
    return {45.76, 4.84, "Lyon", server.base()};
}

} // namespace

TEST(GardenWeather, AsksTheServerAtMostOnceInThreeHoursForOnePlace)
{
    TempDir dir;
    const auto kept = dir / "forecast.json";
    ForecastServer server(recordedForecast("frost-night.json"));
    const GardenLocation lyon = lyonServedBy(server);

    const GardenWeather first = weatherFor(kept, lyon, kMorning);
    EXPECT_TRUE(first.fresh);
    EXPECT_FALSE(first.failure) << first.failure.value_or("");
    EXPECT_EQ(first.readAt, kMorning);
    ASSERT_TRUE(first.forecast);
    EXPECT_EQ(first.forecast->hourly.size(), 7u * 24);
    EXPECT_EQ(server.forecastsAsked(), 1);
    EXPECT_EQ(server.lastAsked(), forecastAddress("", 45.76, 4.84));

    const GardenWeather again = weatherFor(kept, lyon, kMorning + 2h + 59min);
    EXPECT_EQ(server.forecastsAsked(), 1) << "the kept answer serves";
    EXPECT_TRUE(again.fresh);
    EXPECT_EQ(again.readAt, kMorning);
    ASSERT_TRUE(again.forecast);
    EXPECT_EQ(again.forecast->daily.size(), first.forecast->daily.size());

    EXPECT_TRUE(weatherFor(kept, lyon, kMorning + 3h).fresh);
    EXPECT_EQ(server.forecastsAsked(), 2);
    weatherFor(kept, lyon, kMorning - 1h);
    EXPECT_EQ(server.forecastsAsked(), 3) << "a clock put back";
    GardenLocation paris = lyon;
    paris.latitude = 48.85;
    weatherFor(kept, paris, kMorning + 10min);
    EXPECT_EQ(server.forecastsAsked(), 4) << "another place";
}

TEST(GardenWeather, GoesOnOfflineFromTheKeptAnswer)
{
    TempDir dir;
    const auto kept = dir / "forecast.json";
    ForecastServer server(recordedForecast("frost-night.json"));
    const GardenLocation lyon = lyonServedBy(server);
    ASSERT_TRUE(weatherFor(kept, lyon, kMorning).forecast);

    // Asked to stop, a read gives up before the server is asked, and the kept answer serves.
    std::stop_source stop;
    stop.request_stop();
    const GardenWeather stopped = weatherFor(kept, lyon, kMorning + 5h, stop.get_token());
    EXPECT_EQ(server.forecastsAsked(), 1);
    EXPECT_TRUE(stopped.failure);
    EXPECT_EQ(stopped.readAt, kMorning);
    server.stop();

    const GardenWeather offline = weatherFor(kept, lyon, kMorning + 5h);
    EXPECT_FALSE(offline.fresh);
    EXPECT_EQ(offline.readAt, kMorning);
    ASSERT_TRUE(offline.forecast);
    EXPECT_EQ(offline.forecast->hourly.size(), 7u * 24);
    EXPECT_EQ(forecastAgeText(kMorning + 5h - offline.readAt), "Forecast of 5 hours ago");
    ASSERT_TRUE(offline.failure);
    EXPECT_EQ(offline.failure->rfind("The forecast could not be read from " + server.base() + ": ", 0), 0u)
        << *offline.failure;

    GardenLocation elsewhere = lyon;
    elsewhere.longitude = 5.0;
    const GardenWeather unknown = weatherFor(kept, elsewhere, kMorning + 5h);
    EXPECT_FALSE(unknown.forecast) << "the kept answer is for another place";
    EXPECT_TRUE(unknown.failure);
}

TEST(GardenWeather, RefusesABadAnswerAndKeepsTheGoodOne)
{
    TempDir dir;
    const auto kept = dir / "forecast.json";
    ForecastServer server(recordedForecast("malformed.json"));
    const GardenLocation lyon = lyonServedBy(server);
    const std::string failed = "The forecast could not be read from " + server.base() + ": ";

    const GardenWeather none = weatherFor(kept, lyon, kMorning);
    EXPECT_FALSE(none.forecast);
    EXPECT_EQ(none.failure, failed + "the lists of \u201Chourly\u201D are of different lengths.");
    EXPECT_FALSE(std::filesystem::exists(kept));

    const std::string good = recordedForecast("frost-night.json");
    server.answerWith(good);
    ASSERT_TRUE(weatherFor(kept, lyon, kMorning).fresh);
    const std::pair<std::string, int> bad[] = {
        {recordedForecast("malformed.json"), 200},
        {R"({"error":true,"reason":"Latitude must be in range of -90 to 90°. Given: 91.0."})", 400},
        {"<html>Bad gateway</html>", 502},
        {"[" + std::string(kForecastAnswerLimit, ' ') + "]", 200},
    };
    const std::string why[] = {
        "the lists of \u201Chourly\u201D are of different lengths",
        "the server answered 400 (Latitude must be in range of -90 to 90°. Given: 91.0.)",
        "the server answered 502",
        "the answer is larger than 4 MiB",
    };
    for (std::size_t at = 0; at < std::size(bad); ++at) {
        server.answerWith(bad[at].first, bad[at].second);
        const GardenWeather refused = weatherFor(kept, lyon, kMorning + 4h);
        EXPECT_FALSE(refused.fresh);
        EXPECT_EQ(refused.failure, failed + why[at] + ".");
        EXPECT_EQ(refused.readAt, kMorning);
        ASSERT_TRUE(refused.forecast);
        EXPECT_EQ(refused.forecast->hourly.size(), 7u * 24);
        EXPECT_EQ(readKeptWeather(kept).weather.value().answer, good);
    }
}

TEST(GardenWeather, FindsTownsByName)
{
    EXPECT_EQ(geocodingAddress(kOpenMeteoBase, "Saint-\u00C9tienne en Forez"),
              "https://geocoding-api.open-meteo.com/v1/search?name=Saint-%C3%89tienne%20en%20Forez"
              "&count=10&language=en&format=json");
    EXPECT_EQ(geocodingAddress("https://api.open-meteo.com/", "a&b=c"),
              "https://geocoding-api.open-meteo.com/v1/search?name=a%26b%3Dc&count=10&language=en&format=json");
    EXPECT_EQ(geocodingAddress("http://meteo.home/", "Lyon"),
              "http://meteo.home/v1/search?name=Lyon&count=10&language=en&format=json");

    ForecastServer server("{}");
    std::string results = R"({"results":[)"
                           R"({"id":2996944,"name":"Lyon","latitude":45.74846,"longitude":4.84671,"elevation":173.0,)"
                           R"("country_code":"FR","admin1":"Auvergne-Rhône-Alpes","country":"France"},)"
                           R"({"name":"Lyon","latitude":41.9,"longitude":-89.3,"country":"United States"},)"
                           R"({"name":"Nowhere","latitude":91,"longitude":0},)"
                           R"({"name":"Lyons","longitude":-105.3},)"
                           R"("Lyon")";
    for (int more = 0; more < 10; ++more)
        results += R"(,{"name":"Lyon )" + std::to_string(more) + R"(","latitude":1,"longitude":2})";
    server.answerSearchWith(results + "]}");
    const auto found = findTowns(server.base(), "Lyon");
    ASSERT_TRUE(std::holds_alternative<std::vector<Town>>(found)) << std::get<std::string>(found);
    const auto& towns = std::get<std::vector<Town>>(found);
    EXPECT_EQ(server.lastAsked(), "/v1/search?name=Lyon&count=10&language=en&format=json");
    ASSERT_EQ(towns.size(), 10u) << "at most ten, none without a place on Earth";
    EXPECT_EQ(towns[0].name, "Lyon");
    EXPECT_EQ(towns[0].region, "Auvergne-Rh\u00F4ne-Alpes, France");
    EXPECT_DOUBLE_EQ(towns[0].latitude, 45.74846);
    EXPECT_DOUBLE_EQ(towns[0].longitude, 4.84671);
    EXPECT_EQ(towns[1].region, "United States");
    EXPECT_EQ(towns[2].name, "Lyon 0");
    EXPECT_EQ(towns[2].region, "");

    server.answerSearchWith(R"({"generationtime_ms":0.2})");
    const auto nothing = findTowns(server.base(), "Xqzzy");
    ASSERT_TRUE(std::holds_alternative<std::vector<Town>>(nothing));
    EXPECT_TRUE(std::get<std::vector<Town>>(nothing).empty());

    server.answerSearchWith("<html>");
    EXPECT_EQ(std::get<std::string>(findTowns(server.base(), "Lyon")),
              "The towns could not be looked up: the answer is not JSON.");
    server.stop();
    const auto offline = findTowns(server.base(), "Lyon");
    ASSERT_TRUE(std::holds_alternative<std::string>(offline));
    EXPECT_EQ(std::get<std::string>(offline).rfind("The towns could not be looked up: ", 0), 0u);
}
