#include "core/search/JournalWord.h"

#include "core/journal/Journal.h"
#include "core/journal/JournalFormat.h"
#include "core/text/Windows1252.h"

#include <algorithm>

namespace talvane::search {
namespace {

using talvane::journal::CareKind;
using talvane::journal::kLineBreak;

// A line's columns, counted from 0: date, kind, due, picture, text, details.
constexpr std::size_t kKindColumn = 1;
constexpr std::size_t kTextColumn = 4;

std::uint16_t kindBit(CareKind kind)
{
    return static_cast<std::uint16_t>(1u << static_cast<unsigned>(kind));
}

} // namespace

JournalWord::JournalWord(const FoldedWord& word, const talvane::text::Words& words) : m_word(word)
{
    for (const CareKind kind : talvane::journal::kCareKinds) {
        const std::string_view stored = talvane::journal::careKindName(kind);
        const bool byStoredName = m_word.foundIn(stored);
        if (!byStoredName && !m_word.foundIn(talvane::text::utf8ToCp1252(talvane::text::say(words, stored))))
            continue;
        m_kinds |= kindBit(kind);
        if (!byStoredName)
            m_storedKindNames.emplace_back(stored);
    }
}

bool JournalWord::foundIn(std::string_view journalField) const
{
    const auto lines = talvane::journal::journalLines(journalField);
    if (!lines || lines->empty())
        return false;
    // A text holds a backslash and a line break escaped: a word that has one is looked
    // for line by line.
    if (m_word.folded().find_first_of("\\\r\n") != std::string::npos) {
        bool found = false;
        talvane::journal::forEachJournalLine(journalField, [&](std::string_view line) { found = found || lineHolds(line); });
        return found;
    }
    // Only the lines where the word, or a stored name of a kind it finds, appears are read.
    return anyLineWith(m_word, *lines) ||
           std::any_of(m_storedKindNames.begin(), m_storedKindNames.end(),
                       [&](const FoldedWord& name) { return anyLineWith(name, *lines); });
}

bool JournalWord::anyLineWith(const FoldedWord& needle, std::string_view lines) const
{
    std::size_t from = 0;
    while (from < lines.size()) {
        const std::size_t hit = needle.findIn(lines.substr(from));
        if (hit == std::string_view::npos)
            return false;
        const std::size_t at = from + hit;
        from = at + 1;
        // The column the match is in counts the tabs before it on its line: only a
        // match in the kind or the text is worth reading the line for.
        std::size_t start = at;
        std::size_t tabs = 0;
        while (start > 0 && !(start >= 2 && lines[start - 1] == '\n' && lines[start - 2] == '\r'))
            tabs += lines[--start] == '\t' ? 1 : 0;
        if (tabs != kKindColumn && tabs != kTextColumn)
            continue;
        const std::size_t end = std::min(lines.find(kLineBreak, at), lines.size());
        if (lineHolds(lines.substr(start, end - start)))
            return true;
    }
    return false;
}

bool JournalWord::lineHolds(std::string_view line) const
{
    // Only an event this version reads counts, as only such a line shows on the Journal tab.
    const auto event = talvane::journal::parseEventLine(line);
    return event && ((m_kinds & kindBit(event->kind)) || m_word.foundIn(event->text));
}

} // namespace talvane::search
