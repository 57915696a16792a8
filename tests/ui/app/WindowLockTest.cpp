#include "ui/app/CommandIds.h"
#include "core/collection/CollectionLock.h"
#include "ui/document/CollectionLock.h"
#include "ui/framework/RecentFileList.h"

#include "support/ui/AppFixture.h"
#include "support/ui/KeyboardReach.h"

#include <QAction>
#include <QDateTime>

#include <chrono>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace talvane::collection;

namespace {

ino_t inodeOf(const std::filesystem::path& file)
{
    struct stat info {};
    EXPECT_EQ(::stat(file.c_str(), &info), 0) << file;
    return info.st_ino;
}

class WindowLockTest : public AppFixture {
protected:
    const PromptCall& lastPrompt() const { return ui.prompter.calls().back(); }

    RecentFileList recent;
};

} // namespace

TEST_F(WindowLockTest, ASecondWindowFindsTheCollectionLockedThroughEveryNameOfItsFile)
{
    const auto path = makeCollection("trees.tvn", {"Momiji"});
    std::filesystem::create_directory(dir / "elsewhere");
    const auto symbolicLink = dir / "elsewhere" / "shortcut.tvn";
    const auto hardLink = dir / "elsewhere" / "second.tvn";
    std::filesystem::create_symlink(path, symbolicLink);
    std::filesystem::create_hard_link(path, hardLink);
    ASSERT_TRUE(start(q(path)));

    CTalvaneDoc other(ui.services(), recent);
    for (const auto& name : {symbolicLink, hardLink}) {
        ui.prompter.expect(mb::kIdNo);
        EXPECT_FALSE(other.openDocumentFile(q(name))) << name;
        EXPECT_TRUE(lastPrompt().text.startsWith(
            QStringLiteral("\u201C%1\u201D is already open in Talvane: ").arg(q(name.filename()))))
            << lastPrompt().text.toStdString();
    }

    // A file of one name is replaced by a new one on save: the lock goes with it.
    std::filesystem::remove(hardLink);
    const ino_t before = inodeOf(path);
    doc().changeFields(0, {{CBonsaiData::Name, "Renamed in"}}, QStringLiteral("Rename"));
    ASSERT_TRUE(doc().OnFileSave());
    ASSERT_NE(inodeOf(path), before);
    std::filesystem::create_hard_link(path, hardLink);
    ui.prompter.expect(mb::kIdNo);
    EXPECT_FALSE(other.openDocumentFile(q(hardLink)));

    // Closed, the file opens for writing through any name.
    app.reset();
    ASSERT_TRUE(other.openDocumentFile(q(hardLink)));
    EXPECT_FALSE(other.isReadOnly());
    EXPECT_TRUE(ui.prompter.allAnswered());
}

