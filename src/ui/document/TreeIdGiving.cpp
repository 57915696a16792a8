#include "ui/document/TreeIdGiving.h"

#include "core/collection/TreeIdentity.h"

#include <algorithm>

void giveTreeIdToNewEntry(const EntryList& entries, CBonsaiData& entry)
{
    if (talvane::mayGiveTreeId(entries, entries.size(), entry[talvane::kTreeIdField]))
        entry[talvane::kTreeIdField] = talvane::newTreeId();
}

void addTreeIdChange(const EntryList& entries, std::size_t position, std::vector<ChangeFieldsStep::Change>& changes)
{
    const bool setsId = std::any_of(changes.begin(), changes.end(), [](const ChangeFieldsStep::Change& change) {
        return change.field == talvane::kTreeIdField;
    });
    if (setsId || !talvane::mayGiveTreeId(entries, position))
        return;
    changes.push_back({talvane::kTreeIdField, (*entries[position])[talvane::kTreeIdField], talvane::newTreeId()});
}
