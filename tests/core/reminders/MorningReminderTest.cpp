#include "core/reminders/MorningReminder.h"

#include "support/core/JournalTestTrees.h"
#include "support/core/ScopedVariable.h"
#include "support/core/TempDir.h"

#include <gtest/gtest.h>

using namespace talvane::collection;

using namespace talvane::reminders;
using talvane::garden::AlertKind;
using talvane::garden::GardenAlert;
using talvane::journal::CareEvent;
using talvane::journal::CareKind;

namespace {

CareEvent taskDue(const char* due, const char* text, CareKind kind = CareKind::Wiring)
{
    return {day("2026-06-01"), kind, day(due), {}, text, {}, {}, {}};
}

// A collection's reminders in the test's own folders, on a clock the test sets.
class MorningReminderTest : public ::testing::Test {
protected:
    MorningReminderTest()
    {
        ReminderSettings settings;
        settings.ntfyTopic = "https://ntfy.example/bonsai";
        settings.mail.host = "mail.example";
        settings.mail.from = "talvane@example.org";
        settings.mail.to = "grower@example.org";
        settings.hour = 7;
        EXPECT_FALSE(writeReminderSettings(reminderSettingsFile(collection), settings));
    }

    std::optional<ReminderRound> roundAt(MorningReminder& reminder, int hour, int minute, int day = 8)
    {
        now = std::chrono::system_clock::from_time_t(localSeconds(hour, minute, 0, day));
        return reminder.nextRound(entries, links, talvane::text::inEnglish, alerts);
    }

    TempDir dir;
    ScopedVariable config{"XDG_CONFIG_HOME", (dir / "config").c_str()};
    ScopedVariable state{"XDG_STATE_HOME", (dir / "state").c_str()};
    std::filesystem::path collection = dir / "trees.tvn";
    std::chrono::system_clock::time_point now;
    MorningReminder::Clock clock = [this] { return now; };
    EntryList entries;
    TreeLinks links;
    std::vector<GardenAlert> alerts;
};

} // namespace

TEST_F(MorningReminderTest, SendsEachChannelOnceADayFromTheHourWithTheTasksDueThatDay)
{
    addTree(entries, "Momiji", {taskDue("2026-12-09", "feed"), taskDue("2026-12-06", "remove wire\nthen water")});
    addTree(entries, "Pine", {taskDue("2026-12-08", "", CareKind::WireRemoval)});
    links = [](const EntryList& trees, std::size_t position) -> std::optional<std::string> {
        return "http://192.168.1.20:8750/tree/" + std::string(std::as_const(*trees[position])[CBonsaiData::Name]);
    };
    MorningReminder reminder(collection, clock);
    EXPECT_FALSE(roundAt(reminder, 6, 59)) << "before the hour";

    const auto morning = roundAt(reminder, 7, 0);
    ASSERT_TRUE(morning);
    EXPECT_EQ(morning->channels, (std::vector{Channel::Push, Channel::Mail}));
    EXPECT_EQ(morning->message.title, "2 care tasks due in trees");
    EXPECT_EQ(morning->message.body, "Momiji: remove wire\nhttp://192.168.1.20:8750/tree/Momiji\n"
                                     "Pine: wire removal\nhttp://192.168.1.20:8750/tree/Pine\n")
        << "overdue and due today, earliest first; tomorrow's waits";
    EXPECT_EQ(morning->message.link, "http://192.168.1.20:8750/tree/Momiji");

    reminder.record(*morning, {{Channel::Push, std::nullopt}, {Channel::Mail, "the server is away"}});
    EXPECT_FALSE(roundAt(reminder, 7, 1)) << "a failed send waits before it is tried again";
    const auto retry = roundAt(reminder, 7, 15);
    ASSERT_TRUE(retry);
    EXPECT_EQ(retry->channels, std::vector{Channel::Mail}) << "the push went already";
    reminder.record(*retry, {{Channel::Mail, std::nullopt}});
    EXPECT_FALSE(roundAt(reminder, 18, 0)) << "once a day";
    MorningReminder startedAgain(collection, clock);
    EXPECT_FALSE(roundAt(startedAgain, 18, 0)) << "the day sent is kept for the next program";

    const auto nextDay = roundAt(startedAgain, 7, 30, 9);
    ASSERT_TRUE(nextDay);
    EXPECT_EQ(nextDay->channels.size(), 2u);
    EXPECT_EQ(nextDay->message.title, "3 care tasks due in trees") << "the task that fell due that day joins";
}

