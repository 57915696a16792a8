#include "ui/app/CommandIds.h"
#include "ui/app/EarlierVersionsDlg.h"
#include "core/collection/CollectionFile.h"
#include "core/collection/CollectionLock.h"
#include "core/collection/RecoveryStore.h"
#include "core/collection/VersionStore.h"
#include "ui/document/RecoveryKeeper.h"
#include "ui/editing/FormPages.h"
#include "ui/framework/RecentFileList.h"

#include "support/ui/AppFixture.h"
#include "support/ui/FindControl.h"
#include "support/ui/KeyboardReach.h"

#include <QLineEdit>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace talvane::collection;

namespace {

class SafeKeepingTest : public AppFixture {
protected:
    std::vector<std::string> namesIn(const std::filesystem::path& file)
    {
        EntryList read;
        EXPECT_FALSE(loadCollectionFile(file, read)) << file;
        std::vector<std::string> names;
        for (const auto& entry : read)
            names.emplace_back((*entry)[CBonsaiData::Name].view());
        return names;
    }

    // Another program puts a new file in place: written aside, then renamed over it.
    void replaceByRename(const std::filesystem::path& file, const std::vector<std::string>& names)
    {
        const auto aside = makeCollection("aside.tvn", names);
        std::filesystem::rename(aside, file);
    }

    // Another program writes over the file itself, as `cp` does.
    void replaceInPlace(const std::filesystem::path& file, const std::vector<std::string>& names)
    {
        const auto aside = makeCollection("aside.tvn", names);
        std::filesystem::copy_file(aside, file, std::filesystem::copy_options::overwrite_existing);
        std::filesystem::remove(aside);
    }

    void rename(const std::string& name)
    {
        doc().changeFields(0, {{CBonsaiData::Name, name}}, QStringLiteral("Rename"));
    }

    // Types a change, then the program ends as a kill ends it: the work is in its recovery file.
    void crashWithUnsavedName(const std::string& name)
    {
        rename(name);
        app->recoveryKeeper().writeNow();
        app.reset();
    }

    // The file as a save that stopped half-way leaves it.
    static void tear(const std::filesystem::path& file)
    {
        const auto size = std::filesystem::file_size(file);
        std::filesystem::resize_file(file, size / 2);
    }

    QString lastPrompt() const { return ui.prompter.calls().back().text; }
};

TEST_F(SafeKeepingTest, ASecondWindowOnALockedCollectionOpensItReadOnlyOrNotAtAll)
{
    const auto path = makeCollection("trees.tvn", {"Momiji", "Kifu"});
    ASSERT_TRUE(start(q(path)));
    ASSERT_TRUE(std::filesystem::exists(lockFilePathOf(path)));

    RecentFileList otherRecent;
    CTalvaneDoc other(ui.services(), otherRecent);
    ui.prompter.expect(mb::kIdNo);
    EXPECT_FALSE(other.openDocumentFile(q(path)));
    EXPECT_TRUE(lastPrompt().startsWith(QStringLiteral("\u201Ctrees.tvn\u201D is already open in Talvane: ")))
        << lastPrompt().toStdString();
    EXPECT_TRUE(lastPrompt().contains(QStringLiteral("process %1").arg(::getpid()))) << lastPrompt().toStdString();
    EXPECT_EQ(other.entryCount(), 0u);

    ui.prompter.expect(mb::kIdYes);
    ASSERT_TRUE(other.openDocumentFile(q(path)));
    EXPECT_TRUE(other.isReadOnly());
    other.changeFields(0, {{CBonsaiData::Name, "Theirs"}}, QStringLiteral("Rename"));
    // Save offers Save As: the holder's file is never written.
    ui.prompter.expect(0);
    ui.files.expect(q(dir / "mine.tvn"));
    EXPECT_TRUE(other.OnFileSave());
    EXPECT_EQ(namesIn(path), (std::vector<std::string>{"Momiji", "Kifu"}));
    EXPECT_EQ(namesIn(dir / "mine.tvn"), (std::vector<std::string>{"Theirs", "Kifu"}));
    EXPECT_FALSE(other.isReadOnly()) << "the copy is its own collection now";

    // The holder still saves, and its lock goes with the window.
    rename("Mine");
    EXPECT_TRUE(doc().OnFileSave());
    EXPECT_EQ(namesIn(path)[0], "Mine");
    app.reset();
    EXPECT_FALSE(std::filesystem::exists(lockFilePathOf(path)));

    // The lock of a program that is gone is taken over without a question.
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    std::ofstream(lockFilePathOf(path)) << child << "\ntalvane\n" << host << "\n\n\n";
    ASSERT_TRUE(start(q(path)));
    EXPECT_FALSE(doc().isReadOnly());
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("trees.tvn[*] - Talvane"));
}

