#include "core/companion/ServedReminders.h"

#include "core/collection/UserFolders.h"
#include "core/companion/TreePageLink.h"
#include "core/reminders/MorningReminder.h"
#include "core/reminders/SecretServiceKeyring.h"

#include <condition_variable>
#include <mutex>

using namespace talvane::reminders;

namespace talvane::companion {

ServedReminders::ServedReminders(const std::filesystem::path& file, CollectionHost& host, CompanionServer& server,
                                 ServerLog log)
    : m_file(std::filesystem::absolute(file)), m_host(host), m_server(server), m_log(std::move(log)),
      m_thread([this](const std::stop_token& stop) { run(stop); })
{
}

ServedReminders::~ServedReminders()
{
    m_stopping = true;
    m_thread.request_stop();
}

void ServedReminders::run(const std::stop_token& stop)
{
    MorningReminder reminder(m_file);
    SecretServiceKeyring keyring;
    const ReminderSender sender(&m_stopping);
    const TreeLinks links = [this](const collection::EntryList& entries, std::size_t position) {
        return treePageLink(m_server, entries, position);
    };
    std::mutex mutex;
    std::condition_variable_any wake;
    while (!stop.stop_requested()) {
        const auto snapshot = m_host.snapshot();
        const auto round = snapshot ? reminder.nextRound(snapshot->entries(), links, text::inEnglish,
                                                         snapshot->garden() ? snapshot->garden()->alerts
                                                                            : std::vector<garden::GardenAlert>{})
                                    : std::nullopt;
        if (round) {
            const auto outcomes = deliver(round->settings, round->channels, round->message,
                                          keptSecrets(keyring, collection::collectionKey(m_file)), sender);
            for (const ChannelOutcome& outcome : outcomes)
                if (outcome.failure && m_log)
                    m_log(*outcome.failure);
            reminder.record(*round, outcomes);
        }
        std::unique_lock lock(mutex);
        wake.wait_for(lock, stop, std::chrono::minutes(1), [] { return false; });
    }
}

} // namespace talvane::companion
