#include "core/collection/CollectionFile.h"
#include "core/garden/GardenSettings.h"

#include "support/core/CompanionRun.h"
#include "support/core/ForecastServer.h"
#include "support/core/ScopedVariable.h"

#include <gtest/gtest.h>

using namespace talvane::collection;
using namespace talvane::garden;

namespace {

// An exposed maple that takes -2 °C, and a juniper that takes -5 °C in a cold frame
// keeping it 4 degrees above the open air.
void writeGarden(const std::filesystem::path& file)
{
    EntryList entries;
    entries.push_back(std::make_unique<CBonsaiData>());
    (*entries.back())[CBonsaiData::Name] = "\xC9rable";
    (*entries.back())[111] = "low=-2;high=35";
    entries.push_back(std::make_unique<CBonsaiData>());
    (*entries.back())[CBonsaiData::Name] = "Juniper";
    (*entries.back())[111] = "low=-5;high=40";
    (*entries.back())[112] = "Cold frame\tsheltered\t4";
    ASSERT_FALSE(saveCollectionFile(file, entries));
}

std::string watchCommand(const std::string& file, const ForecastServer& server, const char* today)
{
    return "watch " + file + " --latitude 45.76 --longitude 4.84 --forecast-url " + server.base() + " --today " + today;
}

} // namespace

TEST(WatchCommand, PrintsTheFrostOfExposedTreesAndGoesOnOffline)
{
    TempDir dir;
    const ScopedVariable cache("XDG_CACHE_HOME", (dir / "cache").c_str());
    writeGarden(dir / "trees.tvn");
    ForecastServer server(recordedForecast("frost-night.json"));

    // -6 °C in the small hours of the 12th: the night of the 11th. The cold frame's -2 °C
    // is above the juniper's limit.
    const std::string frost = "2026-12-11\tfrost\t0\t\u00C9rable\t-2\t-6\n";
    CompanionRun run = runCompanion(dir, watchCommand("trees.tvn", server, "2026-12-10"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, frost);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(server.forecastsAsked(), 1);
    run = runCompanion(dir, watchCommand("trees.tvn", server, "2026-12-13"));
    EXPECT_EQ(run.status, 0) << "no alert is no failure";
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(server.forecastsAsked(), 1) << "the answer kept for three hours";

    // The answer kept five hours ago, and the server out of reach since.
    const auto keptFile = keptWeatherFile(dir / "trees.tvn");
    KeptWeather kept = readKeptWeather(keptFile).weather.value();
    kept.readAt = std::chrono::system_clock::now() - std::chrono::hours(5);
    ASSERT_FALSE(writeKeptWeather(keptFile, kept));
    server.stop();
    run = runCompanion(dir, watchCommand("trees.tvn", server, "2026-12-10"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, frost);
    EXPECT_EQ(run.err.rfind("talvane-cli: The forecast could not be read from " + server.base() + ": ", 0), 0u) << run.err;
    EXPECT_TRUE(run.err.ends_with("\ntalvane-cli: offline: forecast of 5 hours ago\n")) << run.err;

    writeGarden(dir / "summer.tvn");
    ForecastServer summer(recordedForecast("heat-wave.json"));
    run = runCompanion(dir, watchCommand("summer.tvn", summer, "2026-07-20"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "2026-07-21\theat\t0\t\u00C9rable\t35\t38\n") << "the juniper takes 40 °C";
}

TEST(WatchCommand, FailsWithoutAForecastOrAPlaceOnEarth)
{
    TempDir dir;
    const ScopedVariable cache("XDG_CACHE_HOME", (dir / "cache").c_str());
    writeGarden(dir / "trees.tvn");
    ForecastServer server(recordedForecast("malformed.json"));

    CompanionRun run = runCompanion(dir, watchCommand("trees.tvn", server, "2026-12-10"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "talvane-cli: The forecast could not be read from " + server.base() +
                           ": the lists of \u201Chourly\u201D are of different lengths. No forecast is kept for this "
                           "place.\n");
    EXPECT_FALSE(std::filesystem::exists(keptWeatherFile(dir / "trees.tvn")));

    const std::pair<std::string, std::string> refused[] = {
        {"--latitude 91 --longitude 4.84", "The latitude must lie between \u221290 and 90."},
        {"--latitude 45.76 --longitude -180.01", "The longitude must lie between \u2212180 and 180."},
        {"--latitude nan --longitude 4.84", "The latitude must lie between \u221290 and 90."},
        {"--latitude 45,76 --longitude 4.84", "--latitude 45,76: not a number of degrees such as 45.76"},
        {"--latitude 45.76", "watch: --longitude is required"},
        {"--latitude 45.76 --longitude 4.84 --today 2026-12-32", "--today 2026-12-32: not a date of the form YYYY-MM-DD"},
    };
    for (const auto& [options, why] : refused) {
        run = runCompanion(dir, "watch trees.tvn --forecast-url " + server.base() + " " + options);
        EXPECT_EQ(run.status, 1) << options;
        EXPECT_EQ(run.err, "talvane-cli: " + why + "\n") << options;
    }
    EXPECT_EQ(server.forecastsAsked(), 1) << "asked only once, for the place on Earth";
}
