#include "core/garden/Forecast.h"

#include "support/core/ForecastServer.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace talvane::garden;
using talvane::journal::CalendarDate;

namespace {

CalendarDate day(const char* text)
{
    return CalendarDate::fromText(text).value();
}

// Why the answer is refused; empty when it is read.
std::string refusalOf(std::string_view answer)
{
    const auto read = readForecast(answer);
    return std::holds_alternative<std::string>(read) ? std::get<std::string>(read) : std::string();
}

// An answer of two hours and one day, with the values given in place of the usual ones.
std::string answerWith(const std::string& times, const std::string& temperatures, const std::string& daily =
                                                                                     R"({"time":["2026-12-10"]})")
{
    return R"({"latitude":45.76,"hourly":{"time":)" + times + R"(,"temperature_2m":)" + temperatures +
           R"(},"daily":)" + daily + "}";
}

} // namespace

TEST(Forecast, ReadsAnOpenMeteoAnswer)
{
    const auto read = readForecast(recordedForecast("heat-wave.json"));
    ASSERT_TRUE(std::holds_alternative<Forecast>(read)) << std::get<std::string>(read);
    const Forecast& forecast = std::get<Forecast>(read);
    ASSERT_EQ(forecast.hourly.size(), 7u * 24);
    EXPECT_EQ(forecast.hourly.front().date, day("2026-07-20"));
    EXPECT_EQ(forecast.hourly.front().hour, 0);
    EXPECT_EQ(forecast.hourly.back().date, day("2026-07-26"));
    EXPECT_EQ(forecast.hourly.back().hour, 23);
    const auto hottest = std::ranges::max_element(forecast.hourly, {}, &HourlyTemperature::celsius);
    EXPECT_EQ(hottest->date, day("2026-07-21"));
    EXPECT_EQ(hottest->hour, 15);
    EXPECT_DOUBLE_EQ(hottest->celsius, 38.0);

    ASSERT_EQ(forecast.daily.size(), 92u + 7);
    EXPECT_EQ(forecast.daily.front().date, day("2026-04-19"));
    EXPECT_EQ(forecast.daily.back().date, day("2026-07-26"));
    const DailyTemperature& hot = forecast.daily[92 + 1];
    EXPECT_EQ(hot.date, day("2026-07-21"));
    EXPECT_EQ(hot.highest, 38.0);
    EXPECT_EQ(forecast.meanOf(day("2026-07-21")), hot.mean);
    EXPECT_FALSE(forecast.meanOf(day("2026-04-18")));
}

TEST(Forecast, LeavesOutWhatTheServerDidNotKnow)
{
    const auto read = readForecast(answerWith(R"(["2026-12-10T00:00","2026-12-10T01:00","2026-12-10T02:00"])",
                                              "[-1.5,null,2]",
                                              R"({"time":["2026-12-09","2026-12-10"],"temperature_2m_min":[null,-1.5],)"
                                              R"("temperature_2m_mean":[3.5,null]})"));
    ASSERT_TRUE(std::holds_alternative<Forecast>(read)) << std::get<std::string>(read);
    const Forecast& forecast = std::get<Forecast>(read);
    ASSERT_EQ(forecast.hourly.size(), 2u);
    EXPECT_EQ(forecast.hourly[1].hour, 2);
    EXPECT_DOUBLE_EQ(forecast.hourly[1].celsius, 2);
    ASSERT_EQ(forecast.daily.size(), 2u);
    EXPECT_FALSE(forecast.daily[0].lowest);
    EXPECT_FALSE(forecast.daily[0].highest) << "a list the answer lacks";
    EXPECT_EQ(forecast.daily[1].lowest, -1.5);
    EXPECT_EQ(forecast.meanOf(day("2026-12-09")), 3.5);
    EXPECT_EQ(forecast.meanOf(day("2026-12-10")), 0.25) << "from its hours, without a daily mean";

    const auto withoutDays = readForecast(R"({"hourly":{"time":["2026-12-10T05:30"],"temperature_2m":[0]}})");
    ASSERT_TRUE(std::holds_alternative<Forecast>(withoutDays)) << "a zone half an hour off";
    EXPECT_EQ(std::get<Forecast>(withoutDays).hourly[0].hour, 5);
    EXPECT_TRUE(std::get<Forecast>(withoutDays).daily.empty());
}

