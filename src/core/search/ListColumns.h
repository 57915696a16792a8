#pragma once

#include "core/collection/BonsaiData.h"
#include "core/text/Words.h"

#include <array>
#include <cstddef>
#include <string>

namespace talvane::search {

// The columns of the collection list, each a text made from an entry's fields.
enum class ListColumn {
    Name,
    BotanicalName,
    CommonName,
    Style,
    InteriorExterior,
    Purchased,
    Photos,
    // Last, so that the list's layout kept by earlier versions still finds every other column.
    Place,
};

constexpr std::size_t kListColumnCount = 8;

// The column's heading as shown above the list.
const char* listColumnTitle(ListColumn column);

// The column's text for the entry, in Windows-1252: Style is the shaping style,
// else the purchase style; Interior/Exterior is "Interior", "Exterior" or empty;
// Photos counts the pictures of the album and of the timeline; Place is the name of
// the tree's place, or empty.
std::string listColumnText(const CBonsaiData& entry, ListColumn column);

// The pictures of a tree: the album's filled places and the timeline's photos.
struct PhotoCount {
    std::size_t album = 0;
    std::size_t timeline = 0;
};
PhotoCount photoCount(const CBonsaiData& entry);

// Where an entry falls when the list is sorted by a column: by band first, which the
// direction does not reverse, then by key, which it does. Purchased lists the texts
// that read as dates, by date, then the other texts, then the empty ones; the other
// columns sort their texts in natural order.
struct ColumnSortKey {
    int band = 0;
    std::string key;

    bool operator==(const ColumnSortKey&) const = default;
};
ColumnSortKey columnSortKey(const CBonsaiData& entry, ListColumn column);
bool sortsBefore(const ColumnSortKey& first, const ColumnSortKey& second, bool descending);

// How many trees a list shows, said in the words given: "340 trees", "1 tree", or
// "12 of 340 trees" while a filter narrows it.
std::string listedTreesText(std::size_t listed, std::size_t total, bool filtered,
                            const talvane::text::Words& words = talvane::text::inEnglish);

} // namespace talvane::search
