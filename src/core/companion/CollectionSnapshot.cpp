#include "core/companion/CollectionSnapshot.h"

#include "core/collection/TreeIdentity.h"
#include "core/journal/Journal.h"
#include "core/labels/TreeLabel.h"
#include "core/search/EntryOrder.h"
#include "core/timeline/TimelinePhoto.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>

namespace talvane::companion {

namespace {

constexpr std::string_view kPositionRef = "at";

// FNV-1a over every field: a tree without an identifier is checked by its content.
std::string contentCheck(const CBonsaiData& entry)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t field = 0; field < CBonsaiData::kFieldCount; ++field) {
        for (const char c : entry[field].view()) {
            hash ^= static_cast<unsigned char>(c);
            hash *= 1099511628211ull;
        }
        hash ^= 0xFF;
        hash *= 1099511628211ull;
    }
    std::array<char, 17> text{};
    const auto end = std::to_chars(text.data(), text.data() + 16, hash, 16).ptr;
    return std::string(text.data(), end);
}

std::string positionRef(const CBonsaiData& entry, std::size_t position)
{
    return std::string(kPositionRef) + std::to_string(position) + "-" + contentCheck(entry);
}

} // namespace

std::string treeRefAt(const collection::EntryList& entries, std::size_t position)
{
    const std::string_view id = talvane::collection::treeIdAt(entries, position);
    return id.empty() ? positionRef(*entries.at(position), position) : std::string(id);
}

std::optional<std::size_t> findTreeByRef(const collection::EntryList& entries, std::string_view ref)
{
    if (talvane::collection::isWellFormedTreeId(ref))
        return talvane::collection::findTree(entries, ref);
    if (!ref.starts_with(kPositionRef))
        return std::nullopt;
    const std::string_view rest = ref.substr(kPositionRef.size());
    std::size_t position = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), position);
    if (error != std::errc() || end == rest.data() || end == rest.data() + rest.size() || *end != '-' ||
        position >= entries.size())
        return std::nullopt;
    if (!talvane::collection::treeIdAt(entries, position).empty() || positionRef(*entries[position], position) != ref)
        return std::nullopt;
    return position;
}

CollectionSnapshot::CollectionSnapshot(const collection::EntryList& entries, std::string title, std::filesystem::path albumFolder,
                                       std::filesystem::path photosFolder, std::optional<GardenOutlook> garden)
    : m_title(std::move(title)), m_albumFolder(std::move(albumFolder)), m_photosFolder(std::move(photosFolder)),
      m_garden(std::move(garden))
{
    // The entries are shared: their owner copies one before changing it.
    m_entries = entries;
    if (m_garden)
        std::erase_if(m_garden->alerts, [this](const garden::GardenAlert& alert) {
            return alert.entry >= m_entries.size() || (*m_entries[alert.entry])[CBonsaiData::Name].view() != alert.treeName;
        });
    const auto ids = talvane::collection::treeIds(m_entries);
    m_ids.assign(ids.begin(), ids.end());
}

std::string CollectionSnapshot::treeRef(std::size_t position) const
{
    return m_ids[position].empty() ? positionRef(*m_entries[position], position) : m_ids[position];
}

std::optional<std::size_t> CollectionSnapshot::findTree(std::string_view ref) const
{
    if (talvane::collection::isWellFormedTreeId(ref)) {
        const auto found = std::find(m_ids.begin(), m_ids.end(), ref);
        return found == m_ids.end() ? std::nullopt : std::optional<std::size_t>(found - m_ids.begin());
    }
    return findTreeByRef(m_entries, ref);
}

const std::vector<std::size_t>& CollectionSnapshot::byName() const
{
    std::call_once(m_sorted, [this] {
        m_byName = search::sortedPositions(
            m_entries.size(), [this](std::size_t position) -> const CBonsaiData& { return *m_entries[position]; },
            search::ListColumn::Name, false);
    });
    return m_byName;
}

std::optional<std::size_t> CollectionSnapshot::findLabelledTree(std::string_view scannedOrTyped) const
{
    if (const auto id = labels::treeIdFromQrText(scannedOrTyped)) {
        const auto found = std::find(m_ids.begin(), m_ids.end(), *id);
        return found == m_ids.end() ? std::nullopt : std::optional<std::size_t>(found - m_ids.begin());
    }
    const auto code = labels::typedTreeCode(scannedOrTyped);
    if (!code)
        return std::nullopt;
    // Forty bits tell trees apart but may, rarely, not: two trees with one code name neither.
    std::optional<std::size_t> found;
    for (std::size_t position = 0; position < m_ids.size(); ++position) {
        if (m_ids[position].empty() || labels::treeCode(m_ids[position]) != *code)
            continue;
        if (found)
            return std::nullopt;
        found = position;
    }
    return found;
}

std::optional<CollectionSnapshot::NamedPicture> CollectionSnapshot::findPicture(std::string_view name) const
{
    std::call_once(m_picturesIndexed, [this] {
        for (const auto& entry : m_entries)
            for (std::size_t slot = 0; slot < CBonsaiData::kPhotoSlots; ++slot)
                if (const std::string bare((*entry)[CBonsaiData::photoField(slot)]); timeline::isBareFileName(bare))
                    m_pictures.try_emplace(bare, NamedPicture{m_albumFolder / bare, true});
        for (const auto& entry : m_entries)
            for (const auto& photo : timeline::timelinePhotos(journal::Journal::read((*entry)[journal::kJournalField])))
                m_pictures.try_emplace(photo.fileName,
                                       NamedPicture{photo.path(m_photosFolder, m_albumFolder), !photo.inPhotosFolder});
    });
    const auto found = m_pictures.find(name);
    return found == m_pictures.end() ? std::nullopt : std::optional(found->second);
}

} // namespace talvane::companion
