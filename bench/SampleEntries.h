#pragma once

#include "core/collection/CollectionArchive.h"

#include <cstddef>
#include <string>

// Entries with texts of the lengths a grower writes: short measures, sentences of notes.
void fillSampleEntry(CBonsaiData& entry, std::size_t n);
talvane::collection::EntryList sampleCollection(std::size_t count);
// A journal of twenty events over five years, the last two with a step still due.
std::string sampleJournal(std::size_t n);
