#pragma once

#include "core/collection/FieldCatalogue.h"
#include "core/journal/CareEvent.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvane::journal {

using collection::kJournalField;

// One line of a journal: an event, or a line this version cannot read, kept as it is.
struct JournalLine {
    std::optional<CareEvent> event;
    std::string unreadable;
};

// An event together with the line that holds it, which edits name it by.
struct NumberedEvent {
    std::size_t line;
    CareEvent event;
};

// The lines of a journal field, unread, after its header: empty for an empty journal,
// nothing when the field is foreign.
std::optional<std::string_view> journalLines(std::string_view fieldText);

// Calls `visit` with each line of a journal field, unread. Gives false, visiting
// nothing, when the field is foreign.
bool forEachJournalLine(std::string_view fieldText, const std::function<void(std::string_view)>& visit);

// The care journal of one tree, read from its field text and written back to it.
// A field that is not a journal at all (written by another program, or by a later
// version) is foreign: it is kept whole and refuses every edit, so it is never
// rewritten. Writing a journal that was read gives back the bytes that were read.
class Journal {
public:
    // Never fails: any text is either a journal or foreign.
    static Journal read(std::string_view fieldText);

    bool isForeign() const { return m_foreign.has_value(); }
    const std::vector<JournalLine>& lines() const { return m_lines; }
    std::size_t unreadableLineCount() const;
    // The events, the latest date first; among events of one day, the later line first.
    std::vector<NumberedEvent> newestFirst() const;

    // Edits give false, and change nothing, on a foreign field or a line that
    // holds no event.
    bool add(const CareEvent& event);
    bool replace(std::size_t line, const CareEvent& event);
    bool remove(std::size_t line);
    // A task with a due date is done: an event of its kind and text is added on
    // `doneOn`, and the task's due date is cleared. A repeating task's repeat moves
    // to the added event, which is due again when the repeat says.
    bool markDone(std::size_t line, CalendarDate doneOn);

    // The field text: empty when the journal holds no line.
    std::string text() const;

private:
    bool isEvent(std::size_t line) const;
    void edited() { m_hasHeader = !m_lines.empty(); }

    std::optional<std::string> m_foreign;
    std::vector<JournalLine> m_lines;
    bool m_hasHeader = false;
};

} // namespace talvane::journal
