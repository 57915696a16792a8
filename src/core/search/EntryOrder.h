#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/search/EntryMatcher.h"
#include "core/search/ListColumns.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace talvane::search {

// Reaches the entry at a position of a collection, wherever the collection is held.
using EntryAt = std::function<const CBonsaiData&(std::size_t position)>;

// The positions 0 .. count-1 in the order of the column's sort keys (or its reverse
// within each band); entries whose keys are alike stay in collection order either way.
std::vector<std::size_t> sortedPositions(std::size_t count, const EntryAt& entryAt, ListColumn column,
                                         bool descending);

// Replaces `matching` with the positions whose entries match, in the order given.
// Reusing one `matching` from filter to filter keeps its memory: no allocation per keystroke.
void keepMatchingPositions(const std::vector<std::size_t>& positions, const EntryAt& entryAt,
                           const EntryMatcher& matcher, std::vector<std::size_t>& matching);

// The positions of a collection's matching entries, in collection order.
std::vector<std::size_t> findEntries(const collection::EntryList& entries, const EntryMatcher& matcher);

} // namespace talvane::search
