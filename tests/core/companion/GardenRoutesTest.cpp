// The garden on the phone: the alerts a served file works out from its own forecast,
// the places and their trees, and care logged for every tree of a place at once.
#include "ServedCollection.h"

#include "core/collection/CollectionFile.h"
#include "core/collection/VersionStore.h"
#include "core/companion/FileServing.h"
#include "core/garden/GardenSettings.h"
#include "core/garden/TreeLimits.h"
#include "support/core/ForecastServer.h"
#include "support/core/GardenTestTrees.h"
#include "support/core/ScopedVariable.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <mutex>
#include <thread>

using namespace talvane::collection;

using namespace talvane::companion;
using namespace talvane::garden;
using namespace talvane::journal;
using nlohmann::json;

namespace {

// The recorded frost answer moved so that its first day is today: the night after
// today's falls to -6 °C, whatever day the test runs.
std::string frostFromToday()
{
    json answer = json::parse(recordedForecast("frost-night.json"));
    const long shift = day("2026-12-10").daysUntil(CalendarDate::today());
    for (const char* series : {"hourly", "daily"})
        for (auto& time : answer[series]["time"]) {
            const std::string text = time;
            time = day(text.substr(0, 10).c_str()).plusDays(shift).text() + text.substr(10);
        }
    return answer.dump();
}

// "Frost −6 °C on Friday night: …" for tomorrow's night, whatever day it is.
std::string tomorrowNight()
{
    static constexpr std::array<const char*, 7> kDays = {"Sunday", "Monday", "Tuesday", "Wednesday",
                                                         "Thursday", "Friday", "Saturday"};
    const CalendarDate tomorrow = CalendarDate::today().plusDays(1);
    const std::chrono::year_month_day date{std::chrono::year(tomorrow.year()), std::chrono::month(tomorrow.month()),
                                           std::chrono::day(tomorrow.day())};
    return "Frost \u22126 \u00B0C on " + std::string(kDays[std::chrono::weekday(std::chrono::sys_days(date)).c_encoding()]) +
           " night: 1 tree below its limit";
}

// Momiji and a hardy juniper on Bench 1, an elm without a place, a ficus indoors: of
// them only Momiji and the elm fear -6 °C.
EntryList benches()
{
    EntryList entries;
    addGardenTree(entries, "Momiji", "Acer palmatum", "Bench 1\topen-air\t0")[kWatchField] = "low=-3;high=35";
    addGardenTree(entries, "Juniper", "Juniperus chinensis", "Bench 1\topen-air\t0")[kWatchField] = "low=-10;high=40";
    addGardenTree(entries, "Elm", "Ulmus parvifolia")[kWatchField] = "low=-3;high=35";
    addGardenTree(entries, "Ficus", "Ficus retusa", "Shelf 1/2 \xE9t\xE9\tindoors\t0");
    return entries;
}

// The alerts once the served weather has given some, or after 10 seconds.
json alertsOnce(Phone& phone, const std::function<bool(const json&)>& given)
{
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;; std::this_thread::sleep_for(std::chrono::milliseconds(20))) {
        const json alerts = jsonAnswer(phone.get("/api/alerts"), 200, "the alerts");
        if (!alerts.is_object() || given(alerts) || std::chrono::steady_clock::now() > giveUp)
            return alerts;
    }
}

std::map<std::string, std::string> treeIds(Phone& phone)
{
    std::map<std::string, std::string> ids;
    const json trees = jsonAnswer(phone.get("/api/trees"), 200, "the trees");
    for (const auto& tree : trees["trees"])
        ids[tree["name"].get<std::string>()] = tree["id"].get<std::string>();
    return ids;
}

// The events a journal gained past its first `before` lines.
std::vector<CareEvent> eventsAfter(const std::string& journalText, std::size_t before)
{
    std::vector<CareEvent> events;
    const Journal journal = Journal::read(journalText);
    for (std::size_t line = before; line < journal.lines().size(); ++line)
        events.push_back(journal.lines()[line].event.value());
    return events;
}

