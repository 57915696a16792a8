#include "core/reminders/MorningReminder.h"

#include "core/collection/SafeFile.h"
#include "core/collection/UserFolders.h"

#include <nlohmann/json.hpp>

#include <ctime>

namespace talvane::reminders {

namespace {

const char* keyOf(Channel channel)
{
    return channel == Channel::Push ? "push" : "mail";
}

struct LocalMoment {
    journal::CalendarDate day;
    int hour;
};

LocalMoment localMoment(std::chrono::system_clock::time_point at)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(at);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    return {*journal::CalendarDate::fromYearMonthDay(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                                                     static_cast<unsigned>(local.tm_mday)),
            local.tm_hour};
}

} // namespace

MorningReminder::MorningReminder(std::filesystem::path collection, Clock clock)
    : m_collection(std::move(collection)), m_stateFile(stateFileFor(m_collection)), m_clock(std::move(clock))
{
}

std::filesystem::path MorningReminder::stateFileFor(const std::filesystem::path& collection)
{
    return collection::collectionFileIn("XDG_STATE_HOME", ".local/state", "reminders", collection);
}

std::optional<ReminderRound> MorningReminder::nextRound(const collection::EntryList& entries, const TreeLinks& links,
                                                       const text::Words& words,
                                                       const std::vector<garden::GardenAlert>& alerts)
{
    const auto now = m_clock();
    if (now < m_lookAgainAt)
        return std::nullopt;
    const SettingsRead read = readReminderSettings(reminderSettingsFile(m_collection));
    const LocalMoment moment = localMoment(now);
    if (read.failure || moment.hour < read.settings.hour || settingsProblem(read.settings))
        return std::nullopt;
    ReminderRound round{moment.day, read.settings, {}, {}};
    const SentDays sent = sentDays();
    for (Channel channel : channelsSetUp(read.settings)) {
        const auto sentDay = sent.find(channel);
        const auto retryAt = m_retryAt.find(channel);
        // A day later than today was sent before the clock was set back: it counts as today's.
        if ((sentDay == sent.end() || sentDay->second < moment.day) && (retryAt == m_retryAt.end() || retryAt->second <= now))
            round.channels.push_back(channel);
    }
    if (round.channels.empty())
        return std::nullopt;
    auto message = morningMessage(entries, moment.day, m_collection.stem().string(), links, words, alerts);
    if (!message) {
        m_lookAgainAt = now + kLookAgainAfter;
        return std::nullopt;
    }
    round.message = std::move(*message);
    return round;
}

void MorningReminder::record(const ReminderRound& round, const std::vector<ChannelOutcome>& outcomes)
{
    SentDays sent = sentDays();
    for (const ChannelOutcome& outcome : outcomes) {
        if (outcome.failure) {
            m_retryAt[outcome.channel] = m_clock() + kLookAgainAfter;
        } else {
            m_retryAt.erase(outcome.channel);
            m_sent.insert_or_assign(outcome.channel, round.day);
            sent.insert_or_assign(outcome.channel, round.day);
        }
    }
    nlohmann::json json = nlohmann::json::object();
    for (const auto& [channel, day] : sent)
        json[keyOf(channel)] = day.text();
    // A state file that cannot be written leaves the days in memory: only a program
    // started again the same day would send them again.
    collection::writeOwnFile(m_stateFile, json.dump() + "\n");
}

MorningReminder::SentDays MorningReminder::sentDays() const
{
    SentDays sent = m_sent;
    std::string bytes;
    if (collection::readWholeFile(m_stateFile, bytes))
        return sent;
    try {
        const auto json = nlohmann::json::parse(bytes);
        for (Channel channel : {Channel::Push, Channel::Mail}) {
            const auto day = json.contains(keyOf(channel))
                                 ? journal::CalendarDate::fromText(json.at(keyOf(channel)).get<std::string>())
                                 : std::nullopt;
            if (day && (!sent.contains(channel) || sent.at(channel) < *day))
                sent.insert_or_assign(channel, *day);
        }
    } catch (const std::exception&) {
        // A damaged state file counts as nothing sent: at worst a message goes twice.
    }
    return sent;
}

} // namespace talvane::reminders
