#include "core/garden/AlertSpells.h"
#include "core/garden/GardenAlerts.h"
#include "core/garden/TreeLimits.h"

#include "core/collection/TreeIdentity.h"
#include "support/core/GardenTestTrees.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

using namespace talvane::garden;
using talvane::collection::EntryList;
using talvane::journal::CareEvent;
using talvane::journal::CareKind;

namespace {

const auto kThursday = day("2026-12-10");

CareEvent care(const char* date, CareKind kind)
{
    return {day(date), kind, std::nullopt, {}, {}, {}, {}, {}};
}

// Nights of -3, -6 and -1 °C from Thursday on.
Forecast frostyNights()
{
    Forecast weather;
    addNight(weather, "2026-12-10", 2, -3);
    addNight(weather, "2026-12-11", 0, -6);
    addNight(weather, "2026-12-12", 1, -1);
    return weather;
}

EntryList winterGarden()
{
    EntryList entries;
    addGardenTree(entries, "Momiji", "Acer palmatum", "Bench 1\topen-air\t0")[kWatchField] = "low=-2";
    (*entries.back())[talvane::collection::kTreeIdField] = "0f8fad5b-d9cb-469f-a165-70867728950e";
    addGardenTree(entries, "Trident", "Acer buergerianum", "Frame\tsheltered\t4");
    addGardenTree(entries, "Fig", "Ficus microcarpa", "Serre\theated-greenhouse\t0");
    addGardenTree(entries, "Olive", "Olea europaea");
    addGardenTree(entries, "Azalea", "Rhododendron indicum", "Bench 1\topen-air\t0",
                  {care("2026-12-09", CareKind::Protection)});
    addGardenTree(entries, "Elm", "Ulmus parvifolia", "Bench 1", {care("2026-08-12", CareKind::Wiring)});
    addGardenTree(entries, "Pine", "Pinus mugo", "Bench 1", {care("2026-08-20", CareKind::Wiring)});
    return entries;
}

std::vector<std::string> listed(const std::vector<GardenAlert>& alerts)
{
    std::vector<std::string> shown;
    for (const GardenAlert& alert : alerts)
        shown.push_back(std::string(alertKindKey(alert.kind)) + " " + alert.date.text() + " " + alert.treeName);
    return shown;
}

GardenAlert frostOn(const std::string& tree, int limit)
{
    return {AlertKind::Frost, day("2026-12-11"), 0, tree, "Bench 1", limit, -6.4, 0, day("2026-12-11")};
}

} // namespace

TEST(GardenAlerts, FrostWhereThePlaceLetsItBelowTheTreesLimitAndNotOnProtectedTrees)
{
    const EntryList entries = winterGarden();
    const auto alerts = gardenAlerts(entries, frostyNights(), kThursday);
    // The wire of the elm, wired in August: no warmth known since, so the longest wait.
    EXPECT_EQ(listed(alerts), (std::vector<std::string>{"wire 2026-12-10 Elm", "frost 2026-12-11 Momiji",
                                                        "frost 2026-12-11 Olive"}));
    ASSERT_EQ(alerts.size(), 3u);
    EXPECT_EQ(alerts[1].forecast, -6);
    EXPECT_EQ(alerts[1].limit, -2);
    EXPECT_EQ(alerts[1].placeName, "Bench 1");
    EXPECT_EQ(alerts[2].placeName, "");
    EXPECT_EQ(wireAlertText(alerts[0]), "Check the wire on Elm: 0 warm weeks since it was wired");

    const auto groups = groupAlerts(alerts);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(alertGroupText(groups[0]),
              "Frost \u22126 \u00B0C on Friday night: 1 tree below its limit on Bench 1 (Momiji \u22122 \u00B0C)");
    EXPECT_EQ(alertGroupText(groups[1]),
              "Frost \u22126 \u00B0C on Friday night: 1 tree below its limit (Olive \u22125 \u00B0C)");

    // Protected four days before: the first night is covered, the worst is not.
    EntryList late = winterGarden();
    (*late[4])[talvane::journal::kJournalField] = journalTextOf({care("2026-12-07", CareKind::Protection)});
    EXPECT_EQ(listed(gardenAlerts(late, frostyNights(), kThursday)).back(), "frost 2026-12-11 Azalea");
}

