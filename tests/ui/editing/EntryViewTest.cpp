#include "ui/album/PhotoAlbumPage.h"
#include "core/collection/CollectionFile.h"
#include "core/collection/TreeIdentity.h"
#include "ui/editing/FormPages.h"
#include "ui/editing/NewEntryDlg.h"
#include "ui/editing/PageTransfer.h"
#include "core/guide/GuideEspece.h"

#include "support/ui/AppFixture.h"
#include "support/ui/FindControl.h"
#include "support/ui/KeyboardReach.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolTip>
#include <QTest>
#include <QImage>

using namespace talvane::collection;

namespace {

const QString kAttention = QStringLiteral("Attention");

class EntryViewTest : public AppFixture {
protected:
    QLineEdit* edit(QWidget& page, int id) { return findControl<QLineEdit>(&page, id); }
    QComboBox* combo(QWidget& page, int id) { return findControl<QComboBox>(&page, id); }
    QRadioButton* radio(int id) { return findControl<QRadioButton>(&view().plantPage(), id); }

    // Answers the New entry dialog with a name and a species (index) or typed botanical name.
    void answerNewEntry(const QString& name, int speciesIndex, const QString& typed = QString())
    {
        ui.dialogs.expect([=](QDialog& dialog) {
            auto& newEntry = static_cast<CNewEntryDlg&>(dialog);
            newEntry.nameEdit()->setText(name);
            if (speciesIndex >= 0)
                newEntry.botanicalNameBox()->setCurrentIndex(speciesIndex);
            else
                newEntry.botanicalNameBox()->setEditText(typed);
            newEntry.accept();
            return int(QDialog::Accepted);
        });
    }

    std::string field(std::size_t entry, std::size_t field) const { return std::string(doc().entryAt(entry)[field]); }
};

} // namespace

TEST_F(EntryViewTest, WalkingEntriesUntouchedAsksNothing)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Maple", "Maple", "Pine"}, [](CBonsaiData& e, std::size_t i) {
        e[CBonsaiData::History] = "History " + std::to_string(i);
        e[CBonsaiData::IntExt] = i == 2 ? "1" : "0";
    }))));
    EXPECT_EQ(listedNames(), (QStringList{"Maple", "Maple", "Pine"})) << "equal names are two entries";
    chooseEntry(1);
    EXPECT_EQ(doc().currentPosition(), 1u);
    EXPECT_EQ(findControl<QTextEdit>(&view().transformationPage(), 1019)->toPlainText(), QStringLiteral("History 1"));
    chooseEntry(2);
    EXPECT_TRUE(radio(1057)->isChecked());
    chooseEntry(0);
    EXPECT_TRUE(radio(1056)->isChecked());
    EXPECT_TRUE(ui.prompter.calls().empty());
    EXPECT_FALSE(doc().IsModified());
}

TEST_F(EntryViewTest, AnEditIsKeptOnYesAndDroppedOnNo)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Maple", "Pine"}))));
    edit(view().purchasePage(), 1009)->setText(QStringLiteral("80"));
    ui.prompter.expect(mb::kIdNo, kKeepChanges, kAttention, 0x24);
    chooseEntry(1);
    EXPECT_EQ(field(0, CBonsaiData::PricePaid), "");
    EXPECT_FALSE(doc().IsModified());
    EXPECT_EQ(edit(view().purchasePage(), 1009)->text(), QString()) << "the next entry is loaded over the edit";

    edit(view().purchasePage(), 1009)->setText(QStringLiteral("95"));
    ui.prompter.expect(mb::kIdYes, kKeepChanges, kAttention, 0x24);
    chooseEntry(0);
    EXPECT_EQ(field(1, CBonsaiData::PricePaid), "95");
    EXPECT_TRUE(doc().IsModified());
    EXPECT_TRUE(frame().action(57603)->isEnabled());
}

