#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/journal/CareEvent.h"

#include <cstddef>
#include <string>
#include <variant>
#include <vector>

// The same care given to several trees at once: a bench watered, a shelf fed.
namespace talvane::journal {

// The new journal text of one tree.
struct JournalChange {
    std::size_t entry;
    std::string journalText;
};

// One event on each tree of `positions` (each once, in the order given): the new
// journal texts, or why none can be made. A tree whose journal another program wrote
// refuses the whole care, naming the tree, so that a bench is never half logged; so do
// a position outside the collection and an empty list.
std::variant<std::vector<JournalChange>, std::string> careOnTrees(const collection::EntryList& entries,
                                                                  const std::vector<std::size_t>& positions,
                                                                  const CareEvent& event);

} // namespace talvane::journal
