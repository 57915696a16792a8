#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/garden/Place.h"

#include <vector>

namespace talvane::search {

// The places of a collection, each once, in the natural order of their names ("Bench 2"
// before "Bench 10", case and accents aside): the kind and shelter of a place are those
// of the first tree standing there.
std::vector<garden::Place> collectionPlaces(const collection::EntryList& entries);

} // namespace talvane::search