TEST_F(EntryViewTest, AnIntExtTextOtherThanARadioIndexStaysUntilAButtonIsChosen)
{
    const char* values[] = {"01", "x", "2", "", "99999999999999999999", "-1"};
    const auto path = makeCollection("odd.tvn", {"01", "x", "2", "empty", "huge", "none"},
                                     [&](CBonsaiData& e, std::size_t i) { e[CBonsaiData::IntExt] = values[i]; });
    const std::string before = readFileBytes(path);
    ASSERT_TRUE(start(q(path)));
    EXPECT_FALSE(doc().IsModified());
    // The buttons show the number the text begins with: Interior, Exterior or neither.
    const char shown[] = "EI-I--";
    for (int i = 0; i < 6; ++i) {
        chooseEntry(i);
        EXPECT_EQ(radio(1056)->isChecked() ? 'I' : radio(1057)->isChecked() ? 'E' : '-', shown[i]) << values[i];
    }
    chooseEntry(0);
    EXPECT_TRUE(ui.prompter.calls().empty()) << "leaving an untouched tree asks nothing";
    EXPECT_FALSE(doc().IsModified());
    EXPECT_TRUE(doc().OnFileSave());
    EXPECT_EQ(readFileBytes(path), before);

    // Updating another field keeps the text, by Update or by the question.
    edit(view().plantPage(), 1022)->setText(QStringLiteral("Deshojo"));
    view().OnEntryUpdate();
    chooseEntry(1);
    edit(view().purchasePage(), 1009)->setText(QStringLiteral("40"));
    ui.prompter.expect(mb::kIdYes, kKeepChanges);
    chooseEntry(4);
    view().CommitCurrentEntry();
    EXPECT_EQ(field(0, CBonsaiData::Cultivar), "Deshojo");
    EXPECT_EQ(field(1, CBonsaiData::PricePaid), "40");
    for (int i : {0, 1, 4})
        EXPECT_EQ(field(i, CBonsaiData::IntExt), values[i]) << values[i];

    // A button chosen writes its index, even the one already checked.
    chooseEntry(1);
    radio(1056)->click();
    EXPECT_TRUE(view().hasPageEdits());
    ui.prompter.expect(mb::kIdYes, kKeepChanges);
    chooseEntry(2);
    radio(1057)->click();
    view().OnEntryUpdate();
    EXPECT_TRUE(doc().OnFileSave());
    EntryList saved;
    ASSERT_FALSE(loadCollectionFile(path, saved));
    const char* stored[] = {"01", "0", "1", "", "99999999999999999999", "-1"};
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ((*saved[i])[CBonsaiData::IntExt], stored[i]) << values[i];
}

TEST_F(EntryViewTest, AddMakesAnEntryFromTheGuideOrFromTheTypedName)
{
    auto record = std::make_unique<CGuideEspece>();
    record->m_strNomBotanique = "Acer palmatum";
    record->m_strNomFrancais = "\xC9rable du Japon";
    record->m_strPosition = "Half shade.";
    record->m_strCulture = "5";
    record->m_nIntExtCode = 1;
    g_speciesGuide.push_back(std::move(record));
    ASSERT_TRUE(start());

    ui.dialogs.expect([](QDialog& dialog) { dialog.reject(); return int(QDialog::Rejected); });
    view().OnEntryAdd();
    EXPECT_TRUE(doc().entries().empty());
    EXPECT_FALSE(doc().IsModified());

    answerNewEntry(QString(), 0);
    ui.prompter.expect(mb::kIdOk, QStringLiteral("Please enter a name or an ID number.\nTry again ..."),
                       QStringLiteral("Error ..."), 0x30);
    view().OnEntryAdd();
    EXPECT_TRUE(doc().entries().empty());
    EXPECT_EQ(ui.dialogs.callCount(), 2) << "the dialog is not shown again";

    answerNewEntry(QStringLiteral("Tree 1"), 0);
    view().OnEntryAdd();
    ASSERT_EQ(doc().entryCount(), 1u);
    EXPECT_EQ(field(0, CBonsaiData::Name), "Tree 1");
    EXPECT_EQ(field(0, CBonsaiData::BotanicalName), "Acer palmatum");
    EXPECT_EQ(field(0, CBonsaiData::FrenchName), "\xC9rable du Japon");
    EXPECT_EQ(field(0, CBonsaiData::NeedPosition), "Half shade.");
    EXPECT_EQ(field(0, CBonsaiData::RustZone), "5");
    EXPECT_EQ(field(0, CBonsaiData::IntExt), "1");
    EXPECT_TRUE(radio(1057)->isChecked());
    EXPECT_EQ(listedNames(), QStringList{"Tree 1"});
    EXPECT_EQ(bar().entryList()->currentIndex(), 0);
    EXPECT_TRUE(doc().IsModified());
    EXPECT_TRUE(view().sheet()->isEnabled());
    EXPECT_TRUE(bar().deleteButton()->isEnabled());

    view().sheet()->setCurrentIndex(3);
    answerNewEntry(QStringLiteral("Tree 2"), -1, QStringLiteral("Acer palmatum"));
    view().OnEntryAdd();
    ASSERT_EQ(doc().entryCount(), 2u);
    EXPECT_EQ(field(1, CBonsaiData::BotanicalName), "Acer palmatum");
    EXPECT_EQ(field(1, CBonsaiData::FrenchName), "") << "a typed name does not choose a species";
    EXPECT_EQ(field(1, CBonsaiData::IntExt), "-1");
    EXPECT_EQ(bar().entryList()->currentIndex(), 1);
    EXPECT_EQ(view().sheet()->currentIndex(), 0) << "the plant page comes to the front";
    for (std::size_t i = 0; i < CBonsaiData::kFieldCount; ++i) {
        if (i != CBonsaiData::Name && i != CBonsaiData::BotanicalName && i != CBonsaiData::IntExt &&
            i != kTreeIdField) {
            EXPECT_EQ(field(1, i), "") << i;
        }
    }
    // Each tree added has an identifier of its own.
    EXPECT_TRUE(isWellFormedTreeId(field(1, kTreeIdField))) << field(1, kTreeIdField);
    EXPECT_EQ(treeIdAt(doc().entries(), 1), field(1, kTreeIdField));
    EXPECT_NE(field(0, kTreeIdField), field(1, kTreeIdField));
}