const std::string kBench = "/api/places/Bench%201/care";

} // namespace

TEST(CompanionGarden, AServedFileAlertsFromItsOwnForecastAndLogsCareForAPlaceInOneSave)
{
    TempDir dir;
    ScopedVariable config{"XDG_CONFIG_HOME", (dir / "config").c_str()};
    ScopedVariable cache{"XDG_CACHE_HOME", (dir / "cache").c_str()};
    ScopedVariable state{"XDG_STATE_HOME", (dir / "state").c_str()};
    ScopedVariable runtime{"XDG_RUNTIME_DIR", (dir / "runtime").c_str()};
    const auto file = dir / "garden.tvn";
    ASSERT_FALSE(saveCollectionFile(file, benches()));
    ForecastServer forecasts(frostFromToday());
    ASSERT_FALSE(writeGardenLocation(gardenLocationFile(file), {45.76, 4.84, "Lyon", forecasts.base()}));
    std::mutex logging;
    std::vector<std::string> logged;
    ServerOptions options;
    options.bindAddress = "127.0.0.1";
    options.log = [&](std::string_view line) {
        std::lock_guard lock(logging);
        logged.emplace_back(line);
    };
    const auto serve = [&] {
        auto started = FileServing::start(file, dir.path(), options);
        if (auto* failure = std::get_if<std::string>(&started))
            ADD_FAILURE() << *failure;
        return std::get<std::unique_ptr<FileServing>>(std::move(started));
    };
    auto serving = serve();
    Phone phone(serving->server().port());
    ASSERT_TRUE(phone.pair(serving->server().sessions().pairingToken()));

    const json alerts = alertsOnce(phone, [](const json& alerts) { return !alerts["groups"].empty(); });
    const auto ids = treeIds(phone);
    const std::string tomorrow = CalendarDate::today().plusDays(1).text();
    EXPECT_EQ(alerts["forecastAge"], nullptr) << "read just now";
    ASSERT_EQ(alerts["groups"].size(), 2u) << alerts;
    EXPECT_EQ(alerts["groups"][0], (json{{"kind", "frost"}, {"date", tomorrow}, {"place", "Bench 1"},
                                         {"text", tomorrowNight() + " on Bench 1 (Momiji \u22123 \u00B0C)"}}));
    EXPECT_EQ(alerts["groups"][1], (json{{"kind", "frost"}, {"date", tomorrow}, {"place", nullptr},
                                         {"text", tomorrowNight() + " (Elm \u22123 \u00B0C)"}}));
    ASSERT_EQ(alerts["alerts"].size(), 2u) << alerts;
    EXPECT_EQ(alerts["alerts"][0], (json{{"kind", "frost"}, {"date", tomorrow}, {"tree", {{"id", ids.at("Momiji")}, {"name", "Momiji"}}},
                                         {"place", "Bench 1"}, {"limit", -3}, {"forecast", -6.0},
                                         {"text", alerts["groups"][0]["text"]}}));
    EXPECT_EQ(alerts["alerts"][1]["tree"]["id"], ids.at("Elm"));

    // Protecting the bench ends its alert, written at once in one save.
    const json cared = jsonAnswer(phone.postMultipart(kBench, formParts({{"kind", "Protection"}, {"text", "Fleece"}}),
                                                      "bench-0001"),
                                  201, "the bench protected");
    const auto idsAfter = treeIds(phone);
    EXPECT_EQ(cared, (json{{"place", "Bench 1"}, {"trees", {idsAfter.at("Momiji"), idsAfter.at("Juniper")}},
                           {"text", "Protection logged on 2 trees"}, {"saved", true}}));
    const std::string written = readFileBytes(file);
    EXPECT_EQ(listVersions(file).size(), 1u) << "one save for the whole bench";
    EntryList reread;
    ASSERT_FALSE(loadCollectionFile(file, reread));
    for (std::size_t tree : {0u, 1u}) {
        const auto added = eventsAfter(std::string((*reread[tree])[kJournalField]), 0);
        ASSERT_EQ(added.size(), 1u) << tree;
        EXPECT_EQ(added[0].kind, CareKind::Protection);
        EXPECT_EQ(added[0].text, "Fleece");
        EXPECT_EQ(added[0].date, CalendarDate::today());
    }
    for (std::size_t tree : {2u, 3u})
        EXPECT_TRUE((*reread[tree])[kJournalField].empty()) << tree;
    const json after = jsonAnswer(phone.get("/api/alerts"), 200, "the alerts once protected");
    ASSERT_EQ(after["groups"].size(), 1u) << after;
    EXPECT_EQ(after["groups"][0]["place"], nullptr);
    expectRefusal(phone.postMultipart(kBench, formParts({{"kind", "Protection"}, {"text", "Fleece"}}), "bench-0001"), 409,
                  "sent before", "the same care sent again");
    EXPECT_EQ(readFileBytes(file), written);
    {
        std::lock_guard lock(logging);
        EXPECT_NE(std::find(logged.begin(), logged.end(), "Bench 1: Log Protection on 2 trees from phone (sent by Chrome on Android)"),
                  logged.end());
    }

    // Offline, the answer kept serves on, with its age.
    serving.reset();
    forecasts.stop();
    auto kept = readKeptWeather(keptWeatherFile(file)).weather;
    ASSERT_TRUE(kept);
    kept->readAt -= std::chrono::hours(5);
    ASSERT_FALSE(writeKeptWeather(keptWeatherFile(file), *kept));
    serving = serve();
    Phone again(serving->server().port());
    ASSERT_TRUE(again.pair(serving->server().sessions().pairingToken()));
    const json offline = alertsOnce(again, [](const json& alerts) { return alerts["forecastAge"].is_string(); });
    EXPECT_EQ(offline["forecastAge"], "Forecast of 5 hours ago");
    EXPECT_EQ(offline["groups"].size(), 1u);
    serving.reset();
    std::lock_guard lock(logging);
    EXPECT_EQ(std::count_if(logged.begin(), logged.end(),
                            [](const std::string& line) { return line.starts_with("The forecast could not be read from"); }),
              1);
}

