#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/passport/PassportImport.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A passport of a tree the collection holds already (the same identifier): instead of a
// second tree, the one there is brought up to date with what the passport has and it lacks.
namespace talvane::passport {

struct HeldTree {
    // The refusal, as importPassport words it; empty when the passport can be imported.
    std::string problem;
    // The collection's tree that holds the passport tree's identifier; none for a tree
    // the collection does not hold.
    std::optional<std::size_t> position;
};

HeldTree findHeldTree(const PassportImport& request, const collection::EntryList& collection);

struct TreeUpdate {
    std::string problem;
    std::size_t position = 0;
    // The held tree's fields that change, by index: its journal and album places that
    // were empty. None when the tree has everything of the passport already.
    std::vector<std::pair<std::size_t, std::string>> values;
    // The pictures copied for it: taken back out unless committed, as an import's.
    PlacedFiles placed;
    std::size_t eventsAdded = 0;
    // Album pictures it lacks that found no empty place in its album.
    std::size_t albumPicturesLeftOut = 0;
    // Its journal (or the passport's) was written by another program: no event is added.
    bool journalForeign = false;
};

// Brings the collection's tree holding the passport tree's identifier up to date. Each
// event of the passport's journal that the tree's journal lacks (none of the same date,
// kind and text) is added, after its own, with the picture it names; each album picture
// it lacks goes into an empty album place with its description. A picture whose bytes a
// file the tree names already holds is not copied again: the tree's file is named
// instead. The tree's fields and its events stay as the grower left them, and no
// "Received" note is added: a passport taken in twice adds nothing the second time.
TreeUpdate updateFromPassport(const PassportImport& request, const collection::EntryList& collection);

} // namespace talvane::passport