TEST_F(EntryViewTest, DeleteSelectsTheNeighbourAndEmptiesAtTheEnd)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"A", "B", "C", "D"}))));
    ui.prompter.expect(mb::kIdCancel, QStringLiteral("< A > will be delete from the list !!!"), kAttention, 0x21);
    view().OnEntryDelete();
    EXPECT_EQ(listedNames().size(), 4);
    EXPECT_FALSE(doc().IsModified());

    chooseEntry(3);
    ui.prompter.expect(mb::kIdOk, QStringLiteral("< D > will be delete from the list !!!"));
    view().OnEntryDelete();
    EXPECT_EQ(listedNames(), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(bar().entryList()->currentIndex(), 2) << "the new last item";
    EXPECT_EQ(doc().currentPosition(), 2u);
    EXPECT_TRUE(doc().IsModified());

    chooseEntry(1);
    ui.prompter.expect(mb::kIdOk);
    view().OnEntryDelete();
    EXPECT_EQ(listedNames(), (QStringList{"A", "C"}));
    EXPECT_EQ(bar().entryList()->currentIndex(), 1) << "the item that moved into its place";
    EXPECT_EQ(doc().currentPosition(), 1u);

    ui.prompter.expect(mb::kIdOk);
    view().OnEntryDelete();
    ui.prompter.expect(mb::kIdOk);
    view().OnEntryDelete();
    EXPECT_TRUE(doc().entries().empty());
    EXPECT_EQ(doc().currentEntry(), nullptr);
    EXPECT_EQ(bar().entryList()->count(), 0);
    EXPECT_FALSE(view().sheet()->isEnabled());
    EXPECT_FALSE(bar().deleteButton()->isEnabled());
    EXPECT_FALSE(bar().updateButton()->isEnabled());
}

TEST_F(EntryViewTest, DeletingEditedEntriesLeavesNoDanglingEntry)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"A", "B", "C"}))));
    chooseEntry(1);
    edit(view().purchasePage(), 1009)->setText(QStringLiteral("edited"));
    ui.prompter.expect(mb::kIdOk, QStringLiteral("< B > will be delete from the list !!!"));
    view().OnEntryDelete();
    EXPECT_EQ(listedNames(), (QStringList{"A", "C"}));
    edit(view().purchasePage(), 1009)->setText(QStringLiteral("edited again"));
    ui.prompter.expect(mb::kIdOk, QStringLiteral("< C > will be delete from the list !!!"));
    view().OnEntryDelete();
    ui.prompter.expect(mb::kIdOk, QStringLiteral("< A > will be delete from the list !!!"));
    view().OnEntryDelete();
    EXPECT_TRUE(doc().entries().empty());

    answerNewEntry(QStringLiteral("Fresh"), -1, QStringLiteral("Ulmus"));
    view().OnEntryAdd();
    ASSERT_EQ(doc().entryCount(), 1u);
    EXPECT_EQ(field(0, CBonsaiData::PricePaid), "");
    EXPECT_EQ(ui.prompter.calls().size(), 3u) << "only the deletions were asked about";
}

