#include "core/search/EntryOrder.h"

#include <algorithm>
#include <numeric>
#include <string>

namespace talvane::search {

std::vector<std::size_t> sortedPositions(std::size_t count, const EntryAt& entryAt, ListColumn column,
                                         bool descending)
{
    std::vector<ColumnSortKey> keys(count);
    for (std::size_t position = 0; position < count; ++position)
        keys[position] = columnSortKey(entryAt(position), column);
    std::vector<std::size_t> positions(count);
    std::iota(positions.begin(), positions.end(), std::size_t{0});
    std::stable_sort(positions.begin(), positions.end(), [&](std::size_t left, std::size_t right) {
        return sortsBefore(keys[left], keys[right], descending);
    });
    return positions;
}

void keepMatchingPositions(const std::vector<std::size_t>& positions, const EntryAt& entryAt,
                           const EntryMatcher& matcher, std::vector<std::size_t>& matching)
{
    if (matcher.matchesEverything()) {
        matching = positions;
        return;
    }
    matching.clear();
    for (const std::size_t position : positions) {
        if (matcher.matches(entryAt(position)))
            matching.push_back(position);
    }
}

std::vector<std::size_t> findEntries(const collection::EntryList& entries, const EntryMatcher& matcher)
{
    std::vector<std::size_t> positions(entries.size());
    std::iota(positions.begin(), positions.end(), std::size_t{0});
    std::vector<std::size_t> matching;
    keepMatchingPositions(
        positions, [&](std::size_t position) -> const CBonsaiData& { return *entries[position]; }, matcher, matching);
    return matching;
}

} // namespace talvane::search
