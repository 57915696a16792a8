#include "core/companion/FileCollectionHost.h"

#include "core/text/Windows1252.h"
#include "core/timeline/PictureFolders.h"
#include "core/timeline/TimelinePhoto.h"

namespace talvane::companion {

std::variant<std::unique_ptr<FileCollectionHost>, std::string> FileCollectionHost::open(
    const std::filesystem::path& file, const std::filesystem::path& startFolder)
{
    std::optional<collection::LockHolder> holder;
    auto lock = collection::CommandLock::take(file, &holder);
    if (!lock)
        return file.string() + " is open in " + (holder ? collection::describeLockHolder(*holder) : std::string("another program")) +
               ": close it there first";
    collection::EntryList entries;
    collection::SaveBaseline baseline;
    if (const auto failure = collection::loadCollectionFile(file, entries, &baseline))
        return file.string() + ": " + *failure;
    auto folders = timeline::findPictureFolders(timeline::collectionHome(file), startFolder, entries);
    return std::unique_ptr<FileCollectionHost>(new FileCollectionHost(file, std::move(*lock), std::move(entries),
                                                                      std::move(baseline), std::move(folders.album),
                                                                      std::move(folders.photos)));
}

FileCollectionHost::FileCollectionHost(std::filesystem::path file, collection::CommandLock lock, collection::EntryList entries,
                                       collection::SaveBaseline baseline, std::filesystem::path albumFolder,
                                       std::filesystem::path photosFolder)
    : m_file(std::move(file)), m_lock(std::move(lock)), m_entries(std::move(entries)), m_baseline(std::move(baseline)),
      m_albumFolder(std::move(albumFolder)), m_photosFolder(std::move(photosFolder))
{
    takeSnapshot();
}

void FileCollectionHost::takeSnapshot()
{
    auto taken = std::make_shared<const CollectionSnapshot>(m_entries, m_file.filename().string(), m_albumFolder,
                                                            m_photosFolder);
    std::lock_guard lock(m_handing);
    m_snapshot = std::move(taken);
}

std::shared_ptr<const CollectionSnapshot> FileCollectionHost::snapshot()
{
    std::lock_guard lock(m_handing);
    return m_snapshot;
}

ChangeOutcome FileCollectionHost::apply(const PhoneChange& change)
{
    std::lock_guard lock(m_changing);
    auto planned = planChange(m_entries, change, m_photosFolder);
    if (auto* outcome = std::get_if<ChangeOutcome>(&planned))
        return *outcome;
    const PlannedChange& plan = std::get<PlannedChange>(planned);
    CBonsaiData& entry = *m_entries[plan.position];
    std::vector<std::pair<std::size_t, std::string>> before;
    for (const auto& [field, value] : plan.values)
        before.emplace_back(field, std::string(entry[field]));
    applyPlannedValues(m_entries, plan);
    collection::CollectionSaveOptions options;
    options.expected = &m_baseline;
    const collection::CollectionSaveResult saved = collection::saveCollectionFile(m_file, m_entries, options);
    if (saved) {
        for (const auto& [field, value] : before)
            entry[field] = value;
        plan.photos.removeCopies();
        return {ChangeOutcome::Result::Failed,
                {PHONE_TEXT("The collection could not be written: %1. Nothing was changed."), {saved.reason}},
                {},
                {}};
    }
    m_baseline = saved.baseline;
    m_lock.follow(m_file);
    takeSnapshot();
    if (m_log)
        m_log(logSafe(text::cp1252ToUtf8(plan.treeName)) + ": " + plan.stepVerb + " (sent by " +
              logSafe(senderOf(change)) + ")");
    ChangeOutcome outcome = appliedOutcome(m_entries, plan);
    outcome.saved = true;
    return outcome;
}

} // namespace talvane::companion
