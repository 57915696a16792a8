#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

struct stat;

namespace talvane::collection {

// What a file is, enough to tell that another program changed or replaced it.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;  // modification time, nanoseconds since the epoch
    std::string contentHash;      // SHA-256 of the bytes, lower-case hex
    bool operator==(const FileIdentity&) const = default;
};

// The identity of a file from its status and the hash of its bytes.
FileIdentity identityOf(const struct stat& status, std::string contentHash = {});

// Where a collection's path led when it was opened or last saved, and what was there.
struct SaveBaseline {
    std::filesystem::path target;          // the regular file the path led to, links resolved
    std::optional<FileIdentity> identity;  // none: there was no file yet
};

// The baseline of a path now: links resolved, the file measured and hashed. A missing
// file gives a baseline without identity; nullopt with `failure` set when it cannot be read.
std::optional<SaveBaseline> measureBaseline(const std::filesystem::path& path, std::string* failure = nullptr);

// True when the file at `baseline.target` holds other content than it did: a different
// file (rename over it) or different bytes (copied over it). Same bytes under a new
// inode or time count as unchanged. Never follows a link swapped in at the target.
bool changedSince(const SaveBaseline& baseline);

// Where a copy of the collection goes when the file changed under the program: beside
// it, named as sync clients name theirs, "sample (conflict 2026-12-08 1512).tvn" in
// local time, with " 2", " 3" … before the extension when that name is taken.
std::filesystem::path conflictCopyPath(const std::filesystem::path& collection, std::int64_t now);

} // namespace talvane::collection
