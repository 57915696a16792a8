#pragma once

#include "core/collection/BonsaiData.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Archives made the way a hostile sender would make them, for the passport reader.

struct ArchiveFile {
    std::string name;
    std::string bytes;
    bool deflated = true;
    // The Unix mode kept in the external attributes; a plain file when not given.
    std::optional<std::uint32_t> unixMode = std::nullopt;
};

// A zip archive of these files, in this order, as libzip writes it.
std::string zipBytes(const std::vector<ArchiveFile>& files);

// The archive with every occurrence of `from` replaced by `to`, of the same length: how
// names libzip would refuse to write (a second file of one name) get into an archive.
std::string patched(std::string bytes, std::string_view from, std::string_view to);
// The archive with the file of that name marked encrypted in both of its headers.
std::string markedEncrypted(std::string bytes, std::string_view name);
// The archive with the file of that name claiming another inflated size in both headers.
std::string withClaimedSize(std::string bytes, std::string_view name, std::uint32_t size);

// The bytes of one file of an archive, and the names of all its files with their
// compression methods ("tree.tvn deflated").
std::string archiveMember(const std::filesystem::path& archive, std::string_view name);
std::vector<std::string> archiveListing(const std::filesystem::path& archive);

// A collection file holding just this entry.
std::string oneTreeCollection(const CBonsaiData& entry);

// Every file and folder below `folder`, with each file's bytes: what an import that
// is refused must leave as it was.
std::vector<std::pair<std::string, std::string>> folderContents(const std::filesystem::path& folder);