TEST_F(EntryViewTest, UpdateCopiesThePagesAndMarksModifiedEvenWithoutChange)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"A"}))));
    view().OnEntryUpdate();
    EXPECT_TRUE(doc().IsModified());
    edit(view().maintenancePage(), 1025)->setText(QStringLiteral("Every two years"));
    view().OnEntryUpdate();
    EXPECT_EQ(field(0, CBonsaiData::Repotting), "Every two years");
}

TEST_F(EntryViewTest, EditsOnPagesTravelIntoTheFileWithSpareFieldsUntouched)
{
    const auto path = makeCollection("trees.tvn", {"Maple", "Pine"}, [](CBonsaiData& e, std::size_t i) {
        for (std::size_t f = 0; f < CBonsaiData::kFieldCount; ++f) {
            if (CBonsaiData::isSpare(f))
                e[f] = "spare " + std::to_string(i) + "/" + std::to_string(f);
        }
        e[CBonsaiData::IntExt] = "0";
        e[CBonsaiData::Photo1] = "a.bmp";
        e[CBonsaiData::Photo1Description] = "Spring";
    });
    ui.prompter.expect(mb::kIdOk);  // the album has no a.bmp, said once the window is up
    ASSERT_TRUE(start(q(path)));
    QApplication::processEvents();
    edit(view().plantPage(), 1028)->setText(QStringLiteral("Momiji \u00E9t\u00E9"));
    radio(1057)->setChecked(true);
    findControl<QTextEdit>(&view().speciesPage(), 1030)->setPlainText(QStringLiteral("6.5"));
    EXPECT_TRUE(doc().OnFileSave());

    EntryList expected;
    std::string error;
    ASSERT_TRUE(readCollection(readFileBytes(path), expected, error));
    (*expected[0])[CBonsaiData::CommonName] = "Momiji \xE9t\xE9";
    (*expected[0])[CBonsaiData::IntExt] = "1";
    (*expected[0])[CBonsaiData::PH] = "6.5";
    EXPECT_EQ((*expected[0])[CBonsaiData::Photo1Description], "Spring");
    EXPECT_EQ((*expected[1])[75], "spare 1/75");
    EXPECT_EQ(readFileBytes(path), writeCollection(expected));
}

TEST_F(EntryViewTest, AnOverLongValueFromTheFileBlocksNothing)
{
    const std::string date(57, '7');
    const auto path = makeCollection("long.tvn", {"A", "B"}, [&](CBonsaiData& e, std::size_t i) {
        if (i == 0)
            e[CBonsaiData::PurchaseDate] = date;
        else
            e[CBonsaiData::ShapingStyle] = std::string(35, 's');
    });
    ASSERT_TRUE(start(q(path)));
    edit(view().plantPage(), 1022)->setText(QStringLiteral("Deshojo"));
    view().OnEntryUpdate();
    EXPECT_TRUE(doc().OnFileSave());
    EntryList saved;
    ASSERT_FALSE(loadCollectionFile(path, saved));
    EXPECT_EQ((*saved[0])[CBonsaiData::PurchaseDate], date);
    EXPECT_EQ((*saved[0])[CBonsaiData::Cultivar], "Deshojo");

    chooseEntry(1);
    const std::string before = readFileBytes(path);
    EXPECT_TRUE(doc().OnFileSave());
    EXPECT_EQ(readFileBytes(path), before);
    EXPECT_TRUE(doc().SaveBeforeExit());
    EXPECT_TRUE(ui.prompter.calls().empty());
}

