#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/garden/GardenAlerts.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvane::companion {

// The garden's frost, heat and wire alerts as the host worked them out for a
// snapshot's entries, and the age of the forecast they come from when it could not be
// read again.
struct GardenOutlook {
    std::vector<garden::GardenAlert> alerts;
    std::optional<std::chrono::system_clock::duration> forecastAge; // none while the forecast is fresh
};

// The open collection as the phones see it at one moment: a copy of its entries that
// requests read on their own threads while the host goes on changing the collection.
// A new snapshot is made after every change; one that is read is never changed.
class CollectionSnapshot {
public:
    // The alerts of trees no longer at their position in `entries` are left out: a
    // window counts its alerts again a moment after its trees change.
    CollectionSnapshot(const collection::EntryList& entries, std::string title, std::filesystem::path albumFolder,
                       std::filesystem::path photosFolder, std::optional<GardenOutlook> garden = std::nullopt);

    const collection::EntryList& entries() const { return m_entries; }
    std::size_t size() const { return m_entries.size(); }
    const CBonsaiData& at(std::size_t position) const { return *m_entries[position]; }
    // The collection's file name, as the phone pages' titles show it.
    const std::string& title() const { return m_title; }
    const std::filesystem::path& photosFolder() const { return m_photosFolder; }
    // The garden's alerts; none while the host has no forecast.
    const std::optional<GardenOutlook>& garden() const { return m_garden; }

    // How a page names a tree: its identifier, or for a tree without one, its position
    // with a check of its content ("at12-8f3a…"), so that a tree moved or changed since
    // the page was made is not taken for another.
    std::string treeRef(std::size_t position) const;
    std::optional<std::size_t> findTree(std::string_view ref) const;

    // The tree a scanned label's text or its typed code names, when one tree has it.
    std::optional<std::size_t> findLabelledTree(std::string_view scannedOrTyped) const;

    // The positions sorted by name, as the list shows them (made on first use).
    const std::vector<std::size_t>& byName() const;

    // A picture some tree names, by its bare name (Windows-1252): only those can be
    // sent to a phone. Of two pictures of one name, an album slot's comes first.
    struct NamedPicture {
        std::filesystem::path path;
        bool inAlbum = false; // an album bitmap, decoded before it is sent
    };
    std::optional<NamedPicture> findPicture(std::string_view name) const;

private:
    collection::EntryList m_entries;
    std::string m_title;
    std::filesystem::path m_albumFolder;
    std::filesystem::path m_photosFolder;
    std::optional<GardenOutlook> m_garden;
    // Each tree's identifier, empty for none: references by position are made when asked,
    // since checking a tree's content costs a pass over all its fields.
    std::vector<std::string> m_ids;
    mutable std::once_flag m_sorted;
    mutable std::vector<std::size_t> m_byName;
    mutable std::once_flag m_picturesIndexed;
    mutable std::map<std::string, NamedPicture, std::less<>> m_pictures;
};

// The reference of the tree at a position of a collection (CollectionSnapshot::treeRef),
// and the position a reference leads to in a collection as it is now.
std::string treeRefAt(const collection::EntryList& entries, std::size_t position);
std::optional<std::size_t> findTreeByRef(const collection::EntryList& entries, std::string_view ref);

} // namespace talvane::companion
