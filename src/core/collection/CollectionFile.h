#pragma once

#include "collection/CollectionArchive.h"
#include "collection/SafeFile.h"

#include <filesystem>
#include <optional>
#include <string>

// Reads a .tvn file and appends its entries. Gives the reason when the file cannot
// be read or is not a valid collection; the list is then left as it was.
std::optional<std::string> LoadCollectionFile(const std::filesystem::path& path, EntryList& entries);

// Writes a .tvn file so that the previous file is never damaged: the collection goes
// to a temporary file beside the target, is flushed to disk, and only then replaces
// the target. Gives the reason when the save failed; the target is then untouched.
std::optional<std::string> SaveCollectionFile(const std::filesystem::path& path, const EntryList& entries);