TEST_F(EntryViewTest, EveryByteInEveryControlComesBackUntouched)
{
    std::string bytes;
    for (int b = 1; b < 256; ++b)
        bytes += static_cast<char>(b);
    const std::string breaks = "one\ntwo\rthree\r\nfour\xA0" "five\n";
    const auto path = makeCollection("bytes.tvn", {"A", "B"}, [&](CBonsaiData& e, std::size_t i) {
        for (std::size_t field : pageFields())
            e[field] = (i == 0 ? bytes : breaks) + std::to_string(field);
        e[CBonsaiData::IntExt] = "1";
        for (std::size_t k = 0; k < CBonsaiData::kPhotoSlots; ++k)
            e[CBonsaiData::photoField(k)].clear();  // the album would try to show them
    });
    const std::string before = readFileBytes(path);
    ASSERT_TRUE(start(q(path)));
    chooseEntry(1);
    chooseEntry(0);
    EXPECT_TRUE(ui.prompter.calls().empty()) << "nothing was changed, so nothing is asked";
    EXPECT_TRUE(doc().OnFileSave());
    EXPECT_EQ(readFileBytes(path), before);
}

TEST_F(EntryViewTest, EditableListsKeepValuesThatOnlyResembleAnItem)
{
    const auto path = makeCollection("lists.tvn", {"A", "B", "C"}, [](CBonsaiData& e, std::size_t i) {
        if (i == 0)
            e[CBonsaiData::PurchaseStyle] = "Cascade";
        if (i == 1)
            e[CBonsaiData::ShapingStyle] = "cascade (kengai)";
        if (i == 2)
            e[CBonsaiData::Source] = "Nurs";
    });
    const std::string before = readFileBytes(path);
    ASSERT_TRUE(start(q(path)));
    EXPECT_EQ(combo(view().purchasePage(), 1012)->currentText(), QStringLiteral("Cascade"));
    chooseEntry(1);
    EXPECT_EQ(combo(view().transformationPage(), 1016)->currentText(), QStringLiteral("cascade (kengai)"));
    chooseEntry(2);
    chooseEntry(0);
    EXPECT_TRUE(ui.prompter.calls().empty());
    EXPECT_TRUE(doc().OnFileSave());
    EXPECT_EQ(readFileBytes(path), before);
}

TEST_F(EntryViewTest, ActivatingTheWindowLeavesTheFocusOnThePageControl)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"A"}))));
    QApplication::setActiveWindow(&frame());
    QLineEdit* cultivar = edit(view().plantPage(), 1022);
    cultivar->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), cultivar);

    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QApplication::processEvents();
    QApplication::setActiveWindow(&frame());
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), cultivar);
}

TEST_F(EntryViewTest, NewAndOpenResetTheView)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"A", "B"}))));
    doc().OnFileNew();
    EXPECT_EQ(bar().entryList()->count(), 0);
    EXPECT_EQ(doc().currentEntry(), nullptr);
    EXPECT_FALSE(view().sheet()->isEnabled());
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("Untitled[*] - Talvane"));
    EXPECT_FALSE(frame().isWindowModified());

    ASSERT_TRUE(doc().openDocumentFile(q(dir / "trees.tvn")));
    EXPECT_EQ(listedNames(), (QStringList{"A", "B"}));
    EXPECT_TRUE(view().hasCurrentEntry());
}

TEST_F(EntryViewTest, TypingEnablesSaveMarksTheTitleAndChoosingTheShownEntryAsksNothing)
{
    const auto path = makeCollection("trees.tvn", {"Maple", "Pine"});
    ASSERT_TRUE(start(q(path)));
    QAction* save = frame().action(57603);
    EXPECT_FALSE(save->isEnabled());
    EXPECT_FALSE(frame().isWindowModified());

    QTest::keyClicks(edit(view().plantPage(), 1022), QStringLiteral("Deshojo"));
    EXPECT_TRUE(save->isEnabled());
    EXPECT_TRUE(frame().isWindowModified());
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("trees.tvn[*] - Talvane"));

    chooseEntry(0);
    EXPECT_TRUE(ui.prompter.calls().empty()) << "the entry shown is chosen again";
    EXPECT_EQ(edit(view().plantPage(), 1022)->text(), QStringLiteral("Deshojo")) << "and the typing stays";

    save->trigger();
    // The file is written on a thread of its own: its end is taken here.
    doc().settleSave();
    EXPECT_TRUE(ui.prompter.calls().empty());
    EntryList saved;
    ASSERT_FALSE(loadCollectionFile(path, saved));
    EXPECT_EQ((*saved[0])[CBonsaiData::Cultivar], "Deshojo");
    EXPECT_FALSE(save->isEnabled());
    EXPECT_FALSE(frame().isWindowModified());
}