TEST_F(WindowLockTest, ALockLeftOnAnotherComputerSaysWhoAndWhenAndCanBeTakenOver)
{
    const auto path = makeCollection("trees.tvn", {"Momiji"});
    const auto lockFile = lockFilePathOf(path);
    const std::string foreign = "4321\ntalvane\nfar-away\nmachine\nboot\n";
    writeFileBytes(lockFile, foreign);
    std::filesystem::last_write_time(lockFile,
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(3 * 24 + 1));
    const QString user = QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name);

    CTalvaneDoc first(ui.services(), recent);
    ui.prompter.expect(2);
    EXPECT_FALSE(first.openDocumentFile(q(path))) << "Cancel opens nothing";
    EXPECT_EQ(shownTexts(lastPrompt().buttons), (QStringList{"Open read-only", "Take over", "Cancel"}));
    EXPECT_TRUE(lastPrompt().text.startsWith(
        QStringLiteral("\u201Ctrees.tvn\u201D is open in Talvane on another computer: %1 on far-away (talvane, "
                       "process 4321) since ")
            .arg(user)))
        << lastPrompt().text.toStdString();
    EXPECT_TRUE(lastPrompt().text.contains(QStringLiteral(", 3 days ago.\n\n"))) << lastPrompt().text.toStdString();
    ui.prompter.expect(0);
    ASSERT_TRUE(first.openDocumentFile(q(path)));
    EXPECT_TRUE(first.isReadOnly());

    // Take over is warned about; No leaves everything as it was.
    CTalvaneDoc second(ui.services(), recent);
    ui.prompter.expect(1);
    ui.prompter.expect(mb::kIdNo);
    EXPECT_FALSE(second.openDocumentFile(q(path)));
    EXPECT_TRUE(lastPrompt().text.startsWith(QStringLiteral("Take the lock of \u201Ctrees.tvn\u201D over from %1 on "
                                                            "far-away")
                                                 .arg(user)));
    EXPECT_EQ(lastPrompt().flags, mb::kYesNo | mb::kIconExclamation);
    EXPECT_EQ(readFileBytes(lockFile), foreign);

    // A lock its holder still holds (a shared disk that passes locks on) cannot be taken.
    {
        FileDescriptor held(::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC));
        ASSERT_EQ(::flock(held.get(), LOCK_EX), 0);
        ui.prompter.expect(1);
        ui.prompter.expect(mb::kIdYes);
        ui.prompter.expect(mb::kIdOk);
        EXPECT_FALSE(second.openDocumentFile(q(path)));
        EXPECT_TRUE(lastPrompt().text.startsWith(
            QStringLiteral("The lock of \u201Ctrees.tvn\u201D could not be taken over: it is held by %1 on far-away")
                .arg(user)))
            << lastPrompt().text.toStdString();
        EXPECT_EQ(readFileBytes(lockFile), foreign);
    }

    // Taken over: the lock names this program.
    ui.prompter.expect(1);
    ui.prompter.expect(mb::kIdYes);
    ASSERT_TRUE(second.openDocumentFile(q(path)));
    EXPECT_FALSE(second.isReadOnly());
    const auto holder = liveLockHolder(path);
    ASSERT_TRUE(holder);
    EXPECT_TRUE(isThisProcess(*holder)) << describeLockHolder(*holder);
    EXPECT_TRUE(ui.prompter.allAnswered());

    // Ages as the question gives them, a clock ahead of this one's included.
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    const std::pair<qint64, QString> ages[] = {
        {3 * 86400 + 60, "3 days ago"}, {3600 + 5, "1 hour ago"}, {10, "less than a minute ago"}, {-300, "less than a minute ago"}};
    for (const auto& [age, text] : ages)
        EXPECT_EQ(lockAgeText(LockHolder{1, "talvane", "far-away", "user", now - age}), text) << age;
}

TEST_F(WindowLockTest, AReadOnlyWindowSaysSoTakesEditsAndOffersSaveAs)
{
    const auto path = makeCollection("trees.tvn", {"Momiji"});
    CTalvaneDoc holder(ui.services(), recent);
    ASSERT_TRUE(holder.openDocumentFile(q(path)));
    ui.prompter.expect(mb::kIdYes);
    ASSERT_TRUE(start(q(path)));
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("trees.tvn (read-only)[*] - Talvane"));
    doc().changeFields(0, {{CBonsaiData::Name, "Mine"}}, QStringLiteral("Rename"));
    EXPECT_TRUE(frame().isWindowModified());

    // Save says why it cannot; Cancel keeps the edits, Save As takes them to a file of their own.
    ui.prompter.expect(1, QStringLiteral("\u201Ctrees.tvn\u201D is open read-only: another Talvane is editing it.\n"
                                         "Save your changes under another name with Save As."));
    frame().action(cmd::kFileSave)->trigger();
    EXPECT_EQ(shownTexts(lastPrompt().buttons), (QStringList{"Save As\u2026", "Cancel"}));
    EXPECT_TRUE(frame().isWindowModified());
    ui.prompter.expect(0);
    ui.files.expect(q(dir / "mine.tvn"));
    frame().action(cmd::kFileSave)->trigger();
    EXPECT_FALSE(frame().isWindowModified());
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("mine.tvn[*] - Talvane"));
}
