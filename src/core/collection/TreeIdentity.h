#pragma once

#include "core/collection/CollectionArchive.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

// A tree's identity across deletes, sorts and renames: positions move and names repeat,
// so whatever links to a tree links by this identifier. It is a random version-4 UUID
// kept as text in spare field 113, which earlier versions carry along unchanged.
//
// A tree has an identifier when its field holds a well-formed one that no earlier entry
// holds: of two trees with the same text (a copied record), the first keeps it and the
// second has none until it is given its own. Any other text in the field is kept as
// read, never replaced, and counts as no identifier.
namespace talvane::collection {

inline constexpr std::size_t kTreeIdField = 113;

// 128 random bits as a version-4 UUID in its lowercase 8-4-4-4-12 hex form,
// "0f8fad5b-d9cb-469f-a165-70867728950e". Throws std::runtime_error when the system
// has no randomness to give.
std::string newTreeId();

// True for exactly the form newTreeId() writes: 36 characters, the version digit 4 and
// a variant digit 8, 9, a or b. Uppercase hex does not count: an identifier is one text,
// so that finding a tree and telling duplicates apart compare bytes.
bool isWellFormedTreeId(std::string_view text);

// The position of the first tree holding this identifier, the one that has it.
std::optional<std::size_t> findTree(const EntryList& entries, std::string_view id);

// The identifier of the tree at a position, or empty when it has none. Looks only at the
// entries before it.
std::string_view treeIdAt(const EntryList& entries, std::size_t position);

// Every tree's identifier by position (empty for none), in one pass over the collection.
// The texts are views into the entries.
std::vector<std::string_view> treeIds(const EntryList& entries);

// True when a tree whose field 113 holds `text`, standing after the first `before`
// entries, may be given an identifier: its field is empty, or one of those entries holds
// the same identifier. A malformed text is never replaced.
bool mayGiveTreeId(const EntryList& entries, std::size_t before, std::string_view text);
inline bool mayGiveTreeId(const EntryList& entries, std::size_t position)
{
    return mayGiveTreeId(entries, position, (*entries.at(position))[kTreeIdField]);
}

// The identifiers of trees made from outside (an imported table), taken one tree after
// another: a tree whose field is empty, or holds an identifier an earlier tree holds, is
// to get a new one. A malformed text is kept as given.
class TreeIdsSeen {
public:
    bool needsNewId(std::string_view text) const
    {
        return text.empty() || (isWellFormedTreeId(text) && m_seen.contains(text));
    }
    // Notes the text a tree now holds, which must stay where it is while this lives.
    void note(std::string_view text)
    {
        if (isWellFormedTreeId(text))
            m_seen.insert(text);
    }
    void clear() { m_seen.clear(); }

private:
    std::unordered_set<std::string_view> m_seen;
};

} // namespace talvane::collection
