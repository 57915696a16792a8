#pragma once

#include "core/companion/CollectionHost.h"
#include "core/companion/CompanionServer.h"
#include "core/companion/ServerLog.h"

#include <atomic>
#include <filesystem>
#include <thread>

namespace talvane::companion {

// The morning reminders of a collection served without a window, with the garden's
// alerts of the host's snapshot, looked at once a minute on a thread of their own while
// it is served; a send that fails is told to the log, when there is one.
class ServedReminders {
public:
    ServedReminders(const std::filesystem::path& file, CollectionHost& host, CompanionServer& server, ServerLog log);
    // Stops at once, a send under way included.
    ~ServedReminders();
    ServedReminders(const ServedReminders&) = delete;
    ServedReminders& operator=(const ServedReminders&) = delete;

private:
    void run(const std::stop_token& stop);

    std::filesystem::path m_file;
    CollectionHost& m_host;
    CompanionServer& m_server;
    ServerLog m_log;
    std::atomic<bool> m_stopping = false;
    std::jthread m_thread;
};

} // namespace talvane::companion
