#include "core/garden/WireWatch.h"

#include "core/journal/Journal.h"

#include <algorithm>
#include <iterator>
#include <map>

namespace talvane::garden {

namespace {

using journal::CalendarDate;
using journal::CareKind;

// How many recent days the warmth to come is taken from.
constexpr std::size_t kRecentDays = 14;

long weeksWithoutWeather(Vigour vigour)
{
    switch (vigour) {
    case Vigour::Fast: return 6;
    case Vigour::Medium: return 8;
    case Vigour::Slow: return 10;
    }
    return 8;
}

double warmthOf(double mean)
{
    return std::max(0.0, mean - kGrowthBase);
}

// The mean of every day the weather knows.
std::map<CalendarDate, double> knownMeans(const Forecast& weather)
{
    std::map<CalendarDate, double> means;
    const auto add = [&](CalendarDate date) {
        if (!means.contains(date))
            if (const auto mean = weather.meanOf(date))
                means.emplace(date, *mean);
    };
    for (const DailyTemperature& day : weather.daily)
        add(day.date);
    for (const HourlyTemperature& hour : weather.hourly)
        add(hour.date);
    return means;
}

// The warmth a day brings on average over the last days known.
double recentWarmth(const std::map<CalendarDate, double>& means)
{
    const std::size_t count = std::min(means.size(), kRecentDays);
    double sum = 0;
    for (auto day = std::prev(means.end(), static_cast<std::ptrdiff_t>(count)); day != means.end(); ++day)
        sum += warmthOf(day->second);
    return sum / static_cast<double>(count);
}

// The first day after `from` whose warmth since brings `needed`, a day without a mean
// taken at the recent rate; `from` plus the longest wait when none does.
CalendarDate warmEnoughOn(const std::map<CalendarDate, double>& means, CalendarDate from, double needed)
{
    const double rate = recentWarmth(means);
    double warmth = 0;
    for (long days = 1; days < kLongestWireWait; ++days) {
        const CalendarDate day = from.plusDays(days);
        const auto known = means.find(day);
        warmth += known != means.end() ? warmthOf(known->second) : rate;
        if (warmth >= needed)
            return day;
    }
    return from.plusDays(kLongestWireWait);
}

} // namespace

double wireCheckWarmth(Vigour vigour)
{
    switch (vigour) {
    case Vigour::Fast: return 250;
    case Vigour::Medium: return 400;
    case Vigour::Slow: return 600;
    }
    return 400;
}

std::optional<WireCheck> wireCheckOf(const collection::EntryList& entries, std::size_t entry, const Forecast& weather,
                                     CalendarDate today)
{
    const CBonsaiData& tree = *entries.at(entry);
    std::optional<CalendarDate> wired;
    std::optional<CalendarDate> unwired;
    for (const journal::NumberedEvent& numbered : journal::Journal::read(tree[journal::kJournalField]).newestFirst()) {
        if (numbered.event.kind == CareKind::Wiring && !wired)
            wired = numbered.event.date;
        else if (numbered.event.kind == CareKind::WireRemoval && !unwired)
            unwired = numbered.event.date;
    }
    if (!wired || (unwired && *unwired >= *wired))
        return std::nullopt;

    const TreeWatch watch = readTreeWatch(tree[kWatchField]);
    const CalendarDate from = std::max(*wired, watch.wireChecked.value_or(*wired));
    const Vigour vigour = speciesNeeds(tree).vigour;
    const auto means = knownMeans(weather);
    WireCheck check{entry, *wired, from,
                    means.empty() ? from.plusDays(7 * weeksWithoutWeather(vigour))
                                  : warmEnoughOn(means, from, wireCheckWarmth(vigour))};
    if (watch.wireSnoozed)
        check.checkOn = std::max(check.checkOn, *watch.wireSnoozed);

    int warmDays = 0;
    for (auto day = means.upper_bound(check.from); day != means.end() && day->first <= today; ++day) {
        check.warmth += warmthOf(day->second);
        warmDays += day->second > kGrowthBase ? 1 : 0;
    }
    check.warmWeeks = warmDays / 7;
    return check;
}

} // namespace talvane::garden