TEST(Forecast, RefusesWhatIsNoForecastAndSaysWhy)
{
    const std::string twoHours = R"(["2026-12-10T00:00","2026-12-10T01:00"])";
    const std::pair<std::string, std::string> refused[] = {
        {"", "the answer is not JSON"},
        {R"({"hourly":{"time":["2026-12-10T00:00"],"temperature_2m":[1})", "the answer is not JSON"},
        {"[1,2]", "the answer holds no hourly temperatures"},
        {R"({"error":true,"reason":"Latitude must be in range of -90 to 90°. Given: 91.0."})",
         "the server gave no forecast: Latitude must be in range of -90 to 90°. Given: 91.0."},
        {R"({"error":true})", "the server gave no forecast"},
        {R"({"daily":{"time":["2026-12-10"]}})", "the answer holds no hourly temperatures"},
        {R"({"hourly":{"time":["2026-12-10T00:00"]}})", "the answer holds no hourly temperatures"},
        {answerWith(twoHours, "[null,null]"), "the answer holds no hourly temperatures"},
        {answerWith("[]", "[]"), "the answer holds no hourly temperatures"},
        {answerWith(twoHours, "1.5"), "the answer\u2019s \u201Ctemperature_2m\u201D is not what a forecast holds"},
        {answerWith(twoHours, "[1.5]"), "the lists of \u201Chourly\u201D are of different lengths"},
        {answerWith(R"(["2026-12-10T24:00"])", "[1]"), "\u201C2026-12-10T24:00\u201D is not a time of day"},
        {answerWith(R"(["2026-12-10 05:00"])", "[1]"), "\u201C2026-12-10 05:00\u201D is not a time of day"},
        {answerWith(R"(["2026-02-30T05:00"])", "[1]"), "\u201C2026-02-30T05:00\u201D is not a time of day"},
        {answerWith(R"(["2026-12-10T5:00"])", "[1]"), "\u201C2026-12-10T5:00\u201D is not a time of day"},
        {answerWith("[1765324800]", "[1]"), "\u201C1765324800\u201D is not a time of day"},
        {answerWith(R"(["2026-12-10T01:00","2026-12-10T00:00"])", "[1,2]"),
         "the times of \u201Chourly\u201D are out of order"},
        {answerWith(R"(["2026-12-10T01:00","2026-12-10T01:00"])", "[1,2]"),
         "the times of \u201Chourly\u201D are out of order"},
        {answerWith(twoHours, "[1,70.1]"), "\u201C70.1\u201D is not a temperature"},
        {answerWith(twoHours, "[-100.5,1]"), "\u201C-100.5\u201D is not a temperature"},
        {answerWith(twoHours, "[1,1e999]"), "the answer is not JSON"},
        {answerWith(twoHours, R"([1,"2"])"), "\u201C2\u201D is not a temperature"},
        {answerWith(twoHours, R"([1,"far too long for a temperature: -6 °C éé"])"),
         "\u201Cfar too long for a temperature: -6 °C \u2026\u201D is not a temperature"},
        {answerWith(twoHours, "[1,2]", "[]"), "the answer\u2019s \u201Cdaily\u201D is not what a forecast holds"},
        {answerWith(twoHours, "[1,2]", R"({"time":["2026-12-11","2026-12-10"]})"),
         "the times of \u201Cdaily\u201D are out of order"},
        {answerWith(twoHours, "[1,2]", R"({"time":["2026-12-10T00:00"]})"),
         "\u201C2026-12-10T00:00\u201D is not a day"},
        {answerWith(twoHours, "[1,2]", R"({"time":["2026-12-10"],"temperature_2m_max":[1,2]})"),
         "the lists of \u201Cdaily\u201D are of different lengths"},
        {answerWith(twoHours, "[1,2]", R"({"time":["2026-12-10"],"temperature_2m_mean":[true]})"),
         "\u201Ctrue\u201D is not a temperature"},
        {recordedForecast("malformed.json"), "the lists of \u201Chourly\u201D are of different lengths"},
        {std::string(kForecastAnswerLimit + 1, ' '), "the answer is larger than 4 MiB"},
    };
    for (const auto& [answer, why] : refused)
        EXPECT_EQ(refusalOf(answer), why) << answer.substr(0, 200);
    EXPECT_EQ(refusalOf(answerWith(twoHours, "[-100,70]")), "") << "the ends of the range are temperatures";
}

TEST(Forecast, AddressAsksForTheHoursAheadAndTheDaysPast)
{
    const std::string asked = "&hourly=temperature_2m&daily=temperature_2m_min,temperature_2m_max,temperature_2m_mean"
                              "&past_days=92&forecast_days=7&timezone=auto";
    EXPECT_EQ(forecastAddress(kOpenMeteoBase, 45.764043, 4.835659),
              "https://api.open-meteo.com/v1/forecast?latitude=45.7640&longitude=4.8357" + asked);
    EXPECT_EQ(forecastAddress("http://127.0.0.1:8080/", -33.86882, -151.2093),
              "http://127.0.0.1:8080/v1/forecast?latitude=-33.8688&longitude=-151.2093" + asked)
        << "one trailing slash dropped";
    EXPECT_EQ(forecastAddress("http://meteo.home//", 90, 180),
              "http://meteo.home//v1/forecast?latitude=90.0000&longitude=180.0000" + asked);
}
