#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/garden/Forecast.h"
#include "core/journal/CalendarDate.h"
#include "core/text/Words.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The frost, heat and wire alerts of a collection for the days ahead.
namespace talvane::garden {

enum class AlertKind { Frost, Heat, Wire };
std::string_view alertKindKey(AlertKind kind); // "frost", "heat", "wire"

// How many days ahead the watch looks: today and the two days after.
inline constexpr int kWatchDays = 3;

struct GardenAlert {
    AlertKind kind = AlertKind::Frost;
    journal::CalendarDate date;   // the night of the frost, the day of the heat, the wire's check
    std::size_t entry = 0;        // the tree's position
    std::string treeName;         // Windows-1252, as stored
    std::string placeName;        // Windows-1252; empty for a tree without a place
    std::optional<int> limit;     // °C, the tree's lowest or highest; none for wire
    std::optional<double> forecast; // °C in the open air; none for wire
    int warmWeeks = 0;            // wire: whole weeks of warm days since the wiring or last check
    journal::CalendarDate since;  // wire: the wiring or the last check
    bool sinceCheck = false;      // wire: `since` is the last check after the wiring
};

// The alerts of every tree, in the order of their dates, then kinds, then positions.
// A tree is watched for frost where its place (the open air without one) can freeze:
// on the night (noon to noon) whose lowest hour, raised by the place's shelter, falls
// below the tree's lowest; for heat where outdoor heat reaches it, on the day whose
// highest hour passes its highest. Each tree gets at most one frost and one heat alert,
// on its worst night and day of today and the two after, and one wire alert when its
// wire check falls by the last of them. A tree already protected (a Protection event in
// its journal dated from kWatchDays before the night or day to that day) is not alerted.
std::vector<GardenAlert> gardenAlerts(const collection::EntryList& entries, const Forecast& weather,
                                      journal::CalendarDate today);

// A frost or heat alert for the trees of one place on one night or day: what the status
// bar, Care due, the desktop and the phone say.
struct AlertGroup {
    AlertKind kind = AlertKind::Frost;
    journal::CalendarDate date;
    std::string placeName; // Windows-1252
    double forecast = 0;   // the coldest or hottest of the group
    std::vector<GardenAlert> alerts;
};
// Frost and heat alerts grouped by kind, date and place, in the order of the alerts.
std::vector<AlertGroup> groupAlerts(const std::vector<GardenAlert>& alerts);

// "Frost −6 °C on Thursday night: 5 trees below their limit on Bench 1 (Momiji −2 °C,
// Juniper −10 °C, …)", "Heat 36 °C on Saturday: 2 trees above their limit (…)" for trees
// without a place; at most three trees are named. Said in the words given, names UTF-8.
std::string alertGroupText(const AlertGroup& group, const text::Words& words = text::inEnglish);
// "Check the wire on Momiji: 5 warm weeks since it was wired", or "…since it was last checked".
std::string wireAlertText(const GardenAlert& alert, const text::Words& words = text::inEnglish);
// The task a frost or heat alert gives each tree: "Protect from frost", "Shade from heat".
std::string_view alertTaskName(AlertKind kind);

// "−6 °C": a temperature rounded to whole degrees, with a true minus sign.
std::string degreesText(double celsius);

} // namespace talvane::garden
