#pragma once

#include "core/garden/GardenAlerts.h"

#include <map>
#include <string>
#include <vector>

// An alert is told once per spell: a frost that the forecast keeps showing night after
// night is one spell, told when it first shows, and told again only once it has left the
// forecast and come back.
namespace talvane::garden {

// The spells under way: for each tree (its identifier, else its position and name) and
// kind, the first date it was told for.
class AlertSpells {
public:
    // The alerts not yet told; the spells are then those of `alerts`: a spell no longer
    // in them is over.
    std::vector<GardenAlert> takeNew(const collection::EntryList& entries, const std::vector<GardenAlert>& alerts);

    // As kept in the garden's state, one "key<TAB>kind<TAB>date" a line.
    std::string text() const;
    static AlertSpells read(std::string_view text);

    bool operator==(const AlertSpells&) const = default;

private:
    std::map<std::string, std::string> m_told; // key + kind -> date first told
};

} // namespace talvane::garden
