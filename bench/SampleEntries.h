#pragma once

#include "collection/CollectionArchive.h"

#include <cstddef>

// Entries with texts of the lengths a grower writes: short measures, sentences of notes.
void FillSampleEntry(CBonsaiData& entry, std::size_t n);
EntryList SampleCollection(std::size_t count);