// The bytes of the collection as it stands, as a save would write them.
std::string bytes(const CTalvaneDoc& doc)
{
    return writeCollection(doc.entries());
}

TEST_F(EntryViewTest, UndoWalksEveryStepBackToTheFileAndRedoWalksForwardAgain)
{
    QImage picture(20, 10, QImage::Format_RGB888);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(q(dir / "Album" / "leaf.bmp"), "BMP"));
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Momiji", "Pine"}, [](CBonsaiData& e, std::size_t i) {
        e[100] = "spare " + std::to_string(i);
    }))));
    QAction* undo = frame().action(57643);
    QAction* redo = frame().action(57644);
    EXPECT_FALSE(undo->isEnabled());
    std::vector<std::string> states{bytes(doc())};
    std::vector<QString> names;
    const auto step = [&](const std::function<void()>& change) {
        change();
        states.push_back(bytes(doc()));
        names.push_back(shownText(undo->text()));
    };

    step([&] {
        answerNewEntry(QStringLiteral("Kifu 3"), -1, QStringLiteral("Acer"));
        view().OnEntryAdd();
    });
    step([&] {
        edit(view().plantPage(), 1022)->setText(QStringLiteral("Seigen"));
        view().OnEntryUpdate();
    });
    step([&] {
        ui.files.expect(q(dir / "Album" / "leaf.bmp"));
        ui.dialogs.expect([](QDialog& dialog) { dialog.accept(); return int(QDialog::Accepted); });
        view().albumPage().OnPictureAdd();
    });
    step([&] {
        ui.prompter.expect(mb::kIdOk);
        view().albumPage().OnPictureDelete();
    });
    step([&] {
        chooseEntry(0);
        ui.prompter.expect(mb::kIdOk);
        view().OnEntryDelete();
    });
    step([&] {
        ui.dialogs.expect([](QDialog& dialog) {
            dialog.findChild<QLineEdit*>()->setText(QStringLiteral("Pinus"));
            dialog.accept();
            return int(QDialog::Accepted);
        });
        frame().action(32775)->trigger();
    });
    EXPECT_EQ(names, (std::vector<QString>{QStringLiteral("Undo Add \u201CKifu 3\u201D"),
                                           QStringLiteral("Undo Update \u201CKifu 3\u201D"), QStringLiteral("Undo Add photo"),
                                           QStringLiteral("Undo Delete photo"), QStringLiteral("Undo Delete \u201CMomiji\u201D"),
                                           QStringLiteral("Undo Rename \u201CPine\u201D")}));
    EXPECT_EQ(listedNames(), (QStringList{"Pinus", "Kifu 3"}));

    for (std::size_t k = states.size() - 1; k-- > 0;) {
        undo->trigger();
        ASSERT_EQ(bytes(doc()), states[k]) << "after undoing to state " << k;
    }
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(doc().IsModified()) << "back to the file as read";
    EXPECT_EQ(listedNames(), (QStringList{"Momiji", "Pine"}));
    EXPECT_EQ(shownText(redo->text()), QStringLiteral("Redo Add \u201CKifu 3\u201D"));
    for (std::size_t k = 1; k < states.size(); ++k) {
        redo->trigger();
        ASSERT_EQ(bytes(doc()), states[k]) << "after redoing to state " << k;
    }
    EXPECT_EQ(listedNames(), (QStringList{"Pinus", "Kifu 3"}));
    EXPECT_EQ(bar().entryList()->currentIndex(), 0) << "the renamed entry is shown";
    EXPECT_EQ(ui.prompter.calls().size(), 2u);
    EXPECT_EQ(ui.dialogs.callCount(), 3);
}

TEST_F(EntryViewTest, TheModifiedFlagFollowsTheHistoryAcrossASave)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"A", "B", "C"}))));
    ui.prompter.expect(mb::kIdOk);
    view().OnEntryDelete();
    doc().OnFileSave();
    ui.prompter.expect(mb::kIdOk);
    view().OnEntryDelete();
    EXPECT_TRUE(frame().isWindowModified());

    frame().action(57643)->trigger();
    EXPECT_FALSE(doc().IsModified()) << "back at the state last saved";
    EXPECT_FALSE(frame().isWindowModified());
    EXPECT_TRUE(doc().SaveBeforeExit()) << "and the exit asks nothing";
    frame().action(57643)->trigger();
    EXPECT_TRUE(doc().IsModified()) << "before the save";
    EXPECT_EQ(listedNames(), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(bar().entryList()->currentIndex(), 0);
}

