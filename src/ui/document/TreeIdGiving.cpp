#include "ui/document/TreeIdGiving.h"

#include "core/collection/TreeIdentity.h"

#include <algorithm>

using namespace talvane::collection;

void giveTreeIdToNewEntry(const EntryList& entries, CBonsaiData& entry)
{
    if (talvane::collection::mayGiveTreeId(entries, entries.size(), entry[talvane::collection::kTreeIdField]))
        entry[talvane::collection::kTreeIdField] = talvane::collection::newTreeId();
}

void addTreeIdChange(const EntryList& entries, std::size_t position, std::vector<ChangeFieldsStep::Change>& changes)
{
    const bool setsId = std::any_of(changes.begin(), changes.end(), [](const ChangeFieldsStep::Change& change) {
        return change.field == talvane::collection::kTreeIdField;
    });
    if (setsId || !talvane::collection::mayGiveTreeId(entries, position))
        return;
    changes.push_back({talvane::collection::kTreeIdField, std::string((*entries[position])[talvane::collection::kTreeIdField]),
                       talvane::collection::newTreeId()});
}
