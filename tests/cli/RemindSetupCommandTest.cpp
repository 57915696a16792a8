#include "core/collection/CollectionFile.h"
#include "core/reminders/ReminderSettings.h"

#include "support/core/CompanionRun.h"
#include "support/core/ReminderSinks.h"
#include "support/core/ScopedVariable.h"

#include <gtest/gtest.h>

using namespace talvane::collection;

using namespace talvane::reminders;

namespace {

// Every file under the folder that holds the text.
std::vector<std::string> filesHolding(const std::filesystem::path& folder, const std::string& text)
{
    std::vector<std::string> holding;
    for (const auto& file : std::filesystem::recursive_directory_iterator(folder))
        if (file.is_regular_file() && readFileBytes(file.path()).find(text) != std::string::npos)
            holding.push_back(file.path().string());
    return holding;
}

} // namespace

TEST(RemindSetupCommand, KeepsTheSettingsAndSendsATestThroughEachChannel)
{
    TempDir dir;
    const ScopedVariable config("XDG_CONFIG_HOME", (dir / "config").c_str());
    const ScopedVariable state("XDG_STATE_HOME", (dir / "state").c_str());
    // No keyring answers here: the secrets given serve the test and are kept nowhere.
    const ScopedVariable bus("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + (dir / "no-bus").string()).c_str());
    const ScopedVariable display("DISPLAY", nullptr);
    EntryList entries;
    entries.push_back(std::make_unique<CBonsaiData>());
    ASSERT_FALSE(saveCollectionFile(dir / "trees.tvn", entries));
    writeFileBytes(dir / "secrets.txt", "tk_0123\ns3cret\n");
    NtfySink ntfy;
    SmtpSink smtp;

    const CompanionRun setUp = runCompanion(
        dir, "remind-setup trees.tvn --ntfy " + ntfy.topic() + " --ntfy-token-stdin --smtp-host 127.0.0.1 --smtp-port " +
                 std::to_string(smtp.port()) + " --security none --smtp-user grower --smtp-password-stdin "
                 "--from talvane@example.org --to phone@example.org --hour 6 --test < secrets.txt");
    EXPECT_EQ(setUp.status, 0) << setUp.err;
    EXPECT_EQ(setUp.out, "Each morning from 6:00, the care due in trees.tvn goes to the ntfy topic " + ntfy.topic() +
                             " and by e-mail to phone@example.org.\n"
                             "The push notification was sent to " + ntfy.topic() + ".\n"
                             "The e-mail was sent to phone@example.org.\n");
    EXPECT_NE(setUp.err.find("talvane-cli: The push access token cannot be kept: no keyring answers"), std::string::npos)
        << setUp.err;
    EXPECT_NE(setUp.err.find("talvane-cli: The mail password cannot be kept"), std::string::npos) << setUp.err;
    ASSERT_EQ(ntfy.posts().size(), 1u);
    EXPECT_EQ(ntfy.posts()[0].headers.find("Authorization")->second, "Bearer tk_0123");
    EXPECT_EQ(ntfy.posts()[0].headers.find("Title")->second, "Talvane: a test");
    const auto mail = smtp.received();
    EXPECT_EQ(mail.value("password", ""), "s3cret");
    EXPECT_EQ(mail.value("to", nlohmann::json()), nlohmann::json::array({"phone@example.org"}));

    const SettingsRead read = readReminderSettings(reminderSettingsFile(dir / "trees.tvn"));
    const ReminderSettings expected{ntfy.topic(),
                                    {"127.0.0.1", smtp.port(), MailSecurity::None, "grower", "talvane@example.org",
                                     "phone@example.org"},
                                    6};
    EXPECT_EQ(read.settings, expected) << "the file the window reads";
    std::filesystem::remove(dir / "secrets.txt");
    EXPECT_EQ(filesHolding(dir.path(), "tk_0123"), std::vector<std::string>{}) << "never in plain text";
    EXPECT_EQ(filesHolding(dir.path(), "s3cret"), std::vector<std::string>{});

    const CompanionRun noMail = runCompanion(dir, "remind-setup trees.tvn --smtp-host '' --hour 7");
    EXPECT_EQ(noMail.out, "Each morning from 7:00, the care due in trees.tvn goes to the ntfy topic " + ntfy.topic() + ".\n");
    EXPECT_FALSE(readReminderSettings(reminderSettingsFile(dir / "trees.tvn")).settings.mail.isSetUp());

    const std::pair<std::string, std::string> refused[] = {
        {"--ntfy ftp://ntfy.example/bonsai",
         "\u201Cftp://ntfy.example/bonsai\u201D is not the address of an ntfy topic, such as https://ntfy.sh/my-bonsai-topic."},
        {"--ntfy '' --test", "there is nothing to test: give --ntfy or --smtp-host"},
    };
    for (const auto& [arguments, message] : refused) {
        const CompanionRun run = runCompanion(dir, "remind-setup trees.tvn " + arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_EQ(run.err, "talvane-cli: " + message + "\n") << arguments;
    }
    for (const char* wrong : {"remind-setup trees.tvn --hour 24", "remind-setup trees.tvn --security ssl",
                              "remind-setup missing.tvn --hour 7"})
        EXPECT_NE(runCompanion(dir, wrong).status, 0) << wrong;
    EXPECT_EQ(runCompanion(dir, "remind-setup trees.tvn").out, "No reminder is set up for trees.tvn.\n")
        << "a refused setting changes nothing, and the last one set up nothing";

    const CompanionRun away = runCompanion(dir, "remind-setup trees.tvn --ntfy http://127.0.0.1:1/bonsai --test");
    EXPECT_EQ(away.status, 1);
    EXPECT_TRUE(away.err.starts_with("talvane-cli: The push notification could not be sent to http://127.0.0.1:1/bonsai: "))
        << away.err;
}
