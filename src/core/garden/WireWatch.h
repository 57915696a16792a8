#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/garden/Forecast.h"
#include "core/garden/TreeLimits.h"
#include "core/journal/CalendarDate.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Wire bites into a branch as it thickens, and a branch thickens with warmth: the wire
// of a tree wired and not yet unwired is to be checked once the days since (since its
// last check) have brought enough warmth, counted as growing degree days over 10 °C.
namespace talvane::garden {

inline constexpr double kGrowthBase = 10.0;

// The degree days over 10 °C that bring a wired tree of a vigour to its check.
double wireCheckWarmth(Vigour vigour);
// The longest the wire waits, however cold the weeks: no tree stays wired unseen for
// longer than this many days.
inline constexpr long kLongestWireWait = 120;

struct WireCheck {
    std::size_t entry = 0;
    journal::CalendarDate wired;  // the day of the wiring
    journal::CalendarDate from;   // the wiring, or the last check after it
    journal::CalendarDate checkOn;
    int warmWeeks = 0;           // weeks of days above 10 °C since `from`, whole
    double warmth = 0;           // degree days since `from` up to today, as far as known
};

// The wire check of a tree, when its journal holds a wiring with no wire removal on the
// same day or after it. The check falls on the day the warmth reaches its vigour's
// amount, from the daily means known (the days past and the forecast); beyond them, and
// on a day missing among them, the warmth is taken as that of the last 14 days known, and
// without any mean at all the check comes 6, 8 or 10 weeks after `from` (fast, medium,
// slow). Never later than kLongestWireWait after `from`, nor before the day the grower
// snoozed it to.
std::optional<WireCheck> wireCheckOf(const collection::EntryList& entries, std::size_t entry,
                                     const Forecast& weather, journal::CalendarDate today);

// The mean temperature of each day a forecast knows: counted once, then used for every
// tree of a collection.
using DailyMeans = std::map<journal::CalendarDate, double>;
DailyMeans dailyMeans(const Forecast& weather);
std::optional<WireCheck> wireCheckOf(const collection::EntryList& entries, std::size_t entry, const DailyMeans& means,
                                     journal::CalendarDate today);

} // namespace talvane::garden
