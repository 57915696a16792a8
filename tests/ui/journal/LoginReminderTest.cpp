#include "ui/app/CommandIds.h"
#include "ui/framework/PathListSetting.h"
#include "ui/journal/AutostartEntry.h"
#include "ui/journal/CareDueDlg.h"
#include "ui/journal/LoginReminders.h"

#include "support/ui/AppFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace {

class LoginReminderTest : public AppFixture {
protected:
    LoginReminderTest() { std::filesystem::remove_all(autostartFolder()); }
    ~LoginReminderTest() override { std::filesystem::remove_all(autostartFolder()); }

    static std::filesystem::path autostartFolder()
    {
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() + "/autostart";
    }
    static std::filesystem::path entryFile() { return autostartFolder() / "talvane-remind.desktop"; }

    // Opens Care due and clicks its login box, which must be enabled.
    void clickRemindBox(bool expectChecked)
    {
        ui.dialogs.expect([expectChecked](QDialog& dialog) {
            QCheckBox* box = dynamic_cast<CareDueDlg&>(dialog).remindAtLoginBox();
            EXPECT_TRUE(box->isEnabled());
            EXPECT_EQ(box->text(), QStringLiteral("Remind me at &login"));
            box->click();
            EXPECT_EQ(box->isChecked(), expectChecked);
            return int(QDialog::Rejected);
        });
        frame().action(cmd::kViewCareDue)->trigger();
    }

    static QStringList reminded() { return PathListSetting(LoginReminders::kSettingsKey).paths(); }
};

// The entry as written for this program and these collections, with its Exec line given.
std::string entryText(const std::string& exec)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Talvane care reminder\n"
           "Comment=Tells at login which trees of your bonsai collections need care\n"
           "Exec=" + exec + "\n"
           "Icon=talvane\n"
           "Terminal=false\n"
           "NoDisplay=true\n"
           "X-GNOME-Autostart-enabled=true\n";
}

} // namespace

