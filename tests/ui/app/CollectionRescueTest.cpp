#include "app/EarlierVersionsDlg.h"
#include "collection/CollectionFile.h"
#include "collection/RecoveryStore.h"
#include "collection/VersionStore.h"
#include "document/RecoveryKeeper.h"

#include "ui/AppFixture.h"
#include "ui/KeyboardReach.h"

#include <QTreeWidget>

#include <fstream>

namespace {

class CollectionRescueTest : public AppFixture {
protected:
    std::vector<std::string> NamesIn(const std::filesystem::path& file)
    {
        EntryList read;
        EXPECT_FALSE(LoadCollectionFile(file, read)) << file;
        std::vector<std::string> names;
        for (const auto& entry : read)
            names.emplace_back((*entry)[CBonsaiData::Name].view());
        return names;
    }

    void Rename(const std::string& name)
    {
        doc().changeFields(0, {{CBonsaiData::Name, name}}, QStringLiteral("Rename"));
    }

    // Types a change, then the program ends as a kill ends it: the work is in its recovery file.
    void CrashWithUnsavedName(const std::string& name)
    {
        Rename(name);
        app->recoveryKeeper().writeNow();
        app.reset();
    }

    // The file as a save that stopped half-way leaves it.
    static void Tear(const std::filesystem::path& file)
    {
        const auto size = std::filesystem::file_size(file);
        std::filesystem::resize_file(file, size / 2);
    }

    QString LastPrompt() const { return ui.prompter.calls().back().text; }
};

const QString kRestoreQuestion = QStringLiteral("Talvane closed before your changes to trees.tvn were saved. Restore them?");

} // namespace

TEST_F(CollectionRescueTest, RestoredWorkIsNotWrittenOverANewerCopyWithoutAsking)
{
    const auto path = MakeCollection("trees.tvn", {"Momiji", "Kifu"});
    ASSERT_TRUE(Start(Q(path)));
    CrashWithUnsavedName("Typed before the crash");
    // A sync client puts a newer copy in place before the program starts again.
    std::filesystem::rename(MakeCollection("synced.tvn", {"Synced"}), path);

    ui.prompter.expect(0, kRestoreQuestion);
    ASSERT_TRUE(Start(Q(path)));
    EXPECT_TRUE(doc().changedOnDisk());
    EXPECT_EQ(doc().entryAt(0)[CBonsaiData::Name], "Typed before the crash");

    ui.prompter.expect(2);
    EXPECT_TRUE(doc().OnFileSave());
    EXPECT_TRUE(LastPrompt().startsWith(QStringLiteral("\u201Ctrees.tvn\u201D was changed by another program")))
        << LastPrompt().toStdString();
    EXPECT_EQ(NamesIn(path), std::vector<std::string>{"Synced"}) << "the newer copy stays";
    EXPECT_TRUE(doc().pathName().contains(QStringLiteral("(conflict "))) << doc().pathName().toStdString();
    EXPECT_EQ(NamesIn(doc().pathName().toStdString())[0], "Typed before the crash");

    // Unchanged since the work was based on it: Save asks nothing.
    const auto other = MakeCollection("other.tvn", {"Ash"});
    ASSERT_TRUE(doc().openDocumentFile(Q(other)));
    CrashWithUnsavedName("Elm");
    ui.prompter.expect(0);
    ASSERT_TRUE(Start(Q(other)));
    EXPECT_FALSE(doc().changedOnDisk());
    const auto asked = ui.prompter.calls().size();
    EXPECT_TRUE(doc().OnFileSave());
    EXPECT_EQ(ui.prompter.calls().size(), asked);
    EXPECT_EQ(NamesIn(other), std::vector<std::string>{"Elm"});
}

TEST_F(CollectionRescueTest, ATornCollectionOpenedByNameOffersItsCopyItsVersionsAndUnsavedWork)
{
    const auto path = MakeCollection("trees.tvn", {"First"});
    ASSERT_TRUE(Start(Q(path)));
    Rename("Saved");
    ASSERT_TRUE(doc().OnFileSave());
    CrashWithUnsavedName("Unsaved");
    Tear(path);
    // A whole copy left by an earlier program's save, which is never put back unasked.
    std::filesystem::rename(MakeCollection("copy.tvn", {"From the copy"}), dir / ".trees.tvn.backup-Ab12Cd");

    // The copy: shown as unsaved changes of the file, which Save writes back.
    ui.prompter.expect(mb::kIdOk);
    ui.prompter.expect(0);
    ui.prompter.expect(2, kRestoreQuestion);
    ASSERT_TRUE(Start(Q(path)));
    const auto& calls = ui.prompter.calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_TRUE(calls[calls.size() - 3].text.startsWith(QStringLiteral("Cannot open the collection")));
    EXPECT_TRUE(calls[calls.size() - 2].text.startsWith(
        QStringLiteral("\u201Ctrees.tvn\u201D cannot be read. Talvane can bring it back from:")))
        << calls[calls.size() - 2].text.toStdString();
    EXPECT_EQ(ShownTexts(calls[calls.size() - 2].buttons),
              (QStringList{"Open the copy", "Earlier versions\u2026", "Restore unsaved changes", "Cancel"}));
    EXPECT_EQ(doc().pathName(), Q(path));
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(ListedNames(), QStringList{"From the copy"});
    EXPECT_TRUE(doc().OnFileSave());
    EXPECT_EQ(NamesIn(path), std::vector<std::string>{"From the copy"});

    // The unsaved work of the program that closed.
    app.reset();
    Tear(path);
    ui.prompter.expect(mb::kIdOk);
    ui.prompter.expect(2);
    ASSERT_TRUE(Start(Q(path)));
    EXPECT_EQ(ListedNames(), QStringList{"Unsaved"});
    EXPECT_TRUE(RecoveryStore(recoveryDir.path()).leftBehind().empty()) << "taken, so not offered again";

    // A kept version, chosen in the list of versions; Cancel, with nothing else, ends the start.
    app.reset();
    Tear(path);
    std::filesystem::remove(dir / ".trees.tvn.backup-Ab12Cd");
    ui.prompter.expect(mb::kIdOk);
    ui.prompter.expect(0);
    ui.dialogs.expect([](QDialog& dialog) {
        auto& versions = static_cast<EarlierVersionsDlg&>(dialog);
        versions.list().setCurrentItem(versions.list().topLevelItem(versions.list().topLevelItemCount() - 1));
        dialog.accept();
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(Start(Q(path)));
    EXPECT_EQ(ListedNames(), QStringList{"First"});
    app.reset();
    Tear(path);
    ui.prompter.expect(mb::kIdOk);
    ui.prompter.expect(1);
    EXPECT_FALSE(Start(Q(path)));
}
