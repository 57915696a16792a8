#include "core/reminders/ReminderSettings.h"

#include "core/collection/UserFolders.h"
#include "support/core/ScopedVariable.h"
#include "support/core/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace talvane::collection;

using namespace talvane::reminders;

TEST(ReminderSettings, ReadBackAsWrittenInAFileOfTheUsersOwn)
{
    TempDir dir;
    const ScopedVariable config("XDG_CONFIG_HOME", (dir / "config").c_str());
    const auto file = reminderSettingsFile(dir / "trees.tvn");
    EXPECT_EQ(file.parent_path(), dir / "config/talvane/reminders");
    EXPECT_EQ(reminderSettingsFile(dir / "garden/../trees.tvn"), file) << "one collection, one file";
    EXPECT_NE(reminderSettingsFile(dir / "other.tvn"), file);
    EXPECT_EQ(file.filename(), collectionFileIn("XDG_CONFIG_HOME", ".config", "sharing", dir / "trees.tvn").filename())
        << "named as the sharing's files are";

    const SettingsRead none = readReminderSettings(file);
    EXPECT_FALSE(none.failure);
    EXPECT_FALSE(none.settings.isSetUp());

    ReminderSettings settings;
    settings.ntfyTopic = "https://ntfy.example/bonsai";
    settings.mail = {"smtp.example", 2525, MailSecurity::Tls, "grower", "talvane@example.org", "phone@example.org"};
    settings.hour = 0;
    ASSERT_FALSE(writeReminderSettings(file, settings));
    const SettingsRead read = readReminderSettings(file);
    EXPECT_FALSE(read.failure);
    EXPECT_EQ(read.settings, settings);
    struct stat folder {};
    ASSERT_EQ(::stat(file.parent_path().c_str(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0700u) << "where and to whom is no other user's business";

    for (const char* damaged : {"{", R"({"hour": 7})", R"({"hour":7,"ntfy":{"topic":""},"mail":{"host":"","port":0,)"
                                                       R"("security":"ssl","user":"","from":"","to":""}})"}) {
        writeFileBytes(file, damaged);
        const SettingsRead bad = readReminderSettings(file);
        EXPECT_EQ(bad.failure, "The reminder settings " + file.string() + " are damaged: set the reminders up again.")
            << damaged;
        EXPECT_FALSE(bad.settings.isSetUp());
    }
}

TEST(ReminderSettings, SaysWhatCannotBeUsed)
{
    const auto problemOf = [](auto change) {
        ReminderSettings settings;
        settings.mail = {"smtp.example", 0, MailSecurity::StartTls, "", "talvane@example.org", "phone@example.org"};
        change(settings);
        return settingsProblem(settings).value_or("");
    };
    EXPECT_EQ(problemOf([](ReminderSettings&) {}), "");
    EXPECT_EQ(problemOf([](ReminderSettings& s) { s.ntfyTopic = "http://192.168.1.5:8080/bonsai"; }), "");
    EXPECT_EQ(problemOf([](ReminderSettings& s) { s.hour = 24; }), "The hour of the morning message is one from 0 to 23.");
    for (const char* topic : {"ntfy.sh/bonsai", "https://ntfy.sh/", "ftp://ntfy.sh/bonsai", "https://ntfy.sh/my topic"})
        EXPECT_EQ(problemOf([topic](ReminderSettings& s) { s.ntfyTopic = topic; }),
                  std::string("\u201C") + topic + "\u201D is not the address of an ntfy topic, such as "
                                                 "https://ntfy.sh/my-bonsai-topic.");
    EXPECT_EQ(problemOf([](ReminderSettings& s) { s.mail.to = ""; }),
              "An e-mail needs the address it comes from and the one it goes to.");
    for (const char* address : {"grower", "grower@", "@example.org", "Grower <g@example.org>", "g@example.org\r\nBcc: x@y"})
        EXPECT_EQ(problemOf([address](ReminderSettings& s) { s.mail.from = address; }),
                  std::string("\u201C") + address + "\u201D is not an e-mail address.");
    EXPECT_EQ(problemOf([](ReminderSettings& s) { s.mail.host = ""; }),
              "Name the mail server (SMTP) that sends the e-mail.");
    EXPECT_EQ(problemOf([](ReminderSettings& s) { s.mail.port = 65536; }), "A port is a number from 1 to 65535.");
}
