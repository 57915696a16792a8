#include "core/journal/CareOnTrees.h"

#include "core/journal/Journal.h"
#include "core/text/Windows1252.h"
#include "core/text/Words.h"

namespace talvane::journal {

std::variant<std::vector<JournalChange>, std::string> careOnTrees(const collection::EntryList& entries,
                                                                  const std::vector<std::size_t>& positions,
                                                                  const CareEvent& event)
{
    if (positions.empty())
        return text::sayMessage(SHOWN_TEXT("No tree was chosen: no tree was logged."));
    std::vector<JournalChange> changes;
    std::vector<bool> logged(entries.size(), false);
    for (const std::size_t position : positions) {
        if (position >= entries.size())
            return text::sayMessage(
                SHOWN_TEXT("The collection holds no tree at position %1 (it has %2, counted from 0); no tree was logged."),
                {std::to_string(position), std::to_string(entries.size())});
        if (logged[position])
            continue;
        logged[position] = true;
        const CBonsaiData& entry = *entries[position];
        Journal journal = Journal::read(entry[kJournalField]);
        if (!journal.add(event))
            return text::sayMessage(SHOWN_TEXT("The journal of \u201C%1\u201D was written by another program and is kept "
                                               "as it is; no tree was logged."),
                                    {text::cp1252ToUtf8(entry[CBonsaiData::Name])});
        changes.push_back({position, journal.text()});
    }
    return changes;
}

} // namespace talvane::journal
