#include "ui/app/CommandIds.h"
#include "core/collection/UserFolders.h"
#include "ui/journal/CareDueDlg.h"
#include "ui/journal/PhoneReminderDlg.h"
#include "ui/journal/PhoneReminders.h"
#include "core/reminders/MorningReminder.h"

#include "support/core/FakeKeyring.h"
#include "support/core/JournalTestTrees.h"
#include "support/core/ReminderSinks.h"
#include "support/ui/AppFixture.h"
#include "support/ui/KeyboardReach.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

using namespace talvane::collection;

using namespace talvane::reminders;

namespace {

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

void clickOk(QDialog& dialog)
{
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

constexpr unsigned kWarning = mb::kOk | mb::kIconExclamation;

} // namespace

TEST(PhoneReminderDlg, KeepsTheSettingsInTheCollectionsFileAndTheSecretsInTheKeyringOnly)
{
    TempDir dir;
    const auto collection = dir / "trees.tvn";
    const std::string key = collectionKey(collection);
    FakeKeyring keyring;
    ScriptedUiServices ui;
    NtfySink ntfy;
    {
        PhoneReminderDlg dialog(collection, keyring, ui.prompter);
        dialog.show();
        EXPECT_EQ(keyboardFaults(dialog), QStringList());
        EXPECT_EQ(shownText(dialog.testButton()->text()), QStringLiteral("Send a test"));
        EXPECT_EQ(dialog.hourBox()->value(), ReminderSettings::kDefaultHour);
        dialog.topicEdit()->setText(q(ntfy.topic()));
        dialog.tokenEdit()->setText(QStringLiteral("tk_1"));
        ui.prompter.expect(mb::kIdOk, q("The push notification was sent to " + ntfy.topic() + "."), QStringLiteral("Talvane"),
                           mb::kOk | mb::kIconInformation);
        dialog.testButton()->click();
        ASSERT_EQ(ntfy.posts().size(), 1u);
        EXPECT_EQ(ntfy.posts()[0].headers.find("Authorization")->second, "Bearer tk_1") << "the token typed, not yet kept";
        EXPECT_TRUE(keyring.secrets.empty()) << "a test keeps nothing";

        dialog.hostEdit()->setText(QStringLiteral("smtp.example"));
        ui.prompter.expect(mb::kIdOk, QStringLiteral("An e-mail needs the address it comes from and the one it goes to."),
                           QStringLiteral("Talvane"), kWarning);
        clickOk(dialog);
        EXPECT_TRUE(dialog.isVisible()) << "settings that cannot be used keep the window open";
        EXPECT_FALSE(std::filesystem::exists(reminderSettingsFile(collection)));

        dialog.fromEdit()->setText(QStringLiteral("talvane@example.org"));
        dialog.toEdit()->setText(QStringLiteral(" phone@example.org "));
        dialog.securityBox()->setCurrentIndex(dialog.securityBox()->findText(QStringLiteral("TLS")));
        dialog.userEdit()->setText(QStringLiteral("grower"));
        dialog.passwordEdit()->setText(QStringLiteral("s3cret"));
        dialog.hourBox()->setValue(6);
        keyring.unavailable = "no keyring answers on this computer (test)";
        ui.prompter.expect(mb::kIdOk,
                           QStringLiteral("The push access token cannot be kept: no keyring answers on this computer "
                                          "(test). It is written nowhere else: the reminders go without it.\n\n"
                                          "The mail password cannot be kept: no keyring answers on this computer "
                                          "(test). It is written nowhere else: the reminders go without it."),
                           QStringLiteral("Talvane"), kWarning);
        clickOk(dialog);
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << "the settings are kept all the same";
    }
    const ReminderSettings expected{ntfy.topic(),
                                    {"smtp.example", 0, MailSecurity::Tls, "grower", "talvane@example.org", "phone@example.org"},
                                    6};
    EXPECT_EQ(readReminderSettings(reminderSettingsFile(collection)).settings, expected) << "the file talvane-cli reads";
    EXPECT_EQ(readFileBytes(reminderSettingsFile(collection)).find("s3cret"), std::string::npos);

    keyring.unavailable.reset();
    keyring.secrets[{key, SecretKind::MailPassword}] = "s3cret";
    {
        PhoneReminderDlg again(collection, keyring, ui.prompter);
        EXPECT_EQ(again.topicEdit()->text(), q(ntfy.topic()));
        EXPECT_EQ(again.securityBox()->currentText(), QStringLiteral("TLS"));
        EXPECT_EQ(again.hourBox()->value(), 6);
        EXPECT_TRUE(again.tokenEdit()->text().isEmpty()) << "a secret is never shown";
        again.tokenEdit()->setText(QStringLiteral("tk_2"));
        for (QLineEdit* mailField : {again.hostEdit(), again.userEdit(), again.fromEdit(), again.toEdit()})
            mailField->clear();
        again.accept();
    }
    EXPECT_EQ(keyring.secrets, (decltype(keyring.secrets){{{key, SecretKind::PushToken}, "tk_2"}}))
        << "the password goes with the e-mail";
    EXPECT_TRUE(ui.prompter.allAnswered());
}

class PhoneReminderTest : public AppFixture {
protected:
    void startWithTaskDueToday()
    {
        ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Momiji"}, [](CBonsaiData& entry, std::size_t) {
            entry[talvane::journal::kJournalField] = journalTextOf({dueIn(0, "water")});
        }))));
    }
};

