#pragma once

#include "core/collection/CollectionFile.h"
#include "core/collection/CollectionLock.h"
#include "core/companion/CollectionHost.h"
#include "core/companion/ServerLog.h"
#include "core/garden/Forecast.h"
#include "core/reminders/GardenWeather.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <variant>

namespace talvane::companion {

// A collection file served without a window (talvane-cli serve): its lock is held
// while it is served, and every change is written to the file at once, through the one
// safe save that keeps the version it replaces. Each snapshot carries the garden's
// alerts of that day, from the forecast it was last given.
class FileCollectionHost : public CollectionHost {
public:
    // The host of the file, or why it cannot be served.
    static std::variant<std::unique_ptr<FileCollectionHost>, std::string> open(const std::filesystem::path& file,
                                                                               const std::filesystem::path& startFolder);

    std::shared_ptr<const CollectionSnapshot> snapshot() override;
    ChangeOutcome apply(const PhoneChange& change) override;
    // Tells the log of each change written and who sent it:
    // "Momiji: Add event from phone (sent by Chrome on Android)".
    void logChangesTo(ServerLog log) { m_log = std::move(log); }
    // The weather the alerts are worked out from from now on (none without a forecast);
    // the snapshot is taken again, so that a new day counts its own alerts.
    void takeWeather(const reminders::GardenWeather& weather);

private:
    FileCollectionHost(std::filesystem::path file, collection::CommandLock lock, collection::EntryList entries, collection::SaveBaseline baseline,
                       std::filesystem::path albumFolder, std::filesystem::path photosFolder);
    void takeSnapshot();

    std::filesystem::path m_file;
    collection::CommandLock m_lock;
    // Changes wait for one another; pages only wait for the snapshot to be handed over,
    // never for a change being written.
    std::mutex m_changing;
    std::mutex m_handing;
    collection::EntryList m_entries;
    collection::SaveBaseline m_baseline;
    std::filesystem::path m_albumFolder;
    std::filesystem::path m_photosFolder;
    std::shared_ptr<const CollectionSnapshot> m_snapshot;
    ServerLog m_log;
    std::optional<garden::Forecast> m_forecast;
    // When the forecast was read, when it could not be read again since.
    std::optional<std::chrono::system_clock::time_point> m_staleSince;
};

} // namespace talvane::companion
