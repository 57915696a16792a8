#include "core/search/EntryMatcher.h"

#include "core/collection/FieldCatalogue.h"
#include "core/garden/Place.h"
#include "core/journal/Journal.h"
#include "core/text/AsciiCase.h"

namespace talvane::search {
namespace {

constexpr std::string_view kPlacePrefix = "place:";

bool isSeparator(char byte)
{
    return byte == ' ' || byte == '\t';
}

bool placeNameHolds(const FoldedWord& word, std::string_view placeField)
{
    const auto place = garden::readPlace(placeField);
    return place && word.foundIn(place->name);
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
        const std::string_view word = filter.substr(start, at - start);
        if (talvane::text::startsIgnoringAsciiCase(word, kPlacePrefix)) {
            const std::string_view placeWord = word.substr(kPlacePrefix.size());
            m_placeWords.push_back(placeWord.empty() ? std::nullopt : std::optional<FoldedWord>(placeWord));
            continue;
        }
        m_words.emplace_back(word);
        m_journalWords.emplace_back(m_words.back(), words);
    }
}

bool EntryMatcher::placeMatches(const CBonsaiData& entry) const
{
    if (m_placeWords.empty())
        return true;
    const auto place = garden::placeOf(entry);
    if (!place)
        return false;
    for (const auto& word : m_placeWords)
        if (word && !word->foundIn(place->name))
            return false;
    return true;
}

bool EntryMatcher::matches(const CBonsaiData& entry) const
{
    if (!placeMatches(entry))
        return false;
    const auto& named = namedFieldTable();
    const auto& coded = codedFieldTable();
    for (std::size_t word = 0; word < m_words.size(); ++word) {
        const FoldedWord& folded = m_words[word];
        const bool found = entry.anyWrittenField([&](std::size_t field, std::string_view text) {
            if (field == garden::kPlaceField)
                return placeNameHolds(folded, text);
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
