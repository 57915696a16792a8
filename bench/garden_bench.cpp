// The garden's watch over a large collection: the frost, heat and wire alerts of
// every tree from a week's forecast, as the window counts them again after a change,
// and the reading of a forecast answer.
#include "SampleEntries.h"
#include "Measures.h"
#include "core/garden/Forecast.h"
#include "core/garden/GardenAlerts.h"
#include "core/garden/Place.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>

using namespace talvane::garden;
using talvane::journal::CalendarDate;

namespace {

constexpr int kRuns = 3;

// Hourly temperatures for a week from `today`, down to -8 °C on the second night,
// and the daily means of the 92 days before.
std::string weekAnswer(CalendarDate today)
{
    nlohmann::json times = nlohmann::json::array(), temperatures = nlohmann::json::array();
    for (int day = 0; day < 7; ++day)
        for (int hour = 0; hour < 24; ++hour) {
            char time[24];
            std::snprintf(time, sizeof time, "%sT%02d:00", today.plusDays(day).text().c_str(), hour);
            times.push_back(time);
            temperatures.push_back(day == 2 && hour < 10 ? -8.0 : 5.0 + 4.0 * std::sin(hour / 4.0));
        }
    nlohmann::json days = nlohmann::json::array(), means = nlohmann::json::array();
    for (int day = -92; day < 7; ++day) {
        days.push_back(today.plusDays(day).text());
        means.push_back(day < 0 ? 18.0 + day * 0.1 : 4.0);
    }
    return nlohmann::json{{"hourly", {{"time", times}, {"temperature_2m", temperatures}}},
                          {"daily", {{"time", days}, {"temperature_2m_mean", means}}}}
        .dump();
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const CalendarDate today = CalendarDate::fromText("2026-12-01").value();
    auto entries = sampleCollection(count);
    const char* const places[] = {"Bench 1\topen-air\t0", "Bench 2\topen-air\t0", "Cold frame\tsheltered\t4",
                                  "Greenhouse\tgreenhouse\t6"};
    for (std::size_t n = 0; n < count; ++n) {
        (*entries[n])[talvane::collection::kJournalField] = sampleJournal(n);
        (*entries[n])[kPlaceField] = places[n % std::size(places)];
    }
    const std::string answer = weekAnswer(today);
    Forecast forecast;
    const double read = seconds([&] { forecast = std::get<Forecast>(readForecast(answer)); }, kRuns);
    std::size_t alerts = 0;
    const double counted = seconds([&] { alerts = gardenAlerts(entries, forecast, today).size(); }, kRuns);
    const double grouped = seconds([&] { groupAlerts(gardenAlerts(entries, forecast, today)); }, 1) - counted;
    std::printf("%zu trees with 20 events each, at 4 places\n", count);
    std::printf("read a forecast answer (%.0f kB)  %8.3f ms\n", answer.size() / 1e3, read * 1e3);
    std::printf("every alert                       %8.3f s  (%zu alerts)\n", counted, alerts);
    std::printf("grouped by place and night        %8.3f s\n", std::max(grouped, 0.0));
    return 0;
}
