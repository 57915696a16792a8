#include "core/search/CollectionPlaces.h"

#include "core/search/NaturalSortKey.h"

#include <algorithm>
#include <utility>

namespace talvane::search {

std::vector<garden::Place> collectionPlaces(const collection::EntryList& entries)
{
    std::vector<std::pair<std::string, garden::Place>> keyed;
    for (const auto& entry : entries) {
        auto place = garden::placeOf(*entry);
        if (place && std::ranges::none_of(keyed, [&](const auto& known) { return known.second.name == place->name; }))
            keyed.emplace_back(naturalSortKey(place->name), std::move(*place));
    }
    // Names that differ only in case keep the order of their first trees.
    std::ranges::stable_sort(keyed, {}, &std::pair<std::string, garden::Place>::first);
    std::vector<garden::Place> places;
    places.reserve(keyed.size());
    for (auto& [key, place] : keyed)
        places.push_back(std::move(place));
    return places;
}

} // namespace talvane::search
