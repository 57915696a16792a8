#include "search/EntryMatcher.h"

#include "collection/FieldCatalogue.h"

#include <algorithm>

namespace search {
namespace {

bool isSeparator(char byte)
{
    return byte == ' ' || byte == '\t';
}

// A field stored as a code ("1") is also found by what a person reads for it ("Exterior").
bool foundInShownForm(const FoldedWord& word, std::size_t field, std::string_view stored)
{
    const auto& info = talvane::fields::field(field);
    return !info.choices.empty() && word.foundIn(info.shownText(stored));
}

} // namespace

const std::array<bool, CBonsaiData::kFieldCount>& namedFieldTable()
{
    static const auto named = [] {
        std::array<bool, CBonsaiData::kFieldCount> table{};
        for (std::size_t field = 0; field < CBonsaiData::kFieldCount; ++field)
            table[field] = !talvane::fields::field(field).isSpare();
        return table;
    }();
    return named;
}

EntryMatcher::EntryMatcher(std::string_view filter)
{
    std::size_t at = 0;
    while (at < filter.size()) {
        while (at < filter.size() && isSeparator(filter[at]))
            ++at;
        const std::size_t start = at;
        while (at < filter.size() && !isSeparator(filter[at]))
            ++at;
        if (at > start)
            m_words.emplace_back(filter.substr(start, at - start));
    }
}

bool EntryMatcher::matches(const CBonsaiData& entry) const
{
    const auto& named = namedFieldTable();
    return std::all_of(m_words.begin(), m_words.end(), [&](const FoldedWord& word) {
        return entry.anyWrittenField([&](std::size_t field, std::string_view text) {
            return named[field] && (word.foundIn(text) || foundInShownForm(word, field, text));
        });
    });
}

} // namespace search