TEST_F(EntryViewTest, UndoAndRedoKeepingPageEditsTakeExactlyTheStepTheMenuNamed)
{
    QImage picture(20, 10, QImage::Format_RGB888);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(q(dir / "Album" / "leaf.bmp"), "BMP"));
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Momiji", "Pine"}))));
    QAction* undo = frame().action(57643);
    QAction* redo = frame().action(57644);
    QLineEdit* subspecies = edit(view().plantPage(), 1020);
    QLineEdit* price = edit(view().purchasePage(), 1009);
    const auto step = [](const char* verb, const char* name) { return QStringLiteral("%1 \u201C%2\u201D").arg(verb, name); };
    const auto answer = [&](int button) { ui.prompter.expect(button, kKeepChanges, kAttention, 0x24); };

    ui.files.expect(q(dir / "Album" / "leaf.bmp"));
    ui.dialogs.expect([](QDialog& dialog) { dialog.accept(); return int(QDialog::Accepted); });
    view().albumPage().OnPictureAdd();
    subspecies->setText(QStringLiteral("Seigen"));
    EXPECT_EQ(shownText(undo->text()), QStringLiteral("Undo Add photo"));
    answer(mb::kIdYes);
    undo->trigger();
    EXPECT_EQ(field(0, CBonsaiData::Photo1), "");
    EXPECT_EQ(view().albumPage().pictureList()->count(), 0);
    EXPECT_EQ(field(0, CBonsaiData::Type), "Seigen");
    EXPECT_EQ(subspecies->text(), QStringLiteral("Seigen"));
    EXPECT_EQ(shownText(undo->text()), step("Undo Update", "Momiji"));
    undo->trigger();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(doc().IsModified());

    // Undoing a deletion puts an entry before the one edited: the edits still go to Pine.
    ui.prompter.expect(mb::kIdOk);
    view().OnEntryDelete();
    price->setText(QStringLiteral("45"));
    answer(mb::kIdYes);
    undo->trigger();
    EXPECT_EQ(listedNames(), (QStringList{"Momiji", "Pine"}));
    EXPECT_EQ(field(1, CBonsaiData::PricePaid), "45");
    EXPECT_EQ(doc().currentPosition(), 0u) << "the entry the undo brought back is shown";
    EXPECT_EQ(shownText(undo->text()), step("Undo Update", "Pine"));

    price->setText(QStringLiteral("50"));
    answer(mb::kIdNo);
    undo->trigger();
    EXPECT_EQ(field(0, CBonsaiData::PricePaid), "");
    EXPECT_EQ(field(1, CBonsaiData::PricePaid), "");
    EXPECT_EQ(shownText(redo->text()), step("Redo Update", "Pine"));

    edit(view().plantPage(), 1022)->setText(QStringLiteral("Kotohime"));
    answer(mb::kIdYes);
    redo->trigger();
    EXPECT_EQ(field(1, CBonsaiData::PricePaid), "45");
    undo->trigger();
    EXPECT_EQ(field(1, CBonsaiData::Cultivar), "") << "the kept edits are a step of their own";
    EXPECT_EQ(field(1, CBonsaiData::PricePaid), "45");

    // Undoing the Add of the entry edited: the edits leave with it and come back with it.
    answerNewEntry(QStringLiteral("Kifu"), -1, QStringLiteral("Acer"));
    view().OnEntryAdd();
    subspecies->setText(QStringLiteral("Yatsubusa"));
    answer(mb::kIdYes);
    undo->trigger();
    EXPECT_EQ(listedNames(), (QStringList{"Momiji", "Pine"}));
    EXPECT_EQ(shownText(redo->text()), step("Redo Add", "Kifu"));
    redo->trigger();
    EXPECT_EQ(shownText(redo->text()), step("Redo Update", "Kifu"));
    redo->trigger();
    EXPECT_EQ(field(2, CBonsaiData::Type), "Yatsubusa");

    // Redoing the Delete of the entry edited: the edits go with it, and Undo brings both back.
    ui.prompter.expect(mb::kIdOk);
    view().OnEntryDelete();
    undo->trigger();
    price->setText(QStringLiteral("12"));
    answer(mb::kIdYes);
    redo->trigger();
    EXPECT_EQ(listedNames(), (QStringList{"Momiji", "Pine"}));
    EXPECT_EQ(shownText(undo->text()), step("Undo Delete", "Kifu"));
    undo->trigger();
    EXPECT_EQ(field(2, CBonsaiData::PricePaid), "12");
    EXPECT_EQ(shownText(undo->text()), step("Undo Update", "Kifu"));
}

