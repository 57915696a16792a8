#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct stat;

namespace talvane::collection {

// The earlier versions of a collection: the file as it was before each save, kept in
// ".talvane-versions/<collection file name>/" beside it, or under the user's data
// folder ($XDG_DATA_HOME/talvane/versions/...) where the collection's folder cannot be
// written. The newest 10 are kept, and the newest of each day for the last 30 days.
// Each is named by the local time it was replaced, "2026-12-08 151200.tvn" (" 2.tvn"
// for a second one in the same second).
struct KeptVersion {
    std::filesystem::path file;
    std::int64_t savedAt = 0;  // when it was replaced, seconds since the epoch
    std::uint64_t trees = 0;   // entries in it, read from its count
    std::uint64_t size = 0;    // bytes
};

// Keeps `bytes` (the file about to be replaced) as the newest version, then prunes.
// Written by the atomic replace, never by a copy that can be torn.
std::optional<std::string> keepVersion(const std::filesystem::path& collection, std::string_view bytes, std::int64_t now);
// Keeps the collection file as it is now as the newest version by a second hard link
// to it, then prunes: for a save about to rename a new file over it, so that nothing
// is copied. Fails where links are refused or the versions are on another file
// system; keepVersion then keeps the bytes.
std::optional<std::string> keepVersionByLink(const std::filesystem::path& collection, std::int64_t now);
// The kept versions that are other names of the file `status` describes: a save
// stopped after keeping its version by a link, before its rename, leaves one.
std::vector<std::filesystem::path> versionsLinkedTo(const std::filesystem::path& collection, const struct stat& status);
// Newest first.
std::vector<KeptVersion> listVersions(const std::filesystem::path& collection);

} // namespace talvane::collection
