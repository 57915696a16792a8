#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/journal/Journal.h"

#include <string>
#include <string_view>
#include <vector>

inline talvane::journal::CalendarDate day(const char* text)
{
    return talvane::journal::CalendarDate::fromText(text).value();
}

// A journal field that holds these events.
inline std::string journalTextOf(const std::vector<talvane::journal::CareEvent>& events)
{
    auto journal = talvane::journal::Journal::read("");
    for (const auto& event : events)
        journal.add(event);
    return journal.text();
}

// Appends a tree with this name whose journal holds these events.
inline void addTree(talvane::collection::EntryList& entries, const std::string& name, const std::vector<talvane::journal::CareEvent>& events)
{
    entries.push_back(std::make_unique<CBonsaiData>());
    (*entries.back())[CBonsaiData::Name] = name;
    (*entries.back())[talvane::journal::kJournalField] = journalTextOf(events);
}

// An event of long ago whose next step falls due so many days from today (before it when negative).
inline talvane::journal::CareEvent dueIn(long days, const std::string& text,
                                         talvane::journal::CareKind kind = talvane::journal::CareKind::Wiring)
{
    const auto today = talvane::journal::CalendarDate::today();
    return {today.plusDays(-200), kind, today.plusDays(days), {}, text, {}, {}, {}};
}

// A journal field written by another program: kept as read.
inline const std::string kForeign("kept by another program\r\n\tTVJ1\\x\0\xFF", 34);

// A tree whose field is not a journal, and a pine with two events and an unreadable line.
inline talvane::collection::EntryList twoTrees()
{
    talvane::collection::EntryList entries;
    addTree(entries, "\xC9rable", {});
    (*entries[0])[talvane::journal::kJournalField] = kForeign;
    using talvane::journal::CareKind;
    addTree(entries, "Pine", {{day("2026-11-30"), CareKind::Wiring, day("2026-12-20"), "pine.bmp", "wired\tthe apex", {}, {}, {}},
                              {day("2026-12-01"), CareKind::Note, day("2027-03-01"), {}, "", {}, {}, {}}});
    auto journal = (*entries[1])[talvane::journal::kJournalField];
    journal = std::string(journal) + "\r\n2027-02-30\tNote\t\t\tno such day";
    return entries;
}
