#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/garden/GardenAlerts.h"
#include "core/journal/CalendarDate.h"
#include "core/reminders/Delivery.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace talvane::reminders {

// A message to send now, and where to.
struct ReminderRound {
    journal::CalendarDate day;
    ReminderSettings settings;
    std::vector<Channel> channels;
    ReminderMessage message;
};

// Decides when a collection's morning message goes: on each channel set up, once a
// day, from the settings' hour, with the garden's alerts and the tasks due that day or
// overdue. A day with nothing due and no alert sends nothing, and is looked at again a while later, so that a task
// falling due that day still goes that day; a send that failed is tried again a while
// later too. The days already sent are kept in a small state file, so that a program
// started again the same day, or another one reminding of the same collection, does
// not send them again.
class MorningReminder {
public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;
    static constexpr auto kLookAgainAfter = std::chrono::minutes(15);

    explicit MorningReminder(std::filesystem::path collection, Clock clock = std::chrono::system_clock::now);

    const std::filesystem::path& collection() const { return m_collection; }

    // What to send now, if anything, with the alerts given. The entries are read only
    // when a channel waits for the day's message.
    std::optional<ReminderRound> nextRound(const collection::EntryList& entries, const TreeLinks& links,
                                           const text::Words& words, const std::vector<garden::GardenAlert>& alerts);
    // Notes how the round's sends went: a channel whose message went is done for the day.
    void record(const ReminderRound& round, const std::vector<ChannelOutcome>& outcomes);

    // $XDG_STATE_HOME/talvane/reminders/<hash of the collection's path>.json.
    static std::filesystem::path stateFileFor(const std::filesystem::path& collection);

private:
    using SentDays = std::map<Channel, journal::CalendarDate>;
    SentDays sentDays() const;

    std::filesystem::path m_collection;
    std::filesystem::path m_stateFile;
    Clock m_clock;
    // Those sent by this program, should the state file not be written.
    SentDays m_sent;
    std::chrono::system_clock::time_point m_lookAgainAt;
    std::map<Channel, std::chrono::system_clock::time_point> m_retryAt;
};

} // namespace talvane::reminders
