#include "core/companion/FileCollectionHost.h"

#include "core/garden/GardenAlerts.h"
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
    std::optional<GardenOutlook> garden;
    if (m_forecast)
        garden = GardenOutlook{garden::gardenAlerts(m_entries, *m_forecast, journal::CalendarDate::today()),
                               m_staleSince ? std::optional(std::chrono::system_clock::now() - *m_staleSince)
                                            : std::nullopt};
    auto taken = std::make_shared<const CollectionSnapshot>(m_entries, m_file.filename().string(), m_albumFolder,
                                                            m_photosFolder, std::move(garden));
    std::lock_guard lock(m_handing);
    m_snapshot = std::move(taken);
}

void FileCollectionHost::takeWeather(const reminders::GardenWeather& weather)
{
    std::lock_guard lock(m_changing);
    m_forecast = weather.forecast;
    m_staleSince = weather.fresh ? std::nullopt : std::optional(weather.readAt);
    takeSnapshot();
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
    PlannedChange before;
    for (const PlannedChange::EntryValues& changed : plan.entries) {
        auto& kept = before.entries.emplace_back(PlannedChange::EntryValues{changed.position, {}}).values;
        for (const auto& [field, value] : changed.values)
            kept.emplace_back(field, std::string((*m_entries[changed.position])[field]));
    }
    applyPlannedValues(m_entries, plan);
    collection::CollectionSaveOptions options;
    options.expected = &m_baseline;
    const collection::CollectionSaveResult saved = collection::saveCollectionFile(m_file, m_entries, options);
    if (saved) {
        applyPlannedValues(m_entries, before);
        plan.photos.removeCopies();
        return {ChangeOutcome::Result::Failed,
                {PHONE_TEXT("The collection could not be written: %1. Nothing was changed."), {saved.reason}},
                {},
                {},
                {}};
    }
    m_baseline = saved.baseline;
    m_lock.follow(m_file);
    takeSnapshot();
    if (m_log)
        m_log(logSafe(text::cp1252ToUtf8(plan.name)) + ": " + plan.stepVerb + " (sent by " +
              logSafe(senderOf(change)) + ")");
    ChangeOutcome outcome = appliedOutcome(m_entries, plan);
    outcome.saved = true;
    return outcome;
}

} // namespace talvane::companion
