#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/collection/FileIdentity.h"
#include "core/collection/SafeFile.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace talvane::collection {

// Reads a .tvn file and appends its entries. Gives the reason when the file cannot
// be read or is not a valid collection; the list is then left as it was. When
// `baseline` is given it receives where the path led and what was there, measured on
// the very bytes read (no second read of the file). A collection whose save stopped
// while writing it in place is first put back as it was (InPlaceSave.h); when it is,
// `rollBackNotice` receives the words that say so, or else the sink set below. Given
// `batches`, the entries go there as they are read (readCollection); the rolling back is
// over before the first batch.
std::optional<std::string> loadCollectionFile(const std::filesystem::path& path, EntryList& entries,
                                              SaveBaseline* baseline = nullptr, std::string* rollBackNotice = nullptr,
                                              const EntryBatches& batches = {});

// Where the words of a collection put back go when its reader asks for none of its
// own: talvane-cli prints them, whichever command read the collection.
void setRollBackNoticeSink(std::function<void(const std::string&)> sink);

// How a save of a collection checks what it replaces.
struct CollectionSaveOptions {
    // What the file was when the collection was opened or last saved. Null for a file
    // chosen by Save As or written by a command: then nothing is compared.
    const SaveBaseline* expected = nullptr;
    // The user chose to write over a file that changed on disk since `expected`.
    bool overwriteChanged = false;
    // Keep the file being replaced among the collection's earlier versions.
    bool keepVersion = true;
};

enum class SaveProblem {
    None,
    Failed,        // could not write; `reason` says why; the file is untouched
    NotWritable,   // the file is read-only or not writable for this user; untouched
    LinkMoved,     // the path no longer leads to the file it led to at Open; untouched
    ChangedOnDisk, // another program changed or replaced the file since `expected`; untouched
    Locked,        // another live process holds the collection's lock; untouched
};

struct CollectionSaveResult {
    SaveProblem problem = SaveProblem::None;
    // Words a user can act on, for every problem but None.
    std::string reason;
    // After a save: where the path leads and what is there now, for the next save.
    SaveBaseline baseline;
    explicit operator bool() const { return problem != SaveProblem::None; } // true: it failed
};

// The one way a collection is written, by the window and by every command. The
// collection goes to a temporary file beside the target, is flushed to disk, and only
// then replaces it, keeping owner, group, mode, ACLs and extended attributes; where
// those cannot be kept, or the file has other hard links, it is written in place
// through a backup copy instead. The replaced file is kept as an earlier version.
// On any problem the file on disk is left as it was.
CollectionSaveResult saveCollectionFile(const std::filesystem::path& path, const EntryList& entries,
                                        const CollectionSaveOptions& options);
// The same without a baseline: for commands and tools that write a file they just named.
std::optional<std::string> saveCollectionFile(const std::filesystem::path& path, const EntryList& entries);

} // namespace talvane::collection
