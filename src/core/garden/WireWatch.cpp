#include "core/garden/WireWatch.h"

#include "core/journal/Journal.h"
#include "core/journal/JournalFormat.h"

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

// The warmth a day brings on average over the last days known.
double recentWarmth(const DailyMeans& means)
{
    const std::size_t count = std::min(means.size(), kRecentDays);
    double sum = 0;
    for (auto day = std::prev(means.end(), static_cast<std::ptrdiff_t>(count)); day != means.end(); ++day)
        sum += warmthOf(day->second);
    return sum / static_cast<double>(count);
}

// The first day after `from` whose warmth since brings `needed`, a day without a mean
// taken at the recent rate; `from` plus the longest wait when none does.
CalendarDate warmEnoughOn(const DailyMeans& means, CalendarDate from, double needed)
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

DailyMeans dailyMeans(const Forecast& weather)
{
    DailyMeans means;
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

std::optional<WireCheck> wireCheckOf(const collection::EntryList& entries, std::size_t entry, const Forecast& weather,
                                     CalendarDate today)
{
    return wireCheckOf(entries, entry, dailyMeans(weather), today);
}

std::optional<WireCheck> wireCheckOf(const collection::EntryList& entries, std::size_t entry, const DailyMeans& means,
                                     CalendarDate today)
{
    const CBonsaiData& tree = *entries.at(entry);
    std::optional<CalendarDate> wired;
    std::optional<CalendarDate> unwired;
    // Only the lines of a wiring or a wire removal are read whole: a collection's every
    // journal is looked through at each count.
    journal::forEachJournalLine(tree[journal::kJournalField], [&](std::string_view line) {
        const auto columns = journal::quickColumnsOfLine(line);
        const bool wiring = columns && columns->kind == journal::careKindName(CareKind::Wiring);
        if (!wiring && !(columns && columns->kind == journal::careKindName(CareKind::WireRemoval)))
            return;
        if (const auto event = journal::parseEventLine(line)) {
            std::optional<CalendarDate>& latest = wiring ? wired : unwired;
            latest = std::max(latest.value_or(event->date), event->date);
        }
    });
    if (!wired || (unwired && *unwired >= *wired))
        return std::nullopt;

    const TreeWatch watch = readTreeWatch(tree[kWatchField]);
    const CalendarDate from = std::max(*wired, watch.wireChecked.value_or(*wired));
    const Vigour vigour = speciesNeeds(tree).vigour;
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