TEST(GardenAlerts, HeatOutdoorsOnTheHottestDay)
{
    EntryList entries;
    addGardenTree(entries, "Momiji", "Acer palmatum", "Bench 1");
    addGardenTree(entries, "Olive", "Olea europaea", "Bench 1");
    addGardenTree(entries, "Fig", "Ficus benjamina", "Room\tindoors\t0");
    Forecast weather;
    const std::pair<const char*, double> highs[] = {{"2026-07-15", 36.0}, {"2026-07-16", 39.2}, {"2026-07-17", 30.0}};
    for (const auto& [date, high] : highs)
        for (int hour = 0; hour < 24; ++hour)
            weather.hourly.push_back({day(date), hour, hour == 15 ? high : 20.0});
    const auto alerts = gardenAlerts(entries, weather, day("2026-07-15"));
    EXPECT_EQ(listed(alerts), (std::vector<std::string>{"heat 2026-07-16 Momiji"}));
    EXPECT_EQ(alertGroupText(groupAlerts(alerts).at(0)),
              "Heat 39 \u00B0C on Thursday: 1 tree above its limit on Bench 1 (Momiji 32 \u00B0C)");
}

TEST(GardenAlerts, TextsNameThreeTreesAndSayTheirNumber)
{
    AlertGroup group{AlertKind::Frost, day("2026-12-11"), "Banc \xE9t\xE9", -6.4,
                     {frostOn("Momiji", -2), frostOn("Juniper", -10), frostOn("\xC9rable", -5), frostOn("Pine", -3)}};
    EXPECT_EQ(alertGroupText(group), "Frost \u22126 \u00B0C on Friday night: 4 trees below their limit on Banc \u00E9t\u00E9 "
                                     "(Momiji \u22122 \u00B0C, Juniper \u221210 \u00B0C, \u00C9rable \u22125 \u00B0C, \u2026)");
    group.alerts.erase(group.alerts.begin() + 2, group.alerts.end());
    group.placeName.clear();
    EXPECT_EQ(alertGroupText(group),
              "Frost \u22126 \u00B0C on Friday night: 2 trees below their limit (Momiji \u22122 \u00B0C, Juniper \u221210 \u00B0C)");
    const auto french = [](std::string_view english) {
        return english == "Friday" ? std::string("vendredi") : "[" + std::string(english) + "]";
    };
    EXPECT_EQ(alertGroupText(group, french),
              "[Frost \u22126 \u00B0C on vendredi night: 2 trees below their limit (Momiji \u22122 \u00B0C, Juniper \u221210 \u00B0C)]");

    GardenAlert wire{AlertKind::Wire, day("2026-12-11"), 0, "Elm", "", std::nullopt, std::nullopt, 1, day("2026-11-01"), true};
    EXPECT_EQ(wireAlertText(wire), "Check the wire on Elm: 1 warm week since it was last checked");
    wire.warmWeeks = 5;
    EXPECT_EQ(wireAlertText(wire), "Check the wire on Elm: 5 warm weeks since it was last checked");

    EXPECT_EQ(degreesText(-0.4), "0 \u00B0C");
    EXPECT_EQ(degreesText(-5.5), "\u22126 \u00B0C");
    EXPECT_EQ(degreesText(4.4), "4 \u00B0C");
}

TEST(AlertSpells, ASpellIsToldOnceAndAgainOnlyAfterItEnded)
{
    EntryList entries = winterGarden();
    const auto alerts = gardenAlerts(entries, frostyNights(), kThursday);
    AlertSpells spells;
    EXPECT_EQ(listed(spells.takeNew(entries, alerts)), listed(alerts));
    EXPECT_TRUE(spells.takeNew(entries, alerts).empty());
    EXPECT_EQ(spells.text(), "#3 Olive\tfrost\t2026-12-11\n#5 Elm\twire\t2026-12-10\n"
                             "0f8fad5b-d9cb-469f-a165-70867728950e\tfrost\t2026-12-11\n");
    EXPECT_EQ(AlertSpells::read(spells.text()), spells);

    // A tree with an identifier is known wherever it stands and whatever it is called;
    // the others by their positions.
    std::ranges::rotate(entries, entries.begin() + 1);
    (*entries.back())[CBonsaiData::Name] = "Momiji renamed";
    const auto moved = gardenAlerts(entries, frostyNights(), kThursday);
    EXPECT_EQ(listed(spells.takeNew(entries, moved)),
              (std::vector<std::string>{"wire 2026-12-10 Elm", "frost 2026-12-11 Olive"}));
    // Olive's frost leaves the forecast: when it comes back it is a new spell.
    ASSERT_EQ(moved[1].treeName, "Olive");
    EXPECT_TRUE(spells.takeNew(entries, {moved[0], moved[2]}).empty());
    EXPECT_EQ(listed(spells.takeNew(entries, moved)), (std::vector<std::string>{"frost 2026-12-11 Olive"}));

    const AlertSpells read = AlertSpells::read("#3 Olive\tfrost\t2026-12-11\nno tabs\n#1 A\tsnow\t2026-12-11\n"
                                               "#1 A\tfrost\t2026-02-30\n#1\tA\tfrost\t2026-12-11\n\tfrost\t2026-12-11\n"
                                               "#1 A\tfrost\t2026-12-11\r\n");
    EXPECT_EQ(read.text(), "#3 Olive\tfrost\t2026-12-11\n");
}
