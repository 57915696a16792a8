#include "core/collection/CollectionFile.h"
#include "core/collection/RecoveryStore.h"
#include "core/collection/TreeIdentity.h"
#include "core/journal/Journal.h"
#include "ui/document/EntryViewLink.h"
#include "ui/document/RecoveryKeeper.h"
#include "ui/document/TalvaneDoc.h"
#include "ui/framework/AppSettings.h"
#include "ui/framework/RecentFileList.h"

#include "support/core/TempDir.h"
#include "support/ui/ScriptedUiServices.h"

#include <QDir>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace talvane::collection;

namespace {

// Stands in for the entry view: records what the document asks of it and when it
// resets itself, and can hold an edit made on the pages that OfferToKeepChanges keeps
// when answered Yes.
class FakeView : public EntryViewLink {
public:
    explicit FakeView(CTalvaneDoc& doc, ScriptedPrompter& prompter) : m_doc(doc), m_prompter(prompter)
    {
        QObject::connect(&doc, &CTalvaneDoc::entriesReset, &m_listener, [this] {
            calls.push_back("ResetEntries");
            pendingEdit = false;
        });
    }

    long resetCount() const { return std::count(calls.begin(), calls.end(), "ResetEntries"); }
    void CommitCurrentEntry() override
    {
        calls.push_back("CommitCurrentEntry");
        keepEdit();
    }
    void OfferToKeepChanges() override
    {
        calls.push_back("OfferToKeepChanges");
        if (pendingEdit && m_prompter.ask(QStringLiteral("Do you wish to update the change(s)\nyou made on the previous entry?"),
                                          QStringLiteral("Attention"), 0x24) == mb::kIdYes) {
            keepEdit();
            m_doc.SetModifiedFlag();
        }
    }
    std::optional<KeptPageEdits> askPageEditsToKeep() override
    {
        calls.push_back("askPageEditsToKeep");
        return std::nullopt;
    }
    bool hasPageEdits() const override { return pendingEdit; }
    void ReadPagesIntoEntry(CBonsaiData& entry) const override
    {
        if (pendingEdit)
            entry[CBonsaiData::Name] = editedName;
    }
    void showChangeBesidePageEdits(const std::function<std::string(const std::string&)>& merged) override
    {
        calls.push_back("showChangeBesidePageEdits");
        pageJournal = merged(pageJournal);
    }

    std::vector<std::string> calls;
    bool pendingEdit = false;
    std::string editedName;
    std::string pageJournal;

private:
    void keepEdit()
    {
        if (pendingEdit && m_doc.entryCount() > 0)
            m_doc.changeFields(0, {{CBonsaiData::Name, editedName}}, QStringLiteral("Update"));
        pendingEdit = false;
    }

    CTalvaneDoc& m_doc;
    ScriptedPrompter& m_prompter;
    QObject m_listener;
};

QString q(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

const QString kAttention = QStringLiteral("Attention");

class TalvaneDocTest : public ::testing::Test {
protected:
    TalvaneDocTest()
    {
        appSettings().clear();
        recent = std::make_unique<RecentFileList>();
        doc = std::make_unique<CTalvaneDoc>(ui.services(), *recent);
        view = std::make_unique<FakeView>(*doc, ui.prompter);
        doc->setView(view.get());
    }

    void addEntry(const std::string& name)
    {
        auto entry = std::make_unique<CBonsaiData>();
        (*entry)[CBonsaiData::Name] = name;
        doc->addEntry(std::move(entry));
    }

    // A file of the given entry names, written as the program writes it.
    std::filesystem::path makeCollection(const std::string& file, std::initializer_list<const char*> names)
    {
        EntryList entries;
        for (const char* name : names) {
            entries.push_back(std::make_unique<CBonsaiData>());
            (*entries.back())[CBonsaiData::Name] = name;
            (*entries.back())[100] = "spare text";
        }
        const auto path = dir / file;
        EXPECT_FALSE(saveCollectionFile(path, entries));
        return path;
    }

    std::vector<std::string> entryNames() const
    {
        std::vector<std::string> names;
        for (const auto& entry : doc->entries())
            names.emplace_back((*entry)[CBonsaiData::Name]);
        return names;
    }

    TempDir dir;
    ScriptedUiServices ui;
    std::unique_ptr<RecentFileList> recent;
    std::unique_ptr<CTalvaneDoc> doc;
    std::unique_ptr<FakeView> view;
};

using NameList = std::vector<std::string>;

} // namespace

TEST_F(TalvaneDocTest, NewCollectionIsUntitledAndSaveIsDisabledUntilModified)
{
    EXPECT_EQ(doc->title(), QStringLiteral("Untitled"));
    EXPECT_FALSE(doc->OnUpdateFileSave());
    addEntry("Maple");
    EXPECT_TRUE(doc->OnUpdateFileSave());
}

TEST_F(TalvaneDocTest, NewOnAModifiedUntitledCollectionAnsweredYesThenCancelledKeepsIt)
{
    addEntry("Maple");
    ui.prompter.expect(mb::kIdYes, QStringLiteral("Do you wish to save this file:\nUntitled"), kAttention, 0x34);
    ui.files.expect(std::nullopt);
    doc->OnFileNew();

    ASSERT_EQ(ui.files.calls().size(), 1u);
    const FileRequest& request = ui.files.calls()[0].request;
    EXPECT_TRUE(ui.files.calls()[0].save);
    EXPECT_EQ(request.initialName, QStringLiteral("*.tvn"));
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("tvn"));
    EXPECT_TRUE(request.nameFilters.isEmpty());
    EXPECT_TRUE(request.confirmOverwrite);
    // The save the user asked for did not happen: the collection stays.
    EXPECT_EQ(entryNames(), NameList{"Maple"});
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(view->calls.front(), "OfferToKeepChanges");
}

