#pragma once

#include "core/collection/BonsaiData.h"
#include "core/collection/FieldCatalogue.h"
#include "core/journal/CalendarDate.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// What temperatures a tree takes in its pot, and the state of its wire watch. Both are
// kept in a spare field of the tree, as items "low=-5;high=35;wirechecked=2026-08-01;
// wiresnoozed=2026-08-10", each at most once, in that order; an item this version does
// not know is kept as it is, after the others.
namespace talvane::garden {

using collection::kWatchField;

// How fast a species grows into its wire.
enum class Vigour { Fast, Medium, Slow };

struct TemperatureLimits {
    int lowest = 0;  // °C, the coldest night it takes in a pot
    int highest = 0; // °C, the hottest day
    bool operator==(const TemperatureLimits&) const = default;
};

// What a species takes: from the table of the shipped guide's species, found by the
// tree's botanical name (the species, else its genus), or the default for an interior
// or an exterior tree.
struct SpeciesNeeds {
    TemperatureLimits limits;
    Vigour vigour = Vigour::Medium;
    bool fromTable = false; // false: the interior or exterior default
};
SpeciesNeeds speciesNeeds(const CBonsaiData& entry);

// The field read: the grower's own limits where given, and the wire watch's dates.
struct TreeWatch {
    std::optional<int> lowest;
    std::optional<int> highest;
    std::optional<journal::CalendarDate> wireChecked; // the wire was last looked at
    std::optional<journal::CalendarDate> wireSnoozed; // no check before this day
    std::string unknownItems;                         // kept as read

    bool operator==(const TreeWatch&) const = default;
};
TreeWatch readTreeWatch(std::string_view fieldText);
// Empty when nothing is set.
std::string treeWatchText(const TreeWatch& watch);

// The limits the watch holds a tree to: the grower's, else its species'.
TemperatureLimits treeLimits(const CBonsaiData& entry);

} // namespace talvane::garden
