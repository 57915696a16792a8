#pragma once

#include "core/collection/CollectionArchive.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace talvane::passport {

// One tree handed on as a passport (PassportLayout.h): what to write and where.
struct PassportExport {
    // The collection the tree is in; the passport keeps only its file name.
    std::filesystem::path collectionFile;
    // Where the collection's pictures are, as findPictureFolders finds them.
    std::filesystem::path albumFolder;
    std::filesystem::path photosFolder;
    // Who hands the tree on (Windows-1252); empty when no one is named.
    std::string giver;
    std::chrono::system_clock::time_point exportedAt = std::chrono::system_clock::now();
    std::filesystem::path target;
};

struct ExportedPassport {
    // "cannot write Oak.tvp: No space left on device"; empty when it was written.
    std::string problem;
    // The pictures the tree names that were missing and so were left out, by their
    // archive names (UTF-8, "Album/pine.bmp"): for the caller to tell the user.
    std::vector<std::string> leftOut;
};

// Writes the tree at `position` (which must be in `entries`) with its pictures as a
// passport, whole or not at all: on a problem an earlier file at the target is left as
// it was. The collection's own file is never a target.
ExportedPassport exportPassport(const collection::EntryList& entries, std::size_t position, const PassportExport& request);

} // namespace talvane::passport
