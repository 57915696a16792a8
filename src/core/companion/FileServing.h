#pragma once

#include "core/companion/CompanionServer.h"
#include "core/companion/FileCollectionHost.h"
#include "core/companion/ServedReminders.h"
#include "core/companion/ServedWeather.h"
#include "core/companion/ServerOptions.h"

#include <filesystem>
#include <memory>
#include <string>
#include <variant>

namespace talvane::companion {

// Gives the options the files kept for the collection: its programs' tokens, its paired
// phones and the note of where it is served.
void useCollectionFiles(ServerOptions& options, const std::filesystem::path& collection);

// A collection file served to phones without a window: the file locked, each change
// written at once, its garden's forecast read for the alerts, its morning reminders
// sent, and the server noted where talvane-cli pair and a window opening the collection
// find it. Stopping answers the requests under
// way before the lock goes.
class FileServing {
public:
    // Serves `collection` with the options (its files added); or says why it cannot.
    static std::variant<std::unique_ptr<FileServing>, std::string> start(const std::filesystem::path& collection,
                                                                         const std::filesystem::path& startFolder,
                                                                         ServerOptions options);

    CompanionServer& server() { return *m_server; }

private:
    explicit FileServing(std::unique_ptr<FileCollectionHost> host);

    // Destroyed in turn: the weather, which the host is given; the reminders, which look
    // at the server; the server; the lock.
    std::unique_ptr<FileCollectionHost> m_host;
    std::unique_ptr<CompanionServer> m_server;
    std::unique_ptr<ServedReminders> m_reminders;
    std::unique_ptr<ServedWeather> m_weather;
};

} // namespace talvane::companion
