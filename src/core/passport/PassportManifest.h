#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The manifest of a tree's passport, manifest.json, a JSON object:
//
//   "format"      "Talvane tree passport"
//   "version"     1
//   "treeName"    the tree's name
//   "treeId"      its identifier, empty when it had none
//   "exported"    when, in UTC: "2026-12-08T14:03:00Z"
//   "collection"  the name of the collection file it came from, without its folder
//   "giver"       who handed it on; only when a name was given
//   "leftOut"     the archive names of the pictures the tree names that were missing
//                 when it was exported: "Album/pine.bmp"
//
// Every text here is UTF-8, as the manifest holds it.
namespace talvane::passport {

inline constexpr std::string_view kPassportFormat = "Talvane tree passport";
inline constexpr int kPassportVersion = 1;

struct PassportManifest {
    std::string treeName;
    std::string treeId;
    std::string exported;
    std::string collection;
    std::string giver;
    std::vector<std::string> leftOut;

    bool operator==(const PassportManifest&) const = default;
};

std::string manifestText(const PassportManifest& manifest);

struct ManifestReading {
    std::optional<PassportManifest> manifest;
    // Why the text is not a manifest this version reads: "its manifest is not JSON".
    std::string problem;
};
ManifestReading readManifest(std::string_view text);

// "2026-12-08T14:03:00Z", to the second.
std::string utcTimestamp(std::chrono::system_clock::time_point time);

} // namespace talvane::passport