TEST(AutostartEntry, QuotesEachArgumentAsDesktopEntriesAskThenEscapesTheValue)
{
    EXPECT_EQ(AutostartEntry::execValue({"/usr/bin/talvane", "--remind", "/home/ann/trees.tvn"}),
              QStringLiteral("/usr/bin/talvane --remind /home/ann/trees.tvn"));
    EXPECT_EQ(AutostartEntry::execValue({"/my trees/a.tvn"}), QStringLiteral(R"("/my trees/a.tvn")"));
    EXPECT_EQ(AutostartEntry::execValue({"/x/$HOME.tvn"}), QStringLiteral(R"("/x/\\$HOME.tvn")"));
    EXPECT_EQ(AutostartEntry::execValue({"say \"hi\""}), QStringLiteral(R"("say \\"hi\\"")"));
    EXPECT_EQ(AutostartEntry::execValue({"back\\slash"}), QStringLiteral(R"("back\\\\slash")"));
    EXPECT_EQ(AutostartEntry::execValue({"`run`"}), QStringLiteral(R"("\\`run\\`")"));
    EXPECT_EQ(AutostartEntry::execValue({"100%.tvn"}), QStringLiteral("100%%.tvn"));
    EXPECT_EQ(AutostartEntry::execValue({"100% oak"}), QStringLiteral(R"("100%% oak")"));
    EXPECT_EQ(AutostartEntry::execValue({"it's"}), QStringLiteral(R"("it's")"));
    EXPECT_EQ(AutostartEntry::execValue({"two\nlines", ""}), QStringLiteral(R"("two\nlines" "")"));
}

TEST_F(LoginReminderTest, TheBoxWritesTheEntryForEveryChosenCollectionAndTheLastOneRemovesIt)
{
    const auto odd = makeCollection("spring $ \"yard\" 100% a\\b.tvn", {"Momiji"});
    const auto plain = makeCollection("plain.tvn", {"Pine"});
    const std::string program = QCoreApplication::applicationFilePath().toStdString();
    ASSERT_EQ(program.find_first_of(" \"'\\$`%"), std::string::npos) << "the test's own path needs no quotes";
    const std::string oddArgument = "\"" + dir.path().string() + R"(/spring \\$ \\"yard\\" 100%% a\\\\b.tvn")";

    ASSERT_TRUE(start(q(odd)));
    clickRemindBox(true);
    EXPECT_EQ(readFileBytes(entryFile()), entryText(program + " --remind " + oddArgument));
    EXPECT_EQ(reminded(), QStringList{q(odd)});
    QProcess validator;
    validator.setProcessChannelMode(QProcess::MergedChannels);
    validator.start(QStringLiteral("desktop-file-validate"), {q(entryFile())});
    ASSERT_TRUE(validator.waitForFinished(20000)) << "desktop-file-utils is installed for this";
    EXPECT_EQ(validator.exitCode(), 0) << validator.readAll().toStdString();

    ASSERT_TRUE(doc().openDocumentFile(q(plain)));
    clickRemindBox(true);
    EXPECT_EQ(readFileBytes(entryFile()), entryText(program + " --remind " + oddArgument + " " + plain.string()));

    ASSERT_TRUE(doc().openDocumentFile(q(odd)));
    ui.dialogs.expect([](QDialog& dialog) {
        EXPECT_TRUE(dynamic_cast<CareDueDlg&>(dialog).remindAtLoginBox()->isChecked()) << "the box says what is kept";
        return int(QDialog::Rejected);
    });
    frame().action(cmd::kViewCareDue)->trigger();
    clickRemindBox(false);
    EXPECT_EQ(readFileBytes(entryFile()), entryText(program + " --remind " + plain.string()));
    ASSERT_TRUE(doc().openDocumentFile(q(plain)));
    clickRemindBox(false);
    EXPECT_FALSE(std::filesystem::exists(entryFile()));
    EXPECT_TRUE(reminded().isEmpty());
    EXPECT_TRUE(ui.prompter.calls().empty());
}

TEST_F(LoginReminderTest, AnEntryThatCannotBeWrittenOrRemovedIsSaidAndTheChoiceStays)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Momiji"}))));
    std::filesystem::create_directories(entryFile());
    ui.prompter.expect(mb::kIdOk, std::nullopt, QStringLiteral("Talvane"), mb::kOk | mb::kIconExclamation);
    clickRemindBox(false);
    ASSERT_EQ(ui.prompter.calls().size(), 1u);
    EXPECT_TRUE(ui.prompter.calls()[0].text.startsWith(QStringLiteral("The autostart entry ") +
                                                       QString::fromStdString(entryFile().string()) +
                                                       QStringLiteral(" cannot be written: ")))
        << ui.prompter.calls()[0].text.toStdString();
    EXPECT_TRUE(reminded().isEmpty());

    std::filesystem::remove_all(entryFile());
    clickRemindBox(true);
    // Something the user put there in its place, which is not Talvane's to delete.
    std::filesystem::remove(entryFile());
    std::filesystem::create_directories(entryFile() / "kept");
    ui.prompter.expect(mb::kIdOk, std::nullopt, QStringLiteral("Talvane"), mb::kOk | mb::kIconExclamation);
    clickRemindBox(true);
    EXPECT_TRUE(ui.prompter.calls().back().text.contains(QStringLiteral(" cannot be removed: ")))
        << ui.prompter.calls().back().text.toStdString();
    EXPECT_EQ(reminded(), QStringList{doc().pathName()});
}

TEST_F(LoginReminderTest, AnUntitledCollectionHasNoFileToChooseFor)
{
    ASSERT_TRUE(start());
    ui.dialogs.expect([](QDialog& dialog) {
        auto& careDue = dynamic_cast<CareDueDlg&>(dialog);
        EXPECT_FALSE(careDue.remindAtLoginBox()->isEnabled());
        EXPECT_FALSE(careDue.keepCalendarBox()->isEnabled());
        return int(QDialog::Rejected);
    });
    frame().action(cmd::kViewCareDue)->trigger();
}