TEST(CompanionGarden, CareForAPlaceReachesEachOfItsTreesOnceOrNone)
{
    EntryList entries = benches();
    addGardenTree(entries, "Old pine", "Pinus sylvestris", "Cold frame\tsheltered\t4");
    (*entries.back())[kJournalField] = kForeign;
    ServedCollection served(std::move(entries));
    auto phone = served.pairedPhone();
    const auto ids = treeIds(*phone);
    EXPECT_EQ(jsonAnswer(phone->get("/api/alerts"), 200, "the alerts without a forecast"),
              json::parse(R"({"forecastAge": null, "groups": [], "alerts": []})"));

    const json places = jsonAnswer(phone->get("/api/places"), 200, "the places");
    ASSERT_EQ(places.size(), 3u) << places;
    EXPECT_EQ(places[0]["name"], "Bench 1");
    EXPECT_EQ(places[0]["kind"], "open-air");
    EXPECT_EQ(places[0]["kindLabel"], "Open air");
    EXPECT_EQ(places[0]["shelter"], 0);
    ASSERT_EQ(places[0]["trees"].size(), 2u);
    EXPECT_EQ(places[0]["trees"][0]["name"], "Juniper") << "by name";
    EXPECT_EQ(places[0]["trees"][1]["id"], ids.at("Momiji"));
    EXPECT_EQ(places[1]["name"], "Cold frame");
    EXPECT_EQ(places[1]["shelter"], 4);
    EXPECT_EQ(places[2]["name"], "Shelf 1/2 \u00E9t\u00E9");
    EXPECT_EQ(places[2]["kind"], "indoors");

    const json cared = jsonAnswer(
        phone->postMultipart(kBench, formParts({{"kind", "Watering"}, {"text", "Rain water \u0151"}}), "bench-0001"), 201,
        "the bench watered");
    EXPECT_EQ(cared["text"], "Watering logged on 2 trees");
    EXPECT_EQ(cared["saved"], false);
    EXPECT_EQ(cared["notice"], "\u201C\u0151\u201D was changed to \u201Co\u201D: a Talvane collection cannot store \u201C\u0151\u201D");
    EXPECT_EQ(served.host.changes(), 1) << "one change for the whole bench";
    for (std::size_t tree : {0u, 1u}) {
        const auto added = served.host.journal(tree).lines();
        ASSERT_EQ(added.size(), 1u) << tree;
        EXPECT_EQ(added[0].event->kind, CareKind::Watering);
        EXPECT_EQ(added[0].event->text, "Rain water o");
    }
    EXPECT_TRUE(served.host.journal(2).lines().empty());
    expectRefusal(phone->postMultipart(kBench, formParts({{"kind", "Watering"}}), "bench-0001"), 409, "sent before",
                  "sent again with its key");

    // A name that is not UTF-8 or that names no place finds nothing; none is said back.
    for (const std::string& name : {std::string("Greenhouse"), std::string("%3Cscript%3Ealert(1)%3C%2Fscript%3E"),
                                    std::string("Bench%201%00"), std::string("%00"), std::string("%FF"),
                                    std::string("Bench%201%0A"), std::string(700, 'x')}) {
        const auto refused = phone->postMultipart("/api/places/" + name + "/care", formParts({{"kind", "Watering"}}));
        ASSERT_TRUE(refused) << name;
        EXPECT_EQ(refused->status, 404) << name;
        EXPECT_EQ(refused->body.find_first_of("<>"), std::string::npos) << name << ": " << refused->body;
        EXPECT_EQ(refused->body.find("xxxx"), std::string::npos) << name;
    }
    const std::string cold = "/api/places/Cold%20frame/care";
    expectRefusal(phone->postMultipart(cold, formParts({{"kind", "Watering"}})), 403, "\u201COld pine\u201D",
                  "a place with a journal another program wrote");
    expectRefusal(phone->postMultipart(kBench, formParts({{"kind", "Watering"}, {"date", CalendarDate::today().plusDays(1).text()}})),
                  422, "The date is after today", "a day to come");
    expectRefusal(phone->postMultipart(kBench, formParts({{"text", "no kind"}})), 422, "Choose the kind of care", "no kind");
    EXPECT_EQ(served.host.changes(), 1);

    // A program sends JSON; a place's name may hold a slash and letters beyond ASCII.
    const json shelf = jsonAnswer(phone->postBody("/api/places/Shelf%201%2F2%20%C3%A9t%C3%A9/care",
                                                  R"({"kind": "Feeding"})", "application/json", "shelf-0001"),
                                  201, "the shelf fed");
    EXPECT_EQ(shelf["text"], "Feeding logged on 1 tree");
    EXPECT_EQ(shelf["trees"], json::array({treeIds(*phone).at("Ficus")}));
    EXPECT_EQ(served.host.journal(3).lines().size(), 1u);
    const auto page = phone->get("/places");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);

    // Only a paired phone, with its form, reaches the garden.
    Phone stranger(served.server.port());
    for (const char* path : {"/api/alerts", "/api/places"})
        expectRefusal(stranger.get(path), 401, "not paired", path);
    expectRefusal(stranger.postMultipart(kBench, formParts({{"kind", "Watering"}})), 401, "not paired", "a stranger's care");
    phone->formToken.clear();
    expectRefusal(phone->postMultipart(kBench, formParts({{"kind", "Watering"}})), 403, "out of date", "no form token");
    EXPECT_EQ(served.host.changes(), 2);
}