TEST_F(MorningReminderTest, SendsNothingWhileNothingIsDueAndATaskFallingDueLaterThatDay)
{
    addTree(entries, "Elm", {taskDue("2026-12-20", "repot")});
    MorningReminder reminder(collection, clock);
    EXPECT_FALSE(roundAt(reminder, 8, 0)) << "nothing due: no message";

    addTree(entries, "Juniper", {taskDue("2026-12-08", "water")});
    EXPECT_FALSE(roundAt(reminder, 8, 5)) << "looked at again a while later";
    const auto later = roundAt(reminder, 8, 15);
    ASSERT_TRUE(later);
    EXPECT_EQ(later->message, (ReminderMessage{"1 care task due in trees", "Juniper: water\n", std::nullopt}))
        << "without a paired phone, no link";

    EXPECT_FALSE(writeReminderSettings(reminderSettingsFile(collection), ReminderSettings{}));
    MorningReminder notSetUp(collection, clock);
    EXPECT_FALSE(roundAt(notSetUp, 9, 0)) << "nothing set up, nothing sent";
}

TEST_F(MorningReminderTest, TheGardensAlertsComeFirstAndAreSentWithNoCareDue)
{
    addTree(entries, "Momiji", {});
    addTree(entries, "Juniper", {});
    addTree(entries, "Elm", {taskDue("2026-12-20", "repot")});
    const auto frost = [](std::size_t entry, const char* tree, const char* place, double forecast) {
        return GardenAlert{AlertKind::Frost, day("2026-12-10"), entry, tree, place, -3, forecast, 0, day("2026-12-10"), false};
    };
    alerts = {frost(0, "Momiji", "Bench 1", -6), frost(1, "Juniper", "Bench 1", -5), frost(2, "Elm", "", -6),
              {AlertKind::Wire, day("2026-12-09"), 2, "Elm", "", std::nullopt, std::nullopt, 5, day("2026-10-01"), false}};
    MorningReminder reminder(collection, clock);
    const auto alerted = roundAt(reminder, 7, 0);
    ASSERT_TRUE(alerted) << "no care is due, yet frost is coming";
    EXPECT_EQ(alerted->message.title, "3 garden alerts in trees");
    EXPECT_EQ(alerted->message.body,
              "Frost \u22126 \u00B0C on Thursday night: 2 trees below their limit on Bench 1 (Momiji \u22123 \u00B0C, "
              "Juniper \u22123 \u00B0C)\n"
              "Frost \u22126 \u00B0C on Thursday night: 1 tree below its limit (Elm \u22123 \u00B0C)\n"
              "Check the wire on Elm: 5 warm weeks since it was wired\n");
    EXPECT_EQ(alerted->message.link, std::nullopt);

    // With care due, the title stays the care's, and the care follows the alerts.
    reminder.record(*alerted, {{Channel::Push, std::nullopt}, {Channel::Mail, std::nullopt}});
    addTree(entries, "Pine", {taskDue("2026-12-08", "water")});
    alerts.erase(alerts.begin() + 1, alerts.end());
    const auto nextDay = roundAt(reminder, 7, 0, 9);
    ASSERT_TRUE(nextDay);
    EXPECT_EQ(nextDay->message.title, "1 care task due in trees");
    EXPECT_EQ(nextDay->message.body,
              "Frost \u22126 \u00B0C on Thursday night: 1 tree below its limit on Bench 1 (Momiji \u22123 \u00B0C)\n"
              "Pine: water\n");
}
