#pragma once

#include "core/search/FoldedWord.h"
#include "core/text/Words.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace talvane::search {

// One word of a filter looked for in a journal field, ignoring case and accents: in
// the texts of the events this version reads, and in the names of their kinds of
// care, in English or in the words the window speaks. Dates, due dates, pictures and
// measurements are not the events' words; a foreign field and its lines hold none.
class JournalWord {
public:
    JournalWord(const FoldedWord& word, const talvane::text::Words& words);

    bool foundIn(std::string_view journalField) const;

private:
    // Whether one of the lines that hold `needle` holds the word.
    bool anyLineWith(const FoldedWord& needle, std::string_view lines) const;
    bool lineHolds(std::string_view line) const;

    FoldedWord m_word;
    // One bit per kind of care whose name holds the word.
    std::uint16_t m_kinds = 0;
    // The names, as stored, of the kinds found only by the names `words` gives them:
    // the lines of those kinds hold these names, not the word.
    std::vector<FoldedWord> m_storedKindNames;
};

} // namespace talvane::search