TEST_F(SafeKeepingTest, AFileChangedOnDiskIsNeverSilentlyOverwritten)
{
    const auto path = makeCollection("trees.tvn", {"Momiji"});
    ASSERT_TRUE(start(q(path)));
    const QStringList choices{"Reload", "Overwrite", "Save conflict copy", "Cancel"};

    rename("Mine");
    replaceByRename(path, {"Theirs"});
    ui.prompter.expect(3);
    EXPECT_FALSE(doc().OnFileSave());
    EXPECT_EQ(shownTexts(ui.prompter.calls().back().buttons), choices);
    EXPECT_TRUE(lastPrompt().startsWith(QStringLiteral("\u201Ctrees.tvn\u201D was changed by another program")));
    EXPECT_EQ(namesIn(path), std::vector<std::string>{"Theirs"}) << "Cancel writes nothing";
    EXPECT_TRUE(doc().IsModified());

    // A conflict copy keeps both: theirs in the file, ours beside it, and ours goes on.
    ui.prompter.expect(2);
    EXPECT_TRUE(doc().OnFileSave());
    EXPECT_EQ(namesIn(path), std::vector<std::string>{"Theirs"});
    const auto copy = std::filesystem::path(doc().pathName().toStdString());
    EXPECT_EQ(copy.parent_path(), path.parent_path());
    EXPECT_TRUE(copy.filename().string().starts_with("trees (conflict ")) << copy;
    EXPECT_EQ(namesIn(copy), std::vector<std::string>{"Mine"});
    EXPECT_FALSE(doc().IsModified());

    // Copied over in place, then written over on purpose.
    rename("Mine again");
    replaceInPlace(copy, {"Theirs again"});
    ui.prompter.expect(1);
    EXPECT_TRUE(doc().OnFileSave());
    EXPECT_EQ(namesIn(copy), std::vector<std::string>{"Mine again"});

    // Reload: the unsaved work is offered for a conflict copy first.
    rename("Lost?");
    replaceByRename(copy, {"Newest"});
    ui.prompter.expect(0);
    ui.prompter.expect(mb::kIdYes);
    EXPECT_FALSE(doc().OnFileSave());
    EXPECT_TRUE(lastPrompt().startsWith(QStringLiteral("Save your unsaved changes as \u201C"))) << lastPrompt().toStdString();
    EXPECT_EQ(listedNames(), QStringList{"Newest"});
    EXPECT_FALSE(doc().IsModified());
    int keptCopies = 0;
    for (const auto& item : std::filesystem::directory_iterator(dir.path()))
        if (item.path().extension() == ".tvn" && namesIn(item.path()) == std::vector<std::string>{"Lost?"})
            ++keptCopies;
    EXPECT_EQ(keptCopies, 1);

    // Replacing the collection with a link to another file is refused, not followed.
    std::filesystem::remove(copy);
    const auto privateFile = makeCollection("private.tvn", {"Private"});
    std::filesystem::create_symlink(privateFile, copy);
    rename("Mine");
    ui.prompter.expect(mb::kIdOk);
    EXPECT_FALSE(doc().OnFileSave());
    EXPECT_EQ(namesIn(privateFile), std::vector<std::string>{"Private"});
}

TEST_F(SafeKeepingTest, AChangeOnDiskIsSeenWhileIdleAndACleanCollectionIsReadAgain)
{
    const auto path = makeCollection("trees.tvn", {"Momiji"});
    ASSERT_TRUE(start(q(path)));
    // Our own save is no change on disk.
    rename("Ours");
    ASSERT_TRUE(doc().OnFileSave());
    QTest::qWait(600);
    EXPECT_FALSE(doc().changedOnDisk());

    replaceByRename(path, {"Theirs"});
    EXPECT_TRUE(QTest::qWaitFor([this] { return doc().changedOnDisk(); }, 5000));
    EXPECT_EQ(frame().statusBar()->currentMessage(), QStringLiteral("\u201Ctrees.tvn\u201D was changed on disk by another program."));
    doc().resolveChangeOnDisk();
    EXPECT_EQ(listedNames(), QStringList{"Theirs"}) << "nothing unsaved: read again without a question";
    EXPECT_FALSE(doc().changedOnDisk());
}

