#include "Commands.h"

#include "core/garden/GardenAlerts.h"
#include "core/garden/GardenSettings.h"
#include "core/reminders/GardenWeather.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <iostream>

using namespace talvane::collection;

namespace {

using namespace talvane::garden;
using talvane::journal::CalendarDate;

struct WatchRequest {
    std::string file;
    std::string latitude;
    std::string longitude;
    std::string forecastBase = std::string(kOpenMeteoBase);
    std::string today;
};

// A coordinate as typed, with a point whatever the locale.
double degreesOrFail(const char* option, const std::string& typed)
{
    double degrees = 0;
    const auto [end, error] = std::from_chars(typed.data(), typed.data() + typed.size(), degrees);
    if (typed.empty() || error != std::errc() || end != typed.data() + typed.size())
        throw CliFailure(std::string(option) + " " + typed + ": not a number of degrees such as 45.76");
    return degrees;
}

std::string wholeDegrees(double celsius)
{
    return std::to_string(std::lround(celsius));
}

void printAlert(const GardenAlert& alert)
{
    std::cout << alert.date.text() << '\t' << alertKindKey(alert.kind) << '\t' << alert.entry << '\t'
              << printedText(alert.treeName) << '\t' << (alert.limit ? std::to_string(*alert.limit) : "") << '\t'
              << (alert.forecast ? wholeDegrees(*alert.forecast) : "") << '\n';
}

void watch(const WatchRequest& request)
{
    const CalendarDate today = dayOptionOrFail("--today", request.today);
    const GardenLocation location{degreesOrFail("--latitude", request.latitude),
                                  degreesOrFail("--longitude", request.longitude), "", request.forecastBase};
    if (const auto problem = locationProblem(location.latitude, location.longitude))
        throw CliFailure(*problem);
    const EntryList entries = loadCollectionOrFail(request.file);
    // The answer kept for the collection lets the watch go on from it offline.
    const auto weather =
        talvane::reminders::weatherFor(keptWeatherFile(request.file), location, std::chrono::system_clock::now());
    if (!weather.forecast)
        throw CliFailure(weather.failure.value_or("no forecast") + " No forecast is kept for this place.");
    if (weather.failure)
        std::cerr << "talvane-cli: " << *weather.failure << '\n';
    if (!weather.fresh) {
        std::string age = forecastAgeText(std::chrono::system_clock::now() - weather.readAt);
        age.front() = static_cast<char>(std::tolower(static_cast<unsigned char>(age.front())));
        std::cerr << "talvane-cli: offline: " << age << '\n';
    }
    for (const GardenAlert& alert : gardenAlerts(entries, *weather.forecast, today))
        printAlert(alert);
}

} // namespace

void addWatchCommand(CLI::App& app)
{
    auto* command = app.add_subcommand(
        "watch", "Print the frost, heat and wire alerts of the trees for today and the two days after, one a line: "
                 "date, frost|heat|wire, position, name, the tree's limit and the forecast in whole degrees Celsius");
    auto request = std::make_shared<WatchRequest>();
    command->add_option("FILE", request->file, "the collection file")->required();
    // Required, but checked here: CLI11 would widen the help's option column with the word.
    command->add_option("--latitude", request->latitude, "the garden's latitude in degrees, north positive; required")
        ->type_name("LAT");
    command->add_option("--longitude", request->longitude, "the garden's longitude in degrees, east positive; required")
        ->type_name("LON");
    command->add_option("--forecast-url", request->forecastBase,
                        "the forecast server, Open-Meteo's own by default (" + std::string(kOpenMeteoBase) + ")")
        ->type_name("URL");
    command->add_option("--today", request->today, "watch from this date (YYYY-MM-DD) instead of the computer's")
        ->type_name("DATE");
    command->callback([command, request] {
        for (const char* option : {"--latitude", "--longitude"})
            if (command->count(option) == 0)
                throw CliFailure(std::string("watch: ") + option + " is required");
        watch(*request);
    });
}
