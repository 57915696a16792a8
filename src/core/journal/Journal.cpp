#include "core/journal/Journal.h"

#include "core/journal/JournalFormat.h"

#include <algorithm>

namespace talvane::journal {

std::optional<std::string_view> journalLines(std::string_view fieldText)
{
    if (fieldText.empty() || fieldText == kJournalHeader)
        return std::string_view();
    if (fieldText.substr(0, kJournalHeader.size()) != kJournalHeader ||
        fieldText.substr(kJournalHeader.size(), 2) != kLineBreak)
        return std::nullopt;
    return fieldText.substr(kJournalHeader.size() + kLineBreak.size());
}

bool forEachJournalLine(std::string_view fieldText, const std::function<void(std::string_view)>& visit)
{
    const auto lines = journalLines(fieldText);
    if (!lines)
        return false;
    if (fieldText.size() <= kJournalHeader.size())
        return true;
    std::string_view rest = *lines;
    while (true) {
        const auto end = rest.find(kLineBreak);
        visit(rest.substr(0, end));
        if (end == std::string_view::npos)
            return true;
        rest.remove_prefix(end + kLineBreak.size());
    }
}

Journal Journal::read(std::string_view fieldText)
{
    Journal journal;
    const bool journalField = forEachJournalLine(fieldText, [&journal](std::string_view line) {
        if (auto event = parseEventLine(line))
            journal.m_lines.push_back({std::move(event), {}});
        else
            journal.m_lines.push_back({std::nullopt, std::string(line)});
    });
    if (journalField)
        journal.m_hasHeader = !fieldText.empty();
    else
        journal.m_foreign.emplace(fieldText);
    return journal;
}

std::size_t Journal::unreadableLineCount() const
{
    return static_cast<std::size_t>(
        std::count_if(m_lines.begin(), m_lines.end(), [](const JournalLine& line) { return !line.event; }));
}

std::vector<NumberedEvent> Journal::newestFirst() const
{
    std::vector<NumberedEvent> events;
    for (std::size_t i = m_lines.size(); i-- > 0;)
        if (m_lines[i].event)
            events.push_back({i, *m_lines[i].event});
    std::stable_sort(events.begin(), events.end(),
                     [](const NumberedEvent& a, const NumberedEvent& b) { return a.event.date > b.event.date; });
    return events;
}

bool Journal::isEvent(std::size_t line) const
{
    return !isForeign() && line < m_lines.size() && m_lines[line].event.has_value();
}

bool Journal::add(const CareEvent& event)
{
    if (isForeign())
        return false;
    m_lines.push_back({event, {}});
    edited();
    return true;
}

bool Journal::replace(std::size_t line, const CareEvent& event)
{
    if (!isEvent(line))
        return false;
    m_lines[line].event = event;
    return true;
}

bool Journal::remove(std::size_t line)
{
    if (!isEvent(line))
        return false;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(line));
    edited();
    return true;
}

bool Journal::markDone(std::size_t line, CalendarDate doneOn)
{
    if (!isEvent(line) || !m_lines[line].event->due)
        return false;
    CareEvent& task = *m_lines[line].event;
    CareEvent done{doneOn, task.kind, std::nullopt, {}, task.text, {}, {}, {}};
    // A repeating task moves on to the event that records it, due again.
    if (task.repeat) {
        done.due = nextDue(*task.repeat, doneOn);
        done.repeat = task.repeat;
    }
    task.due.reset();
    task.repeat.reset();
    return add(done);
}

std::string Journal::text() const
{
    if (m_foreign)
        return *m_foreign;
    if (!m_hasHeader)
        return {};
    std::string text(kJournalHeader);
    for (const auto& line : m_lines) {
        text += kLineBreak;
        text += line.event ? eventLine(*line.event) : line.unreadable;
    }
    return text;
}

} // namespace talvane::journal
