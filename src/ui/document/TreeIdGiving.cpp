#include "ui/document/TreeIdGiving.h"

#include "core/collection/TreeIdentity.h"

#include <algorithm>

using namespace talvane::collection;

void giveTreeIdToNewEntry(const EntryList& entries, CBonsaiData& entry)
{
    if (mayGiveTreeId(entries, entries.size(), entry[kTreeIdField]))
        entry[kTreeIdField] = newTreeId();
}

void addTreeIdChange(const EntryList& entries, std::size_t position, std::vector<ChangeFieldsStep::Change>& changes)
{
    const bool setsId = std::any_of(changes.begin(), changes.end(), [](const ChangeFieldsStep::Change& change) {
        return change.field == kTreeIdField;
    });
    if (setsId || !mayGiveTreeId(entries, position))
        return;
    changes.push_back({kTreeIdField, std::string((*entries[position])[kTreeIdField]),
                       newTreeId()});
}
