#pragma once

#include "collection/CollectionArchive.h"
#include "journal/Journal.h"

#include <string>
#include <vector>

inline talvane::journal::CalendarDate Day(const char* text)
{
    return talvane::journal::CalendarDate::fromText(text).value();
}

// Appends a tree with this name whose journal holds these events.
inline void AddTree(EntryList& entries, const std::string& name, const std::vector<talvane::journal::CareEvent>& events)
{
    entries.push_back(std::make_unique<CBonsaiData>());
    (*entries.back())[CBonsaiData::Name] = name;
    auto journal = talvane::journal::Journal::read("");
    for (const auto& event : events)
        journal.add(event);
    (*entries.back())[talvane::journal::kJournalField] = journal.text();
}