// Types a text as a keyboard would, one character at a time.
void Type(QWidget* control, const QString& text)
{
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype length = text[at].isHighSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, control, Qt::Key_unknown, text.mid(at, length), Qt::NoModifier);
        at += length;
    }
}

void paste(QWidget* control, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(control, Qt::Key_V, Qt::ControlModifier);
}

TEST_F(EntryViewTest, CharactersACollectionCannotStoreAreRefusedOrMadePlainAsTheyArrive)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"A"}))));
    const QString refused = QStringLiteral("\u201C%1\u201D cannot be stored in a Talvane collection");
    const auto said = [&](const QString& message) {
        EXPECT_EQ(frame().statusBar()->currentMessage(), message);
        EXPECT_EQ(QToolTip::text(), message);
    };
    QLineEdit* species = edit(view().plantPage(), 1021);
    QTextEdit* notes = findControl<QTextEdit>(&view().plantPage(), 1027);
    QComboBox* source = combo(view().purchasePage(), 1006);

    Type(species, QStringLiteral("\u014Cmiya \u76C6"));
    EXPECT_EQ(species->text(), QStringLiteral("Omiya "));
    said(refused.arg(QStringLiteral("\u76C6")));
    Type(species, QStringLiteral("\u015A"));
    said(QStringLiteral("\u201C\u015A\u201D was changed to \u201CS\u201D: a Talvane collection cannot store \u201C\u015A\u201D"));
    species->setCursorPosition(0);
    paste(species, QStringLiteral("D\u0105b \u015Aliwa \U0001F333 "));
    EXPECT_EQ(species->text(), QStringLiteral("Dab Sliwa  Omiya S"));
    EXPECT_EQ(species->cursorPosition(), 11) << "the cursor stays after what was pasted";
    said(refused.arg(QStringLiteral("\U0001F333")));

    notes->setFocus();
    Type(notes, QStringLiteral("\u014Cmiya \u76C6\u683D"));
    EXPECT_EQ(notes->toPlainText(), QStringLiteral("Omiya "));
    said(refused.arg(QStringLiteral("\u683D")));
    paste(notes, QStringLiteral("\nD\u0105b %1 \u76C6e\u0301"));
    EXPECT_EQ(notes->toPlainText(), QStringLiteral("Omiya \nDab %1 \u00E9"));
    said(refused.arg(QStringLiteral("\u76C6")));
    notes->undo();
    EXPECT_EQ(notes->toPlainText(), QStringLiteral("Omiya ")) << "the paste is undone as one step";
    notes->redo();

    // The editable list keeps its typing limit of 30.
    paste(source->lineEdit(), QStringLiteral("\u014Cmiya \u76C6\u683D"));
    EXPECT_EQ(source->currentText(), QStringLiteral("Omiya "));
    said(refused.arg(QStringLiteral("\u76C6")));
    Type(source->lineEdit(), QStringLiteral("e\u0301"));
    EXPECT_EQ(source->currentText(), QStringLiteral("Omiya \u00E9"));
    paste(source->lineEdit(), QString(23, u'x') + QStringLiteral("\u014C"));
    EXPECT_EQ(source->currentText(), QStringLiteral("Omiya \u00E9"));
    paste(source->lineEdit(), QString(22, u'x') + QStringLiteral("\u014C"));
    EXPECT_EQ(source->currentText().size(), 30);

    view().OnEntryUpdate();
    EXPECT_EQ(field(0, CBonsaiData::Species), "Dab Sliwa  Omiya S");
    EXPECT_EQ(field(0, CBonsaiData::PlantNotes), "Omiya \r\nDab %1 \xE9");
    EXPECT_EQ(field(0, CBonsaiData::Source), "Omiya \xE9" + std::string(22, 'x') + "O");
}
