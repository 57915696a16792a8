#pragma once

#include "ui/document/EntrySteps.h"

#include <vector>

// A tree is given its identifier by a change the user makes, never by a plain open and
// save, so that an untouched file is written back as it was read, and the identifier
// is part of the change's step: Undo takes it away with the change.

// Gives an entry about to be appended after `entries` an identifier, unless its field
// holds a text that must be kept.
void giveTreeIdToNewEntry(const talvane::collection::EntryList& entries, CBonsaiData& entry);

// Adds to the changes of the tree at `position` the one that gives it an identifier,
// when it has none and may be given one, and the changes leave its field alone.
void addTreeIdChange(const talvane::collection::EntryList& entries, std::size_t position, std::vector<ChangeFieldsStep::Change>& changes);