TEST_F(PhoneReminderTest, CareDueOpensTheSetUpOfItsCollection)
{
    startWithTaskDueToday();
    ui.dialogs.expect([this](QDialog& careDue) {
        QPushButton* button = dynamic_cast<CareDueDlg&>(careDue).phoneRemindersButton();
        EXPECT_EQ(shownText(button->text()), QStringLiteral("Remind me on my phone\u2026"));
        EXPECT_TRUE(button->isEnabled());
        ui.dialogs.expect([&careDue](QDialog& setUp) {
            EXPECT_NE(dynamic_cast<PhoneReminderDlg*>(&setUp), nullptr);
            EXPECT_EQ(setUp.parentWidget(), &careDue) << "over the Care due window";
            return int(QDialog::Rejected);
        });
        button->click();
        EXPECT_EQ(ui.dialogs.callCount(), 2);
        return int(QDialog::Rejected);
    });
    frame().action(cmd::kViewCareDue)->trigger();
}

TEST_F(PhoneReminderTest, TheWindowSendsTheDaysMessageAwayFromItsThreadOnce)
{
    startWithTaskDueToday();
    NtfySink ntfy;
    ReminderSettings settings;
    settings.ntfyTopic = ntfy.topic();
    settings.hour = 0;
    ASSERT_FALSE(writeReminderSettings(reminderSettingsFile(dir / "trees.tvn"), settings));
    auto keyring = std::make_shared<FakeKeyring>();
    keyring->secrets[{collectionKey(dir / "trees.tvn"), SecretKind::PushToken}] = "tk_kept";
    const auto link = [](const EntryList&, std::size_t position) -> std::optional<std::string> {
        return "http://192.168.1.20:8750/tree/at" + std::to_string(position);
    };
    PhoneReminders reminders(doc(), keyring, link);

    reminders.look();
    const auto stateFile = MorningReminder::stateFileFor(dir / "trees.tvn");
    EXPECT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(stateFile); }, 10000)) << "the day sent is noted";
    ASSERT_EQ(ntfy.posts().size(), 1u);
    EXPECT_EQ(ntfy.posts()[0].body, "Momiji: water\nhttp://192.168.1.20:8750/tree/at0\n");
    EXPECT_EQ(ntfy.posts()[0].headers.find("Authorization")->second, "Bearer tk_kept");
    reminders.look();
    QTest::qWait(50);
    EXPECT_EQ(ntfy.posts().size(), 1u) << "once a day";
}