TEST_F(TalvaneDocTest, NewAnsweredYesSavesThenEmpties)
{
    addEntry("Maple");
    const auto path = dir / "first.tvn";
    ui.prompter.expect(mb::kIdYes);
    ui.files.expect(q(path));
    doc->OnFileNew();

    EntryList saved;
    ASSERT_FALSE(loadCollectionFile(path, saved));
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ((*saved[0])[CBonsaiData::Name], "Maple");
    EXPECT_TRUE(doc->entries().empty());
    EXPECT_EQ(doc->title(), QStringLiteral("Untitled"));
    EXPECT_TRUE(doc->pathName().isEmpty());
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(TalvaneDocTest, NewAnsweredNoDiscardsAndAnUnmodifiedCollectionAsksNothing)
{
    addEntry("Maple");
    ui.prompter.expect(mb::kIdNo);
    doc->OnFileNew();
    EXPECT_TRUE(doc->entries().empty());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(view->resetCount(), 1) << "New resets the view once";

    doc->OnFileNew();
    EXPECT_EQ(ui.prompter.calls().size(), 1u);
    EXPECT_EQ(view->resetCount(), 2);
}

TEST_F(TalvaneDocTest, KeptPageEditsCountAsModifications)
{
    addEntry("Maple");
    doc->SetModifiedFlag(false);
    view->pendingEdit = true;
    view->editedName = "Acer";
    ui.prompter.expect(mb::kIdYes, QStringLiteral("Do you wish to update the change(s)\nyou made on the previous entry?"));
    ui.prompter.expect(mb::kIdNo, QStringLiteral("Do you wish to save this file:\nUntitled"));
    doc->OnFileNew();
    EXPECT_TRUE(doc->entries().empty());
}

TEST_F(TalvaneDocTest, SaveAfterOpenWritesToTheOpenedPathWhateverTheCurrentFolder)
{
    const auto path = makeCollection("trees.tvn", {"Pine", "Elm"});
    ASSERT_TRUE(doc->openDocumentFile(q(path)));
    EXPECT_EQ(doc->title(), QStringLiteral("trees.tvn"));
    EXPECT_EQ(doc->pathName(), q(path));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(view->calls.back(), "ResetEntries");
    EXPECT_EQ(entryNames(), (NameList{"Pine", "Elm"}));

    const QString previous = QDir::currentPath();
    std::filesystem::create_directory(dir / "elsewhere");
    QDir::setCurrent(q(dir / "elsewhere"));
    addEntry("Juniper");
    EXPECT_TRUE(doc->OnFileSave());
    QDir::setCurrent(previous);

    EXPECT_FALSE(std::filesystem::exists(dir / "elsewhere" / "trees.tvn"));
    EntryList saved;
    ASSERT_FALSE(loadCollectionFile(path, saved));
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_EQ((*saved[2])[CBonsaiData::Name], "Juniper");
    EXPECT_EQ((*saved[0])[100], "spare text");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_NE(std::find(view->calls.begin(), view->calls.end(), "CommitCurrentEntry"), view->calls.end());
}

TEST_F(TalvaneDocTest, SavingAnUntitledCollectionAsksOnceThenSavesInPlace)
{
    addEntry("Maple");
    const auto path = dir / "new.tvn";
    ui.files.expect(q(path));
    EXPECT_TRUE(doc->OnFileSave());
    EXPECT_EQ(doc->title(), QStringLiteral("new.tvn"));
    EXPECT_EQ(doc->pathName(), q(path));
    EXPECT_EQ(recent->files(), QStringList{q(path)});

    addEntry("Pine");
    EXPECT_TRUE(doc->OnFileSave());
    EXPECT_EQ(ui.files.calls().size(), 1u);
    EntryList saved;
    ASSERT_FALSE(loadCollectionFile(path, saved));
    EXPECT_EQ(saved.size(), 2u);
}

TEST_F(TalvaneDocTest, AFailedSaveKeepsTheOldFileAndTheModifiedFlag)
{
    const auto path = makeCollection("trees.tvn", {"Pine"});
    ASSERT_TRUE(doc->openDocumentFile(q(path)));
    const std::string before = readFileBytes(path);
    addEntry("Juniper");
    doc->changeFields(doc->entryCount() - 1, {{CBonsaiData::History, std::string(200000, 'h')}}, QStringLiteral("Update"));

    ui.prompter.expect(mb::kIdOk, QStringLiteral("Cannot save the collection to \"%1\":\nFile too large.\n"
                                                 "The file on disk was not changed.").arg(q(path)),
                       QStringLiteral("Talvane"), 0x30);
    const bool saved = [&] {
        const FileSizeLimit full(8192);
        return doc->OnFileSave();
    }();

    EXPECT_FALSE(saved);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(readFileBytes(path), before);
}

TEST_F(TalvaneDocTest, ExitAsksOnlyWhenModifiedAndStaysOpenWhenTheSaveDidNotHappen)
{
    EXPECT_TRUE(doc->SaveBeforeExit());
    EXPECT_TRUE(ui.prompter.calls().empty());

    addEntry("Maple");
    const QString question = QStringLiteral("Do you wish to save this file before exiting:\nUntitled");
    ui.prompter.expect(mb::kIdYes, question, kAttention, 0x24);
    ui.files.expect(std::nullopt);
    EXPECT_FALSE(doc->SaveBeforeExit());
    EXPECT_TRUE(doc->IsModified());

    ui.prompter.expect(mb::kIdNo, question, kAttention, 0x24);
    EXPECT_TRUE(doc->SaveBeforeExit());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(doc->SaveModified()) << "the framework's own question no longer appears";
    EXPECT_EQ(ui.prompter.calls().size(), 2u);
}

TEST_F(TalvaneDocTest, OpenOffersToKeepPageEditsBeforeTheSaveQuestion)
{
    const auto first = makeCollection("first.tvn", {"Pine"});
    const auto second = makeCollection("second.tvn", {"Elm"});
    ASSERT_TRUE(doc->openDocumentFile(q(first)));
    view->pendingEdit = true;
    view->editedName = "Pinus";
    ui.prompter.expect(mb::kIdYes, QStringLiteral("Do you wish to update the change(s)\nyou made on the previous entry?"));
    ui.prompter.expect(mb::kIdYes, QStringLiteral("Save changes to first.tvn?"), QStringLiteral("Talvane"), 0x33);
    ui.files.expect(q(second));
    doc->OnFileOpen();

    EXPECT_EQ(entryNames(), NameList{"Elm"});
    EntryList saved;
    ASSERT_FALSE(loadCollectionFile(first, saved));
    EXPECT_EQ((*saved[0])[CBonsaiData::Name], "Pinus");
    EXPECT_EQ(ui.files.calls()[0].request.nameFilters.front(), QStringLiteral("Talvane Files (*.tvn)"));
}

TEST_F(TalvaneDocTest, CancelAtTheSaveQuestionKeepsTheCollection)
{
    const auto first = makeCollection("first.tvn", {"Pine"});
    ASSERT_TRUE(doc->openDocumentFile(q(first)));
    addEntry("Elm");
    ui.prompter.expect(mb::kIdCancel);
    EXPECT_FALSE(doc->openDocumentFile(q(makeCollection("second.tvn", {"Oak"}))));
    EXPECT_EQ(entryNames(), (NameList{"Pine", "Elm"}));
    EXPECT_EQ(doc->title(), QStringLiteral("first.tvn"));
}

TEST_F(TalvaneDocTest, AFailedOpenKeepsTheOpenCollectionAsItWas)
{
    const auto first = makeCollection("first.tvn", {"Pine", "Elm", "Oak"});
    const std::string firstBytes = readFileBytes(first);
    writeFileBytes(dir / "truncated.tvn", firstBytes.substr(0, firstBytes.size() - 3));
    std::filesystem::create_directory(dir / "folder.tvn");
    const std::filesystem::path bad[] = {dir / "missing.tvn", dir / "folder.tvn", dir / "truncated.tvn"};

    for (const auto& path : bad) {
        for (bool edited : {false, true}) {
            ASSERT_TRUE(doc->openDocumentFile(q(first)));
            view->calls.clear();
            if (edited) {
                addEntry("Juniper");
                ui.prompter.expect(mb::kIdNo, QStringLiteral("Save changes to first.tvn?"));
            }
            ui.prompter.expect(mb::kIdOk, std::nullopt, QStringLiteral("Talvane"), 0x30);
            EXPECT_FALSE(doc->openDocumentFile(q(path)));
            EXPECT_EQ(ui.prompter.calls().back().text.left(25), QStringLiteral("Cannot open the collectio"));
            EXPECT_EQ(doc->title(), QStringLiteral("first.tvn")) << path;
            EXPECT_EQ(doc->pathName(), q(first));
            EXPECT_EQ(doc->IsModified(), edited);
            const NameList expected = edited ? NameList{"Pine", "Elm", "Oak", "Juniper"} : NameList{"Pine", "Elm", "Oak"};
            EXPECT_EQ(entryNames(), expected);
            EXPECT_EQ(view->resetCount(), 0) << "the pages keep what they show";
            EXPECT_FALSE(recent->files().contains(q(path)));
            EXPECT_EQ(readFileBytes(first), firstBytes);
            if (edited) {
                ui.prompter.expect(mb::kIdNo);
                EXPECT_TRUE(doc->SaveBeforeExit());
            }
        }
    }
    EXPECT_TRUE(ui.prompter.allAnswered());
}

TEST_F(TalvaneDocTest, RecentFilesAreAbsoluteNewestFirstAtMostFourAndSurviveARestart)
{
    const QString previous = QDir::currentPath();
    std::filesystem::create_directory(dir / "saved");
    QDir::setCurrent(q(dir / "saved"));
    addEntry("Maple");
    ui.files.expect(QStringLiteral("relative.tvn"));
    EXPECT_TRUE(doc->OnFileSave());
    std::filesystem::create_directory(dir / "third");
    QDir::setCurrent(q(dir / "third"));

    // The first document lets go of the file, as a program that ended would.
    doc->OnNewDocument();
    RecentFileList restarted;
    ASSERT_EQ(restarted.files(), QStringList{q(dir / "saved" / "relative.tvn")});
    CTalvaneDoc another(ui.services(), restarted);
    EXPECT_TRUE(another.openDocumentFile(restarted.files().front()));
    ASSERT_EQ(another.entryCount(), 1u);
    QDir::setCurrent(previous);

    for (const char* name : {"a.tvn", "b.tvn", "c.tvn", "d.tvn"})
        ASSERT_TRUE(doc->openDocumentFile(q(makeCollection(name, {"x"}))));
    EXPECT_EQ(recent->files(), (QStringList{q(dir / "d.tvn"), q(dir / "c.tvn"), q(dir / "b.tvn"), q(dir / "a.tvn")}));

    // A file that went away is dropped from the list when it fails to open.
    std::filesystem::remove(dir / "c.tvn");
    ui.prompter.expect(mb::kIdOk);
    doc->onOpenRecentFile(q(dir / "c.tvn"));
    EXPECT_EQ(recent->files(), (QStringList{q(dir / "d.tvn"), q(dir / "b.tvn"), q(dir / "a.tvn")}));
    EXPECT_EQ(RecentFileList().files(), recent->files());
}

TEST_F(TalvaneDocTest, SaveAsTakesTheNewFileAsTheCollectionsFile)
{
    const auto first = makeCollection("first.tvn", {"Pine"});
    ASSERT_TRUE(doc->openDocumentFile(q(first)));
    const auto copy = dir / "copy.tvn";
    ui.files.expect(q(copy));
    doc->onFileSaveAs();
    EXPECT_EQ(doc->title(), QStringLiteral("copy.tvn"));
    EXPECT_EQ(doc->pathName(), q(copy));
    EXPECT_EQ(readFileBytes(copy), readFileBytes(first));
    EXPECT_EQ(ui.files.calls()[0].request.nameFilters, QStringList{QStringLiteral("Talvane Files (*.tvn)")});
    EXPECT_TRUE(ui.files.calls()[0].request.confirmOverwrite);
}

// Trees of an older file get identifiers only as part of a change the user makes:
// an untouched file saves as it was read, and Undo takes the identifier away again.
TEST_F(TalvaneDocTest, AnOlderTreeIsIdentifiedByItsFirstChangeAndNeverByOpenAndSave)
{
    const std::string copied = "0f8fad5b-d9cb-469f-a165-70867728950e";
    const auto path = makeCollection("trees.tvn", {"Pine", "Copy", "Foreign", "Plain"});
    {
        EntryList entries;
        ASSERT_FALSE(loadCollectionFile(path, entries));
        (*entries[0])[kTreeIdField] = copied;
        (*entries[1])[kTreeIdField] = copied;
        (*entries[2])[kTreeIdField] = "id from another program";
        ASSERT_FALSE(saveCollectionFile(path, entries));
    }
    const std::string before = readFileBytes(path);
    ASSERT_TRUE(doc->openDocumentFile(q(path)));
    EXPECT_FALSE(doc->OnUpdateFileSave());
    EXPECT_TRUE(doc->OnFileSave());
    EXPECT_EQ(readFileBytes(path), before) << "opening and saving gives no tree an identifier";

    const auto idOf = [&](std::size_t position) { return std::string(doc->entryAt(position)[kTreeIdField]); };
    for (std::size_t position = 0; position < 4; ++position)
        EXPECT_TRUE(doc->changeFields(position, {{CBonsaiData::History, "repotted"}}, QStringLiteral("Update")));
    EXPECT_EQ(idOf(0), copied) << "the first of two trees with one identifier keeps it";
    EXPECT_TRUE(isWellFormedTreeId(idOf(1)));
    EXPECT_NE(idOf(1), copied);
    EXPECT_EQ(idOf(2), "id from another program") << "a text that is not an identifier is kept";
    EXPECT_TRUE(isWellFormedTreeId(idOf(3)));
    EXPECT_EQ(findTree(doc->entries(), copied), std::optional<std::size_t>(0));
    EXPECT_EQ(doc->ensureTreeId(2), std::nullopt);
    EXPECT_EQ(doc->ensureTreeId(3), idOf(3)) << "a tree that has one keeps it";

    const std::size_t steps = doc->history().count();
    doc->history().undo();
    EXPECT_EQ(idOf(3), "") << "Undo takes the identifier away with the change";
    EXPECT_EQ(doc->entryAt(3)[CBonsaiData::History], "");
    doc->history().redo();
    EXPECT_EQ(doc->history().count(), steps);
    EXPECT_TRUE(doc->OnFileSave());
    EntryList saved;
    ASSERT_FALSE(loadCollectionFile(path, saved));
    for (std::size_t position = 0; position < 4; ++position)
        EXPECT_EQ((*saved[position])[kTreeIdField], idOf(position)) << position;
}

TEST_F(TalvaneDocTest, EveryReplacementOfTheEntriesIsAnnouncedOnceAndComplete)
{
    // What a listener finds when told: the path, the current entry, the modified state.
    struct Seen {
        QString path;
        std::optional<std::size_t> current;
        bool modified;
        bool operator==(const Seen&) const = default;
    };
    std::vector<Seen> seen;
    QObject::connect(doc.get(), &CTalvaneDoc::entriesReset, doc.get(),
                     [&] { seen.push_back({doc->pathName(), doc->currentPosition(), doc->IsModified()}); });
    const auto first = makeCollection("first.tvn", {"Pine", "Elm"});
    ASSERT_TRUE(doc->openDocumentFile(q(first)));
    ui.prompter.expect(mb::kIdOk);
    EXPECT_FALSE(doc->openDocumentFile(q(dir / "missing.tvn")));
    doc->setCurrentPosition(1);
    doc->OnFileNew();

    EntryList recovered;
    recovered.push_back(std::make_unique<CBonsaiData>());
    (*recovered[0])[CBonsaiData::Name] = "Recovered";
    const RecoveryStore store(dir / "recovery");
    RecoveryRecord record;
    record.collectionPath = first.string();
    ASSERT_FALSE(store.write(record, writeCollection(recovered)));
    record.file = store.ownFile();
    ASSERT_TRUE(doc->restoreRecovered(record));
    EXPECT_EQ(entryNames(), NameList{"Recovered"});
    ui.prompter.expect(mb::kIdNo, QStringLiteral("Do you wish to save this file:\nfirst.tvn"));
    doc->OnFileNew();
    ASSERT_TRUE(doc->openAsUntitledCopy(q(first)));

    EXPECT_EQ(seen, (std::vector<Seen>{{q(first), 0, false},
                                       {QString(), std::nullopt, false},
                                       {q(first), 0, true},
                                       {QString(), std::nullopt, false},
                                       {QString(), 0, true}}));
    EXPECT_EQ(view->resetCount(), 5);
    EXPECT_TRUE(ui.prompter.allAnswered());
}

TEST_F(TalvaneDocTest, ModifiedIsTheHistoryAwayFromTheStateLastSaved)
{
    QSignalSpy changes(doc.get(), &CDocument::modifiedChanged);
    addEntry("Maple");
    doc->SetModifiedFlag();
    doc->history().undo();
    EXPECT_FALSE(doc->IsModified()) << "marking a modified collection keeps the state of its file";
    doc->SetModifiedFlag();
    EXPECT_TRUE(doc->IsModified()) << "unsaved work without a step";
    addEntry("Pine");
    doc->history().undo();
    EXPECT_TRUE(doc->IsModified()) << "no state of the history is that of the file any more";
    ui.files.expect(q(dir / "saved.tvn"));
    ASSERT_TRUE(doc->OnFileSave());
    EXPECT_FALSE(doc->IsModified());
    doc->history().redo();
    EXPECT_TRUE(doc->OnUpdateFileSave());
    doc->history().undo();
    EXPECT_FALSE(doc->OnUpdateFileSave());

    std::vector<bool> told;
    for (const QList<QVariant>& change : changes)
        told.push_back(change.at(0).toBool());
    EXPECT_EQ(told, (std::vector<bool>{true, false, true, false, true, false})) << "each change told once";
}

TEST_F(TalvaneDocTest, CareOnManyTreesIsOneStepBesideThePageEditsThatUndoTakesBackWhole)
{
    using namespace talvane::journal;
    const CareEvent wired{CalendarDate::fromText("2027-03-01").value(), CareKind::Wiring, std::nullopt, {}, "apex", {}, {}, {}};
    const CareEvent watered{CalendarDate::fromText("2027-07-14").value(), CareKind::Watering, std::nullopt, {}, "heat", {}, {}, {}};
    const auto path = makeCollection("trees.tvn", {"Maple", "Pine", "Elm", "Oak", "Ash", "Yew", "Fir", "Box", "Fig",
                                                   "Gum", "Ivy", "Bay", "Tea", "Olive", "Foreign"});
    {
        EntryList entries;
        ASSERT_FALSE(loadCollectionFile(path, entries));
        Journal pine = Journal::read("");
        pine.add(wired);
        (*entries[1])[kJournalField] = pine.text();
        (*entries[14])[kJournalField] = "another program's notes";
        ASSERT_FALSE(saveCollectionFile(path, entries));
    }
    ASSERT_TRUE(doc->openDocumentFile(q(path)));
    doc->setCurrentPosition(1);
    const auto fieldsOfEveryTree = [&] {
        std::vector<std::string> fields;
        for (const auto& entry : doc->entries())
            fields.insert(fields.end(), {std::string((*entry)[kJournalField]), std::string((*entry)[kTreeIdField])});
        return fields;
    };
    const std::vector<std::string> before = fieldsOfEveryTree();
    // The Journal tab of the Pine holds an event not yet applied.
    view->pageJournal = before[2] + "\r\n2027-07-01\tNote\t\t\tpage edit";
    const int steps = doc->history().count();

    std::vector<std::size_t> positions{1};
    for (std::size_t tree = 0; tree < 14; ++tree)
        positions.push_back(tree);
    ASSERT_TRUE(doc->logCareOnTrees(positions, watered));
    EXPECT_EQ(doc->history().count(), steps + 1);
    EXPECT_EQ(doc->history().undoText(), QStringLiteral("Log Watering on 14 trees"));
    const std::string line = "\r\n2027-07-14\tWatering\t\t\theat";
    for (std::size_t tree = 0; tree < 14; ++tree) {
        EXPECT_EQ(std::string(doc->entryAt(tree)[kJournalField]), (tree == 1 ? before[2] : "TVJ1") + line) << tree;
        EXPECT_TRUE(isWellFormedTreeId(doc->entryAt(tree)[kTreeIdField])) << "identified in the same step: " << tree;
    }
    EXPECT_EQ(std::string(doc->entryAt(14)[kJournalField]), "another program's notes");
    EXPECT_EQ(view->pageJournal, before[2] + "\r\n2027-07-01\tNote\t\t\tpage edit" + line)
        << "the tab shown takes the event beside its edit";
    EXPECT_EQ(std::count(view->calls.begin(), view->calls.end(), "showChangeBesidePageEdits"), 1);
    EXPECT_EQ(doc->currentPosition(), std::optional<std::size_t>(1)) << "the window stays where it was";
    const std::vector<std::string> after = fieldsOfEveryTree();

    doc->history().undo();
    EXPECT_EQ(fieldsOfEveryTree(), before) << "every journal and identifier byte for byte";
    doc->history().redo();
    EXPECT_EQ(fieldsOfEveryTree(), after);

    ui.prompter.expect(mb::kIdOk,
                       QStringLiteral("The journal of \u201CForeign\u201D was written by another program and is kept as it "
                                      "is; no tree was logged."),
                       kAttention);
    EXPECT_FALSE(doc->logCareOnTrees({0, 14}, watered));
    EXPECT_EQ(doc->history().count(), steps + 1);
    EXPECT_EQ(fieldsOfEveryTree(), after) << "a refused care changes no tree";
    EXPECT_TRUE(ui.prompter.allAnswered());

    ASSERT_TRUE(doc->logCareOnTrees({3}, {watered.date, CareKind::Protection, std::nullopt, {}, {}, {}, {}, {}}));
    EXPECT_EQ(doc->history().undoText(), QStringLiteral("Log Protection on 1 tree"));
}

TEST_F(TalvaneDocTest, SaveFromTheMenuWritesTheCollectionAsChosenAndLeavesLaterEditsToTheNextSave)
{
    const auto path = makeCollection("trees.tvn", {"Pine", "Elm"});
    ASSERT_TRUE(doc->openDocumentFile(q(path)));
    doc->changeFields(0, {{CBonsaiData::Name, "Black pine"}}, QStringLiteral("Rename"));
    const std::string chosen = writeCollection(doc->entries());

    doc->startFileSave();
    // Whenever the write ends, these edits are not in it.
    doc->changeFields(0, {{CBonsaiData::Name, "Red pine"}}, QStringLiteral("Rename"));
    doc->removeEntry(1);
    EXPECT_TRUE(doc->isSaving() || readFileBytes(path) == chosen);
    doc->settleSave();

    EXPECT_FALSE(doc->isSaving());
    EXPECT_EQ(readFileBytes(path), chosen);
    EXPECT_EQ(entryNames(), NameList{"Red pine"});
    EXPECT_TRUE(doc->IsModified());
    // Undoing back to what the file holds still counts as unsaved: only a save says what it holds.
    doc->history().undo();
    doc->history().undo();
    EXPECT_TRUE(doc->IsModified());
    doc->history().redo();
    doc->history().redo();

    // A Save asked for while one runs follows it.
    doc->startFileSave();
    doc->changeFields(0, {{CBonsaiData::Name, "Scots pine"}}, QStringLiteral("Rename"));
    doc->startFileSave();
    while (doc->isSaving())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(readFileBytes(path), writeCollection(doc->entries()));
    // The file the save wrote is the collection's: no change on disk is seen in it.
    EXPECT_FALSE(doc->changedOnDisk());
    EXPECT_TRUE(ui.prompter.calls().empty());
}

TEST_F(TalvaneDocTest, ASaveFromTheMenuThatFailsIsSaidAsAnySaveIsAndChangesNothing)
{
    const auto path = makeCollection("trees.tvn", {"Pine"});
    ASSERT_TRUE(doc->openDocumentFile(q(path)));
    const std::string before = readFileBytes(path);
    doc->changeFields(0, {{CBonsaiData::History, std::string(200000, 'h')}}, QStringLiteral("Update"));
    ui.prompter.expect(mb::kIdOk, QStringLiteral("Cannot save the collection to \"%1\":\nFile too large.\n"
                                                 "The file on disk was not changed.").arg(q(path)),
                       QStringLiteral("Talvane"), 0x30);
    {
        const FileSizeLimit full(8192);
        doc->startFileSave();
        doc->settleSave();
    }
    EXPECT_TRUE(ui.prompter.allAnswered());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(readFileBytes(path), before);
}

TEST_F(TalvaneDocTest, TheRecoveryCopyIsTheCollectionAsShownWhenItWasTaken)
{
    const auto path = makeCollection("trees.tvn", {"Pine", "Elm", "Oak"});
    ASSERT_TRUE(doc->openDocumentFile(q(path)));
    doc->setCurrentPosition(1);
    view->pendingEdit = true;
    view->editedName = "Wych elm";
    const BytePieces pieces = doc->unsavedPieces();
    std::string expected;
    {
        EntryList shown = doc->entries();
        auto edited = copyEntry(*shown[1]);
        (*edited)[CBonsaiData::Name] = "Wych elm";
        expected = writeCollection(shown, 1, *edited);
    }

    // What happens after it was taken, while another thread makes its bytes, is not in it.
    doc->changeFields(1, {{CBonsaiData::Name, "Field elm"}}, QStringLiteral("Rename"));
    doc->removeEntry(0);
    view->editedName = "English oak";

    std::string bytes;
    EXPECT_TRUE(pieces([&](std::string_view piece) {
        bytes += piece;
        return true;
    }));
    EXPECT_EQ(bytes, expected);
}

TEST_F(TalvaneDocTest, ALargeCollectionOpensOnItsOwnThreadAndComesWholeAndOnce)
{
    std::vector<std::string> names;
    EntryList written;
    for (int i = 0; i < 3000; ++i) {
        names.push_back("Tree " + std::to_string(i));
        written.push_back(std::make_unique<CBonsaiData>());
        (*written.back())[CBonsaiData::Name] = names.back();
    }
    const auto path = dir / "nursery.tvn";
    ASSERT_FALSE(saveCollectionFile(path, written));
    doc->setLoadAloneFrom(1);
    QSignalSpy appended(doc.get(), &CTalvaneDoc::entriesAppended);

    ASSERT_TRUE(doc->openDocumentFile(q(path)));
    EXPECT_GE(doc->entryCount(), 1u);
    EXPECT_EQ(doc->currentPosition(), 0u) << "the first tree shows at once";
    EXPECT_EQ(doc->title(), QStringLiteral("nursery.tvn"));
    doc->settleLoad();

    EXPECT_FALSE(doc->isLoading());
    EXPECT_EQ(entryNames(), names);
    // The batches follow what the open took in, one after the other, to the last entry.
    std::size_t next = appended.empty() ? 3000 : appended.front().at(0).value<std::size_t>();
    EXPECT_GE(next, 1u);
    for (const auto& batch : appended) {
        EXPECT_EQ(batch.at(0).value<std::size_t>(), next);
        next += batch.at(1).value<std::size_t>();
    }
    EXPECT_EQ(next, 3000u);
    EXPECT_EQ(view->resetCount(), 1);
    EXPECT_FALSE(doc->IsModified());
    ASSERT_TRUE(doc->baseline().has_value()) << "the file's baseline comes with its last entry";

    doc->changeFields(2999, {{CBonsaiData::Name, "Last"}}, QStringLiteral("Rename"));
    EXPECT_TRUE(doc->OnFileSave());
    EXPECT_TRUE(ui.prompter.calls().empty()) << "the save finds the file as it was read";
}

TEST_F(TalvaneDocTest, ALargeFileFoundDamagedPastItsFirstTreesIsSaidAndLeavesAnEmptyCollection)
{
    EntryList written;
    for (int i = 0; i < 3000; ++i) {
        written.push_back(std::make_unique<CBonsaiData>());
        (*written.back())[CBonsaiData::Name] = "Tree " + std::to_string(i);
    }
    std::string bytes = writeCollection(written);
    // Entry 2001 refers to an unknown class: the trees before it read well.
    const std::size_t at = writeCollection(EntryList(written.begin(), written.begin() + 2000)).size();
    ASSERT_EQ(bytes.substr(at, 2), std::string("\x01\x80", 2));
    bytes[at] = '\x02';
    const auto path = dir / "damaged.tvn";
    writeFileBytes(path, bytes);
    doc->setLoadAloneFrom(1);
    QSignalSpy failed(doc.get(), &CTalvaneDoc::openFailed);
    ui.prompter.expect(mb::kIdOk, QStringLiteral("Cannot open the collection \"%1\":\nit is not a valid Talvane "
                                                 "collection (entry 2001: an entry refers to an unknown class).")
                                      .arg(q(path)),
                       QStringLiteral("Talvane"), 0x30);

    ASSERT_TRUE(doc->openDocumentFile(q(path)));
    doc->settleLoad();

    EXPECT_TRUE(ui.prompter.allAnswered());
    EXPECT_TRUE(doc->entries().empty());
    EXPECT_EQ(doc->title(), QStringLiteral("Untitled"));
    EXPECT_TRUE(doc->pathName().isEmpty());
    EXPECT_FALSE(doc->IsModified());
    ASSERT_EQ(failed.size(), 1);
    EXPECT_EQ(failed.front().at(0).toString(), q(path));
    EXPECT_FALSE(recent->files().contains(q(path)));
    EXPECT_EQ(readFileBytes(path), bytes);
}

TEST_F(TalvaneDocTest, ASaveOrARecoveryCopyWhileALargeCollectionIsStillComingTakesItWhole)
{
    EntryList written;
    for (int i = 0; i < 5000; ++i) {
        written.push_back(std::make_unique<CBonsaiData>());
        (*written.back())[CBonsaiData::Name] = "Tree " + std::to_string(i);
    }
    const auto path = dir / "nursery.tvn";
    ASSERT_FALSE(saveCollectionFile(path, written));
    doc->setLoadAloneFrom(1);
    RecoveryKeeper keeper(*doc, RecoveryStore(dir / "recovery"));

    ASSERT_TRUE(doc->openDocumentFile(q(path)));
    doc->changeFields(0, {{CBonsaiData::Name, "First"}}, QStringLiteral("Rename"));
    if (doc->isLoading()) {
        keeper.writeNow();
        EXPECT_FALSE(std::filesystem::exists(keeper.store().ownFile())) << "half a collection is no copy of it";
    }
    doc->startFileSave();
    doc->settleSave();
    EXPECT_FALSE(doc->isLoading());
    ASSERT_EQ(doc->entryCount(), 5000u);
    EXPECT_EQ(doc->entryAt(0)[CBonsaiData::Name], "First");
    EXPECT_EQ(doc->entryAt(4999)[CBonsaiData::Name], "Tree 4999");
    EXPECT_TRUE(readFileBytes(path) == writeCollection(doc->entries()));

    doc->changeFields(1, {{CBonsaiData::Name, "Second"}}, QStringLiteral("Rename"));
    keeper.writeNow();
    const std::string kept = readFileBytes(keeper.store().ownFile());
    const std::string whole = writeCollection(doc->entries());
    EXPECT_TRUE(kept.size() > whole.size() && kept.substr(kept.size() - whole.size()) == whole);
    keeper.discard();
}
