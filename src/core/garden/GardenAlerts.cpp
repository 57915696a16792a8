#include "core/garden/GardenAlerts.h"

#include "core/garden/Place.h"
#include "core/garden/TreeLimits.h"
#include "core/garden/WireWatch.h"
#include "core/journal/Journal.h"
#include "core/journal/JournalFormat.h"
#include "core/text/Windows1252.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <functional>
#include <tuple>

namespace talvane::garden {

namespace {

using journal::CalendarDate;

// A night runs from noon of its day to noon of the next.
constexpr int kNoon = 12;
// How many trees a group's text names.
constexpr std::size_t kNamedTrees = 3;

// The lowest of a night, the highest of a day: as far as the forecast holds its hours.
struct Extreme {
    CalendarDate date;
    double celsius = 0;
};

enum class Watched { Nights, Days };

// Colder for nights, hotter for days.
bool worse(Watched watched, double celsius, double than)
{
    return watched == Watched::Nights ? celsius < than : celsius > than;
}

std::vector<Extreme> extremes(const Forecast& weather, CalendarDate today, Watched watched)
{
    std::vector<Extreme> found;
    for (int ahead = 0; ahead < kWatchDays; ++ahead) {
        const CalendarDate date = today.plusDays(ahead);
        std::optional<double> extreme;
        for (const HourlyTemperature& hour : weather.hourly) {
            const bool inside = watched == Watched::Days ? hour.date == date
                                                         : (hour.date == date && hour.hour >= kNoon)
                                                               || (hour.date == date.plusDays(1) && hour.hour < kNoon);
            if (inside && (!extreme || worse(watched, hour.celsius, *extreme)))
                extreme = hour.celsius;
        }
        if (extreme)
            found.push_back({date, *extreme});
    }
    return found;
}

// A Protection event from kWatchDays before the date to the date itself.
bool isProtected(const std::vector<CalendarDate>& protections, CalendarDate date)
{
    return std::ranges::any_of(protections, [&](CalendarDate on) { return on <= date && date.plusDays(-kWatchDays) <= on; });
}

// Only the lines of a protection are read whole.
std::vector<CalendarDate> protectionsOf(const CBonsaiData& entry)
{
    std::vector<CalendarDate> dates;
    journal::forEachJournalLine(entry[journal::kJournalField], [&dates](std::string_view line) {
        const auto columns = journal::quickColumnsOfLine(line);
        if (columns && columns->kind == journal::careKindName(journal::CareKind::Protection))
            if (const auto event = journal::parseEventLine(line))
                dates.push_back(event->date);
    });
    return dates;
}

// The worst of the extremes that pass the limit on a day the tree is not protected.
const Extreme* worstPast(const std::vector<Extreme>& extremes, Watched watched, const std::vector<CalendarDate>& protections,
                         const std::function<bool(const Extreme&)>& passes)
{
    const Extreme* worst = nullptr;
    for (const Extreme& extreme : extremes)
        if (passes(extreme) && !isProtected(protections, extreme.date)
            && (!worst || worse(watched, extreme.celsius, worst->celsius)))
            worst = &extreme;
    return worst;
}

std::string_view dayName(CalendarDate date)
{
    constexpr std::array<std::string_view, 7> kDays = {SHOWN_TEXT("Sunday"),   SHOWN_TEXT("Monday"), SHOWN_TEXT("Tuesday"),
                                                       SHOWN_TEXT("Wednesday"), SHOWN_TEXT("Thursday"),
                                                       SHOWN_TEXT("Friday"),   SHOWN_TEXT("Saturday")};
    const std::chrono::sys_days days{std::chrono::year{date.year()} / std::chrono::month{date.month()} /
                                     std::chrono::day{date.day()}};
    return kDays.at(std::chrono::weekday{days}.c_encoding());
}

// The sentences of a group, each whole: for one tree or several, without a place or at one.
struct GroupSentences {
    std::string_view oneTree;
    std::string_view trees;
    std::string_view oneTreeAt;
    std::string_view treesAt;
};

constexpr GroupSentences kFrostSentences{
    SHOWN_TEXT("Frost %1 on %2 night: 1 tree below its limit (%3)"),
    SHOWN_TEXT("Frost %1 on %2 night: %3 trees below their limit (%4)"),
    SHOWN_TEXT("Frost %1 on %2 night: 1 tree below its limit on %3 (%4)"),
    SHOWN_TEXT("Frost %1 on %2 night: %3 trees below their limit on %4 (%5)"),
};
constexpr GroupSentences kHeatSentences{
    SHOWN_TEXT("Heat %1 on %2: 1 tree above its limit (%3)"),
    SHOWN_TEXT("Heat %1 on %2: %3 trees above their limit (%4)"),
    SHOWN_TEXT("Heat %1 on %2: 1 tree above its limit on %3 (%4)"),
    SHOWN_TEXT("Heat %1 on %2: %3 trees above their limit on %4 (%5)"),
};

// "Momiji −2 °C, Juniper −10 °C, …": the first trees with their limits.
std::string namedTrees(const std::vector<GardenAlert>& alerts)
{
    std::string named;
    for (std::size_t i = 0; i < alerts.size() && i < kNamedTrees; ++i) {
        if (i > 0)
            named += ", ";
        named += text::cp1252ToUtf8(alerts[i].treeName);
        if (alerts[i].limit)
            named += " " + degreesText(*alerts[i].limit);
    }
    if (alerts.size() > kNamedTrees)
        named += ", \u2026";
    return named;
}

} // namespace

std::string_view alertKindKey(AlertKind kind)
{
    switch (kind) {
    case AlertKind::Frost: return "frost";
    case AlertKind::Heat: return "heat";
    case AlertKind::Wire: return "wire";
    }
    return "frost";
}

std::vector<GardenAlert> gardenAlerts(const collection::EntryList& entries, const Forecast& weather, CalendarDate today)
{
    const std::vector<Extreme> nights = extremes(weather, today, Watched::Nights);
    const std::vector<Extreme> days = extremes(weather, today, Watched::Days);
    const CalendarDate lastDay = today.plusDays(kWatchDays - 1);
    const DailyMeans means = dailyMeans(weather);
    std::vector<GardenAlert> alerts;
    for (std::size_t position = 0; position < entries.size(); ++position) {
        const CBonsaiData& entry = *entries[position];
        const Place place = placeOf(entry).value_or(Place{});
        const TemperatureLimits limits = treeLimits(entry);
        const std::vector<CalendarDate> protections = protectionsOf(entry);
        const auto add = [&](AlertKind kind, CalendarDate date) -> GardenAlert& {
            return alerts.emplace_back(GardenAlert{kind, date, position, std::string(entry[CBonsaiData::Name]),
                                                   place.name, std::nullopt, std::nullopt, 0, date});
        };

        const auto frosty = [&](const Extreme& night) { return night.celsius + place.shelter < limits.lowest; };
        const Extreme* night = neverFreezes(place.kind) ? nullptr : worstPast(nights, Watched::Nights, protections, frosty);
        if (night) {
            GardenAlert& frost = add(AlertKind::Frost, night->date);
            frost.limit = limits.lowest;
            frost.forecast = night->celsius;
        }
        const auto hot = [&](const Extreme& day) { return day.celsius > limits.highest; };
        const Extreme* day = takesOutdoorHeat(place.kind) ? worstPast(days, Watched::Days, protections, hot) : nullptr;
        if (day) {
            GardenAlert& heat = add(AlertKind::Heat, day->date);
            heat.limit = limits.highest;
            heat.forecast = day->celsius;
        }
        if (const auto check = wireCheckOf(entries, position, means, today); check && check->checkOn <= lastDay) {
            GardenAlert& wire = add(AlertKind::Wire, check->checkOn);
            wire.warmWeeks = check->warmWeeks;
            wire.since = check->from;
            wire.sinceCheck = check->from != check->wired;
        }
    }
    std::ranges::stable_sort(alerts, {}, [](const GardenAlert& alert) { return std::tuple(alert.date, alert.kind); });
    return alerts;
}

std::vector<AlertGroup> groupAlerts(const std::vector<GardenAlert>& alerts)
{
    std::vector<AlertGroup> groups;
    for (const GardenAlert& alert : alerts) {
        if (alert.kind == AlertKind::Wire || !alert.forecast)
            continue;
        auto group = std::ranges::find_if(groups, [&](const AlertGroup& group) {
            return group.kind == alert.kind && group.date == alert.date && group.placeName == alert.placeName;
        });
        if (group == groups.end())
            group = groups.insert(groups.end(), AlertGroup{alert.kind, alert.date, alert.placeName, *alert.forecast, {}});
        group->forecast = alert.kind == AlertKind::Frost ? std::min(group->forecast, *alert.forecast)
                                                          : std::max(group->forecast, *alert.forecast);
        group->alerts.push_back(alert);
    }
    return groups;
}

std::string alertGroupText(const AlertGroup& group, const text::Words& words)
{
    const GroupSentences& sentences = group.kind == AlertKind::Heat ? kHeatSentences : kFrostSentences;
    const bool one = group.alerts.size() == 1;
    const bool atPlace = !group.placeName.empty();
    std::vector<std::string> values = {degreesText(group.forecast), text::say(words, dayName(group.date))};
    if (!one)
        values.push_back(std::to_string(group.alerts.size()));
    if (atPlace)
        values.push_back(text::cp1252ToUtf8(group.placeName));
    values.push_back(namedTrees(group.alerts));
    const std::string_view sentence = one ? (atPlace ? sentences.oneTreeAt : sentences.oneTree)
                                          : (atPlace ? sentences.treesAt : sentences.trees);
    return text::say(words, sentence, values);
}

std::string wireAlertText(const GardenAlert& alert, const text::Words& words)
{
    const std::string name = text::cp1252ToUtf8(alert.treeName);
    if (alert.warmWeeks == 1)
        return text::say(words,
                         alert.sinceCheck ? SHOWN_TEXT("Check the wire on %1: 1 warm week since it was last checked")
                                          : SHOWN_TEXT("Check the wire on %1: 1 warm week since it was wired"),
                         {name});
    return text::say(words,
                     alert.sinceCheck ? SHOWN_TEXT("Check the wire on %1: %2 warm weeks since it was last checked")
                                      : SHOWN_TEXT("Check the wire on %1: %2 warm weeks since it was wired"),
                     {name, std::to_string(alert.warmWeeks)});
}

std::string_view alertTaskName(AlertKind kind)
{
    return kind == AlertKind::Heat ? SHOWN_TEXT("Shade from heat") : SHOWN_TEXT("Protect from frost");
}

std::string degreesText(double celsius)
{
    const long whole = std::lround(celsius);
    return (whole < 0 ? "\u2212" + std::to_string(-whole) : std::to_string(whole)) + " \u00B0C";
}

} // namespace talvane::garden
