#pragma once

#include "companion/CollectionHost.h"
#include "companion/CompanionServer.h"
#include "reminders/ReminderSettings.h"

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>

// "Each morning from 7:00, the care due in trees.tvn goes to the ntfy topic …".
std::string RemindersText(const std::string& file, const talvane::reminders::ReminderSettings& settings);

// The morning reminders of the collection served, looked at once a minute on a thread
// of their own while it is served; a send that fails is said on the error output.
class ServeReminders {
public:
    ServeReminders(const std::filesystem::path& file, talvane::companion::CollectionHost& host,
                   talvane::companion::CompanionServer& server);
    // Stops at once, a send under way included.
    ~ServeReminders();

private:
    void run(const std::stop_token& stop);

    std::filesystem::path m_file;
    talvane::companion::CollectionHost& m_host;
    talvane::companion::CompanionServer& m_server;
    std::atomic<bool> m_stopping = false;
    std::jthread m_thread;
};
