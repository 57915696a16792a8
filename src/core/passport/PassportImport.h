#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/journal/CalendarDate.h"
#include "core/passport/PassportManifest.h"
#include "core/passport/PassportReader.h"
#include "core/passport/PlacedFiles.h"

#include <filesystem>
#include <memory>
#include <string>

namespace talvane::passport {

// A passport to add to an open collection, and where that collection's pictures go.
struct PassportImport {
    std::filesystem::path passport;
    // As findPictureFolders finds them for the collection.
    std::filesystem::path albumFolder;
    std::filesystem::path photosFolder;
    journal::CalendarDate receivedOn = journal::CalendarDate::today();
    PassportLimits limits;
};

struct ImportedTree {
    // "Oak.tvp cannot be imported: ...": then nothing was written and there is no entry.
    std::string problem;
    // The tree to add at the end of the collection, its pictures' names rewritten to the
    // files placed for it.
    std::unique_ptr<CBonsaiData> entry;
    // The pictures placed in the collection's folders: taken back out unless the caller
    // commits them once the collection holding the entry is saved.
    PlacedFiles placed;
    PassportManifest manifest;
    // The collection held the tree's identifier already, so the tree was given its own.
    bool givenNewId = false;
    // The journal has its "Received" event; false for a journal written by another
    // program, which is kept as it is.
    bool receivedNoted = false;
};

// Reads the passport and places its pictures, then gives the tree to add: it keeps its
// identifier unless `collection` holds it (then its journal follows the new one), and
// its journal gains a Note dated receivedOn, "Received from <giver>" or "Received".
ImportedTree importPassport(const PassportImport& request, const collection::EntryList& collection);

} // namespace talvane::passport
