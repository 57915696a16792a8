#include "core/search/EntryMatcher.h"

#include "core/collection/FieldCatalogue.h"
#include "core/journal/Journal.h"

namespace talvane::search {
namespace {

bool isSeparator(char byte)
{
    return byte == ' ' || byte == '\t';
}

// Per field index, the field when it is stored as a code ("1") that a person reads as
// something else ("Exterior"), else null: such a field is found by both.
const std::array<const talvane::collection::FieldInfo*, CBonsaiData::kFieldCount>& codedFieldTable()
{
    static const auto coded = [] {
        std::array<const talvane::collection::FieldInfo*, CBonsaiData::kFieldCount> table{};
        for (const auto& info : talvane::collection::allFields())
            table[info.index] = info.choices.empty() ? nullptr : &info;
        return table;
    }();
    return coded;
}

} // namespace

const std::array<bool, CBonsaiData::kFieldCount>& namedFieldTable()
{
    static const auto named = [] {
        std::array<bool, CBonsaiData::kFieldCount> table{};
        for (std::size_t field = 0; field < CBonsaiData::kFieldCount; ++field)
            table[field] = !talvane::collection::field(field).isSpare();
        return table;
    }();
    return named;
}

EntryMatcher::EntryMatcher(std::string_view filter, const talvane::text::Words& words)
{
    std::size_t at = 0;
    while (at < filter.size()) {
        while (at < filter.size() && isSeparator(filter[at]))
            ++at;
        const std::size_t start = at;
        while (at < filter.size() && !isSeparator(filter[at]))
            ++at;
        if (at == start)
            continue;
        m_words.emplace_back(filter.substr(start, at - start));
        m_journalWords.emplace_back(m_words.back(), words);
    }
}

bool EntryMatcher::matches(const CBonsaiData& entry) const
{
    const auto& named = namedFieldTable();
    const auto& coded = codedFieldTable();
    for (std::size_t word = 0; word < m_words.size(); ++word) {
        const FoldedWord& folded = m_words[word];
        const bool found = entry.anyWrittenField([&](std::size_t field, std::string_view text) {
            if (!named[field])
                return field == talvane::journal::kJournalField && m_journalWords[word].foundIn(text);
            return folded.foundIn(text) || (coded[field] && folded.foundIn(coded[field]->shownText(text)));
        });
        if (!found)
            return false;
    }
    return true;
}

} // namespace talvane::search