TEST_F(SafeKeepingTest, UnsavedWorkOutlivesACrashAndGoesWithACleanSave)
{
    const auto path = makeCollection("trees.tvn", {"Momiji", "Kifu"});
    ASSERT_TRUE(start(q(path)));
    rename("Renamed");
    QTest::keyClicks(findControl<QLineEdit>(&view().plantPage(), 1022), QStringLiteral("Typed"));
    app->recoveryKeeper().writeNow();
    const RecoveryStore store(recoveryDir.path());
    ASSERT_TRUE(std::filesystem::exists(store.ownFile()));

    // The program ends without its exit question, as a crash would.
    app.reset();
    ui.prompter.expect(0, QStringLiteral("Talvane closed before your changes to trees.tvn were saved. Restore them?"),
                       QStringLiteral("Talvane"));
    ASSERT_TRUE(start(q(path)));
    EXPECT_EQ(shownTexts(ui.prompter.calls().back().buttons), (QStringList{"Restore", "Discard", "Later"}));
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(doc().pathName(), q(path));
    EXPECT_EQ(doc().entryAt(0)[CBonsaiData::Name], "Renamed");
    EXPECT_EQ(doc().entryAt(0)[CBonsaiData::Cultivar], "Typed") << "typing not yet Updated is kept too";
    EXPECT_EQ(namesIn(path)[0], "Momiji") << "the file itself waits for Save";
    EXPECT_TRUE(std::filesystem::exists(store.ownFile())) << "kept again at once";

    ASSERT_TRUE(doc().OnFileSave());
    app->recoveryKeeper().writeNow();
    EXPECT_FALSE(std::filesystem::exists(store.ownFile())) << "a clean save leaves nothing to recover";

    // SIGTERM keeps the work and asks nothing; Discard at the next start removes it.
    rename("Again");
    app->onQuitSignal();
    app.reset();
    ui.prompter.expect(1);
    ASSERT_TRUE(start(q(path)));
    EXPECT_FALSE(doc().IsModified());
    EXPECT_TRUE(store.leftBehind().empty());
}

TEST_F(SafeKeepingTest, AFailedSaveAsLeavesAnUnchangedCollectionUnmodified)
{
    const auto path = makeCollection("trees.tvn", {"Momiji"});
    ASSERT_TRUE(start(q(path)));
    ui.files.expect(q(dir / "missing" / "copy.tvn"));
    ui.prompter.expect(mb::kIdOk);
    doc().onFileSaveAs();
    EXPECT_TRUE(lastPrompt().startsWith(QStringLiteral("Cannot save the collection to"))) << lastPrompt().toStdString();
    EXPECT_FALSE(doc().IsModified());
    EXPECT_FALSE(frame().action(cmd::kFileSave)->isEnabled());
}

TEST_F(SafeKeepingTest, EarlierVersionsAreListedAndOpenAsAnUntitledCopy)
{
    const auto path = makeCollection("trees.tvn", {"First"});
    ASSERT_TRUE(start(q(path)));
    ui.prompter.expect(mb::kIdOk);
    frame().action(cmd::kFileRestoreVersion)->trigger();
    EXPECT_TRUE(lastPrompt().startsWith(QStringLiteral("No earlier version of \u201Ctrees.tvn\u201D is kept yet")));

    rename("Second");
    ASSERT_TRUE(doc().OnFileSave());
    rename("Third");
    ASSERT_TRUE(doc().OnFileSave());
    ASSERT_EQ(listVersions(path).size(), 2u);

    ui.dialogs.expect([](QDialog& dialog) {
        auto& versions = static_cast<EarlierVersionsDlg&>(dialog);
        EXPECT_EQ(versions.list().topLevelItemCount(), 2);
        EXPECT_EQ(versions.list().topLevelItem(1)->text(1), QStringLiteral("1"));
        versions.list().setCurrentItem(versions.list().topLevelItem(1));
        dialog.accept();
        return int(QDialog::Accepted);
    });
    frame().action(cmd::kFileRestoreVersion)->trigger();
    EXPECT_EQ(doc().title(), QStringLiteral("Untitled"));
    EXPECT_TRUE(doc().pathName().isEmpty());
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(listedNames(), QStringList{"First"});
    EXPECT_EQ(namesIn(path), std::vector<std::string>{"Third"});
}

const QString kRestoreQuestion = QStringLiteral("Talvane closed before your changes to trees.tvn were saved. Restore them?");

} // namespace

