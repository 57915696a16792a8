#pragma once

#include "core/collection/BonsaiData.h"
#include "core/search/FoldedWord.h"
#include "core/search/JournalWord.h"
#include "core/text/Words.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace talvane::search {

// The filter typed over a collection: an entry matches when every word of the
// filter appears, ignoring case and accents, in at least one of its 52 named fields,
// as stored or as shown ("exterior" finds the IntExt code "1"), in the name of its
// place, or in its journal: in an event's text, or in the name of its kind of care, in
// English or in `words`. A word written "place:WORD" ("place:" in any case) is looked
// for in the name of the tree's place alone, and a bare "place:" keeps the trees that
// have a place, wherever it is. Words are separated by spaces or tabs; a filter
// without words matches everything.
class EntryMatcher {
public:
    explicit EntryMatcher(std::string_view filter, const talvane::text::Words& words = talvane::text::inEnglish);

    bool matchesEverything() const { return m_words.empty() && m_placeWords.empty(); }
    bool matches(const CBonsaiData& entry) const;

private:
    bool placeMatches(const CBonsaiData& entry) const;

    std::vector<FoldedWord> m_words;
    // The same words, looked for in the journal.
    std::vector<JournalWord> m_journalWords;
    // The words written "place:WORD"; none for a bare "place:".
    std::vector<std::optional<FoldedWord>> m_placeWords;
};

// Per field index, whether the field is one of the 52 named ones.
const std::array<bool, CBonsaiData::kFieldCount>& namedFieldTable();

} // namespace talvane::search
