#pragma once

#include "collection/BonsaiData.h"
#include "text/Words.h"

#include <array>
#include <cstddef>
#include <string>

namespace search {

// The columns of the collection list, each a text made from an entry's fields.
enum class ListColumn {
    Name,
    BotanicalName,
    CommonName,
    Style,
    InteriorExterior,
    Purchased,
    Photos,
};

constexpr std::size_t kListColumnCount = 7;

// The column's heading as shown above the list.
const char* listColumnTitle(ListColumn column);

// The column's text for the entry, in Windows-1252: Style is the shaping style,
// else the purchase style; Interior/Exterior is "Interior", "Exterior" or empty;
// Photos counts the filled photo slots.
std::string listColumnText(const CBonsaiData& entry, ListColumn column);

// How many trees a list shows, said in the words given: "340 trees", "1 tree", or
// "12 of 340 trees" while a filter narrows it.
std::string listedTreesText(std::size_t listed, std::size_t total, bool filtered,
                            const text::Words& words = text::inEnglish);

} // namespace search
