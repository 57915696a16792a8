#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The earlier versions of a collection: the file as it was before each save, kept in
// ".talvane-versions/<collection file name>/" beside it, or under the user's data
// folder ($XDG_DATA_HOME/talvane/versions/...) where the collection's folder cannot be
// written. The newest 10 are kept, and the newest of each day for the last 30 days.
struct KeptVersion {
    std::filesystem::path file;
    std::int64_t savedAt = 0;  // when it was replaced, seconds since the epoch
    std::uint64_t trees = 0;   // entries in it, read from its count
    std::uint64_t size = 0;    // bytes
};

// Keeps `bytes` (the file about to be replaced) as the newest version, then prunes.
// Written by the atomic replace, never by a copy that can be torn.
std::optional<std::string> KeepVersion(const std::filesystem::path& collection, std::string_view bytes, std::int64_t now);
// Newest first.
std::vector<KeptVersion> ListVersions(const std::filesystem::path& collection);