TEST_F(SafeKeepingTest, RestoredWorkIsNotWrittenOverANewerCopyWithoutAsking)
{
    const auto path = makeCollection("trees.tvn", {"Momiji", "Kifu"});
    ASSERT_TRUE(start(q(path)));
    crashWithUnsavedName("Typed before the crash");
    // A sync client puts a newer copy in place before the program starts again.
    std::filesystem::rename(makeCollection("synced.tvn", {"Synced"}), path);

    ui.prompter.expect(0, kRestoreQuestion);
    ASSERT_TRUE(start(q(path)));
    EXPECT_TRUE(doc().changedOnDisk());
    EXPECT_EQ(doc().entryAt(0)[CBonsaiData::Name], "Typed before the crash");

    ui.prompter.expect(2);
    EXPECT_TRUE(doc().OnFileSave());
    EXPECT_TRUE(lastPrompt().startsWith(QStringLiteral("\u201Ctrees.tvn\u201D was changed by another program")))
        << lastPrompt().toStdString();
    EXPECT_EQ(namesIn(path), std::vector<std::string>{"Synced"}) << "the newer copy stays";
    EXPECT_TRUE(doc().pathName().contains(QStringLiteral("(conflict "))) << doc().pathName().toStdString();
    EXPECT_EQ(namesIn(doc().pathName().toStdString())[0], "Typed before the crash");

    // Unchanged since the work was based on it: Save asks nothing.
    const auto other = makeCollection("other.tvn", {"Ash"});
    ASSERT_TRUE(doc().openDocumentFile(q(other)));
    crashWithUnsavedName("Elm");
    ui.prompter.expect(0);
    ASSERT_TRUE(start(q(other)));
    EXPECT_FALSE(doc().changedOnDisk());
    const auto asked = ui.prompter.calls().size();
    EXPECT_TRUE(doc().OnFileSave());
    EXPECT_EQ(ui.prompter.calls().size(), asked);
    EXPECT_EQ(namesIn(other), std::vector<std::string>{"Elm"});
}

TEST_F(SafeKeepingTest, ATornCollectionOpenedByNameOffersItsCopyItsVersionsAndUnsavedWork)
{
    const auto path = makeCollection("trees.tvn", {"First"});
    ASSERT_TRUE(start(q(path)));
    rename("Saved");
    ASSERT_TRUE(doc().OnFileSave());
    crashWithUnsavedName("Unsaved");
    tear(path);
    // A whole copy left by an earlier program's save, which is never put back unasked.
    std::filesystem::rename(makeCollection("copy.tvn", {"From the copy"}), dir / ".trees.tvn.backup-Ab12Cd");

    // The copy: shown as unsaved changes of the file, which Save writes back.
    ui.prompter.expect(mb::kIdOk);
    ui.prompter.expect(0);
    ui.prompter.expect(2, kRestoreQuestion);
    ASSERT_TRUE(start(q(path)));
    const auto& calls = ui.prompter.calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_TRUE(calls[calls.size() - 3].text.startsWith(QStringLiteral("Cannot open the collection")));
    EXPECT_TRUE(calls[calls.size() - 2].text.startsWith(
        QStringLiteral("\u201Ctrees.tvn\u201D cannot be read. Talvane can bring it back from:")))
        << calls[calls.size() - 2].text.toStdString();
    EXPECT_EQ(shownTexts(calls[calls.size() - 2].buttons),
              (QStringList{"Open the copy", "Earlier versions\u2026", "Restore unsaved changes", "Cancel"}));
    EXPECT_EQ(doc().pathName(), q(path));
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(listedNames(), QStringList{"From the copy"});
    EXPECT_TRUE(doc().OnFileSave());
    EXPECT_EQ(namesIn(path), std::vector<std::string>{"From the copy"});

    // The unsaved work of the program that closed.
    app.reset();
    tear(path);
    ui.prompter.expect(mb::kIdOk);
    ui.prompter.expect(2);
    ASSERT_TRUE(start(q(path)));
    EXPECT_EQ(listedNames(), QStringList{"Unsaved"});
    EXPECT_TRUE(RecoveryStore(recoveryDir.path()).leftBehind().empty()) << "taken, so not offered again";

    // A kept version, chosen in the list of versions; Cancel, with nothing else, ends the start.
    app.reset();
    tear(path);
    std::filesystem::remove(dir / ".trees.tvn.backup-Ab12Cd");
    ui.prompter.expect(mb::kIdOk);
    ui.prompter.expect(0);
    ui.dialogs.expect([](QDialog& dialog) {
        auto& versions = static_cast<EarlierVersionsDlg&>(dialog);
        versions.list().setCurrentItem(versions.list().topLevelItem(versions.list().topLevelItemCount() - 1));
        dialog.accept();
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(start(q(path)));
    EXPECT_EQ(listedNames(), QStringList{"First"});
    app.reset();
    tear(path);
    ui.prompter.expect(mb::kIdOk);
    ui.prompter.expect(1);
    EXPECT_FALSE(start(q(path)));
}
