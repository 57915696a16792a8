#pragma once

#include "core/collection/CollectionLock.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace talvane::collection {

// The checks made before a command writes a file it was given, so that a slip in a
// file name never replaces a collection or the very file being read.

// True when both paths lead to one file, links followed: the same device and inode,
// or, where neither file exists yet, the same place.
bool isSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// What the file to be written is.
enum class OutputKind {
    // Anything but a collection: a collection in its place must not be replaced.
    Other,
    // A collection, written by the command under the collection's lock: it may replace one.
    Collection,
};

struct OutputRefusal {
    enum class Reason {
        Collection, // an existing file there reads as a Talvane collection
        OwnInput,   // it is one of the files the command reads
        Locked,     // a live process holds its collection lock
    };
    Reason reason;
    std::filesystem::path input; // OwnInput: which of the inputs it is
    LockHolder holder;           // Locked: who holds the lock
};

// Why `output` must not be written by a command reading `inputs`, if it must not.
std::optional<OutputRefusal> refuseToOverwrite(const std::filesystem::path& output,
                                               const std::vector<std::filesystem::path>& inputs,
                                               OutputKind kind = OutputKind::Other);

} // namespace talvane::collection
