#include "ui/app/CommandIds.h"
#include "ui/editing/FormPages.h"
#include "core/journal/Journal.h"
#include "ui/overview/CollectionListModel.h"
#include "ui/overview/CollectionListPanel.h"
#include "core/search/ListColumns.h"

#include "support/ui/AppFixture.h"
#include "support/ui/FindControl.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include <algorithm>

using namespace talvane::collection;

namespace {

// The positions the list shows, top to bottom.
std::vector<std::size_t> listedPositions(const CollectionListModel& model)
{
    std::vector<std::size_t> positions;
    for (int row = 0; row < model.rowCount(); ++row)
        positions.push_back(model.positionAt(row));
    return positions;
}

void addEntry(EntryList& entries, const std::string& name, const std::string& intExt = "-1")
{
    entries.push_back(std::make_unique<CBonsaiData>());
    (*entries.back())[CBonsaiData::Name] = name;
    (*entries.back())[CBonsaiData::IntExt] = intExt;
}

} // namespace

TEST(CollectionList, FollowsAddUpdateAndDeleteKeepingFilterAndSort)
{
    EntryList entries;
    addEntry(entries, "Tree 10", "1");
    addEntry(entries, "tree 2");
    addEntry(entries, "Olive");
    addEntry(entries, "\xC9rable tree 1");
    CollectionListModel model([&] { return entries.size(); },
                              [&](std::size_t position) -> const CBonsaiData& { return *entries[position]; });
    CollectionListPanel panel(model);
    panel.filterBox()->setText(QStringLiteral("TREE"));
    panel.table()->sortByColumn(0, Qt::DescendingOrder);
    EXPECT_EQ(listedPositions(model), (std::vector<std::size_t>{0, 1, 3}));
    EXPECT_EQ(panel.countLine()->text(), QStringLiteral("3 of 4 trees"));
    EXPECT_EQ(model.data(model.index(0, 4), Qt::DisplayRole).toString(), QStringLiteral("Exterior"));
    EXPECT_EQ(model.data(model.index(2, 0), Qt::DisplayRole).toString(), QStringLiteral("\u00C9rable tree 1"));

    addEntry(entries, "Tree 5");
    model.reload();
    EXPECT_EQ(listedPositions(model), (std::vector<std::size_t>{0, 4, 1, 3}));
    (*entries[1])[CBonsaiData::Name] = "Pine";
    model.reload();
    EXPECT_EQ(listedPositions(model), (std::vector<std::size_t>{0, 4, 3})) << "an entry that no longer matches leaves";
    entries.erase(entries.begin());
    model.reload();
    EXPECT_EQ(listedPositions(model), (std::vector<std::size_t>{3, 2}));
    EXPECT_EQ(panel.countLine()->text(), QStringLiteral("2 of 4 trees"));

    panel.showCurrent(2);
    EXPECT_EQ(panel.table()->currentIndex().row(), 1);
    panel.filterBox()->setText(QStringLiteral("   "));
    EXPECT_EQ(listedPositions(model), (std::vector<std::size_t>{3, 0, 1, 2}));
    EXPECT_EQ(panel.countLine()->text(), QStringLiteral("4 trees"));
    EXPECT_EQ(panel.table()->currentIndex().row(), 3) << "the current entry stays marked";
    panel.filterBox()->setText(QStringLiteral("\u6728"));
    EXPECT_EQ(model.rowCount(), 0) << "a character no entry can hold finds nothing";
    const QString longSearch(120, QLatin1Char('w'));
    panel.filterBox()->setText(longSearch);
    EXPECT_EQ(panel.filterBox()->toolTip(), longSearch) << "a search wider than its box is shown whole in a tooltip";

    QSignalSpy chosen(&panel, &CollectionListPanel::entryChosen);
    panel.filterBox()->clear();
    emit panel.table()->activated(model.index(0, 2));
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen.at(0).at(0).value<std::size_t>(), 3u);

    addEntry(entries, std::string(1 << 20, 'z') + "\x01");
    model.reload();
    ASSERT_EQ(model.positionAt(0), 4u);
    EXPECT_EQ(model.data(model.index(0, 0), Qt::DisplayRole).toString(), QString(400, QLatin1Char('z')));
}

TEST(CollectionList, FollowingOneChangeAtATimeListsWhatAFreshListWould)
{
    for (const int column : {-1, 0, 3, 5})
        for (const auto order : {Qt::AscendingOrder, Qt::DescendingOrder})
            for (const char* filter : {"", "a"}) {
                EntryList entries;
                for (const char* name : {"Pine", "maple 2", "Maple 10", "pine", "Oak"})
                    addEntry(entries, name);
                (*entries[1])[CBonsaiData::PurchaseDate] = "June 2014";
                (*entries[2])[CBonsaiData::PurchaseDate] = "2010";
                (*entries[4])[CBonsaiData::PurchaseDate] = "Pine 1";
                const auto count = [&] { return entries.size(); };
                const auto entryAt = [&](std::size_t position) -> const CBonsaiData& { return *entries[position]; };
                CollectionListModel model(count, entryAt);
                QAbstractItemModelTester rowSignals(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
                model.sort(column, order);
                model.setFilter(QString::fromLatin1(filter));
                const auto expectFresh = [&](const char* step) {
                    CollectionListModel fresh(count, entryAt);
                    fresh.sort(column, order);
                    fresh.setFilter(QString::fromLatin1(filter));
                    EXPECT_EQ(listedPositions(model), listedPositions(fresh))
                        << step << ", column " << column << ", order " << order << ", filter \"" << filter << '"';
                    EXPECT_EQ(model.entryCount(), entries.size()) << step;
                };
                const auto insert = [&](std::size_t position, const char* name) {
                    addEntry(entries, name);
                    std::rotate(entries.begin() + static_cast<std::ptrdiff_t>(position), entries.end() - 1, entries.end());
                    model.entryInserted(position);
                };
                const auto rename = [&](std::size_t position, const char* name) {
                    (*entries[position])[CBonsaiData::Name] = name;
                    (*entries[position])[CBonsaiData::PurchaseStyle] = name;
                    (*entries[position])[CBonsaiData::PurchaseDate] = name;
                    model.entryChanged(position);
                };

                insert(1, "Maple 3");
                expectFresh("an entry added in the middle");
                insert(0, "pine");
                expectFresh("an entry that sorts alike added first");
                rename(0, "Alder");
                expectFresh("an entry that starts to match");
                rename(3, "Pine 1");
                expectFresh("an entry that stops matching");
                entries.erase(entries.begin() + 2);
                model.entryRemoved(2);
                expectFresh("an entry removed");
                insert(entries.size(), "Oak");
                expectFresh("an entry added last");
            }
}

class CollectionListAppTest : public AppFixture {
protected:
    QAction* listCommand() { return frame().action(cmd::kViewCollectionList); }
    CollectionListPanel& panel() { return frame().collectionList(); }
    void chooseRow(int row)
    {
        auto* table = panel().table();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(table->model()->index(row, 0)).center());
    }
};

TEST_F(CollectionListAppTest, ShowingTheListGrowsTheWindowAndIsRemembered)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Maple", "Pine"}))));
    const QSize pagesOnly = frame().size();
    const QRect sheet = view().geometry();
    listCommand()->trigger();
    EXPECT_TRUE(listCommand()->isChecked());
    EXPECT_GT(frame().width(), pagesOnly.width());
    EXPECT_EQ(frame().height(), pagesOnly.height());
    EXPECT_EQ(view().geometry().size(), sheet.size()) << "the pages keep their size";
    EXPECT_EQ(panel().countLine()->text(), QStringLiteral("2 trees"));

    frame().show();
    frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    QTest::keyClick(&frame(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(panel().filterBox()->hasFocus());
    QTest::keyClicks(panel().filterBox(), QStringLiteral("pin"));
    EXPECT_EQ(panel().countLine()->text(), QStringLiteral("1 of 2 trees"));
    QTest::keyClick(panel().filterBox(), Qt::Key_Escape);
    EXPECT_EQ(panel().filterBox()->text(), QString());

    app.reset();
    ASSERT_TRUE(start());
    EXPECT_TRUE(listCommand()->isChecked());
    EXPECT_FALSE(panel().isHidden());
    listCommand()->trigger();
    EXPECT_EQ(frame().size(), pagesOnly);
}

TEST_F(CollectionListAppTest, ChoosingARowAsksAboutPageEditsLikeTheEntryBox)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Maple", "Pine", "Oak"}))));
    listCommand()->trigger();
    frame().show();
    panel().table()->sortByColumn(0, Qt::AscendingOrder); // Maple, Oak, Pine
    findControl<QLineEdit>(&view().purchasePage(), 1009)->setText(QStringLiteral("80"));

    ui.prompter.expect(mb::kIdYes, kKeepChanges);
    chooseRow(1);
    EXPECT_EQ(doc().entryAt(0)[CBonsaiData::PricePaid], "80");
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(bar().entryList()->currentIndex(), 2);
    EXPECT_EQ(findControl<QLineEdit>(&view().purchasePage(), 1009)->text(), QString());

    findControl<QLineEdit>(&view().purchasePage(), 1009)->setText(QStringLiteral("95"));
    ui.prompter.expect(mb::kIdNo, kKeepChanges);
    chooseRow(2);
    EXPECT_EQ(doc().entryAt(2)[CBonsaiData::PricePaid], "");
    EXPECT_EQ(bar().entryList()->currentIndex(), 1);

    // Renamed, the current tree moves to its sorted place and stays marked there.
    ui.dialogs.expect([](QDialog& dialog) {
        dialog.findChild<QLineEdit*>()->setText(QStringLiteral("Apple"));
        dialog.accept();
        return int(QDialog::Accepted);
    });
    frame().action(cmd::kEntryRename)->trigger();
    EXPECT_EQ(panel().table()->currentIndex().row(), 0);
    EXPECT_EQ(panel().table()->model()->index(0, 0).data().toString(), QStringLiteral("Apple"));
    frame().action(cmd::kEditUndo)->trigger();
    EXPECT_EQ(panel().table()->currentIndex().row(), 2);

    panel().filterBox()->setText(QStringLiteral("OAK"));
    EXPECT_EQ(panel().countLine()->text(), QStringLiteral("1 of 3 trees"));
    chooseEntry(2);
    ui.prompter.expect(mb::kIdOk);
    bar().deleteButton()->click();
    EXPECT_EQ(panel().countLine()->text(), QStringLiteral("0 of 2 trees")) << "the list follows Delete";

    // Another collection opened shows its first tree marked: Yew, below Ash.
    panel().filterBox()->clear();
    ui.prompter.expect(mb::kIdNo);
    ASSERT_TRUE(doc().openDocumentFile(q(makeCollection("other.tvn", {"Yew", "Ash"}))));
    EXPECT_EQ(panel().table()->currentIndex().row(), 1);
    EXPECT_TRUE(ui.prompter.allAnswered());
}

TEST_F(CollectionListAppTest, ColumnsStartAsWideAsTheirUsualTextsAndTheUserWidensThem)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Maple", "Pine"}))));
    listCommand()->trigger();
    frame().show();
    QHeaderView* header = panel().table()->horizontalHeader();
    ASSERT_EQ(header->count(), static_cast<int>(talvane::search::kListColumnCount));
    const auto width = [header](talvane::search::ListColumn column) { return header->sectionSize(static_cast<int>(column)); };
    for (int column = 0; column < header->count(); ++column) {
        EXPECT_EQ(header->sectionResizeMode(column), QHeaderView::Interactive) << column;
        EXPECT_GE(header->sectionSize(column), header->sectionSizeHint(column)) << "heading " << column << " shows whole";
    }
    // Usual texts show whole, with the cell's room around them.
    const QFontMetrics metrics = panel().table()->fontMetrics();
    const std::pair<talvane::search::ListColumn, const char*> usual[] = {
        {talvane::search::ListColumn::Name, "Grandmother's jade"},
        {talvane::search::ListColumn::BotanicalName, "Juniperus procumbens"},
        {talvane::search::ListColumn::CommonName, "Procumbens juniper"},
        {talvane::search::ListColumn::Style, "Informal upright (Moyogi)"},
        {talvane::search::ListColumn::Purchased, "12 March 2009"},
    };
    for (const auto& [column, text] : usual)
        EXPECT_LE(metrics.horizontalAdvance(QString::fromLatin1(text)) + 6, width(column)) << text;
    EXPECT_EQ(width(talvane::search::ListColumn::Photos), header->sectionSizeHint(static_cast<int>(talvane::search::ListColumn::Photos)))
        << "a count needs no more than its heading";
    EXPECT_LT(width(talvane::search::ListColumn::Photos), width(talvane::search::ListColumn::Name));

    // The edge of a heading drags its column wider.
    const int nameWidth = width(talvane::search::ListColumn::Name);
    const QPoint edge(header->sectionViewportPosition(0) + nameWidth - 1, header->height() / 2);
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, edge);
    QTest::mouseMove(header->viewport(), edge + QPoint(40, 0));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, edge + QPoint(40, 0));
    EXPECT_EQ(width(talvane::search::ListColumn::Name), nameWidth + 40);

    // Hidden, the list keeps its widths for the next run.
    listCommand()->trigger();
    app.reset();
    ASSERT_TRUE(start());
    listCommand()->trigger();
    EXPECT_EQ(panel().table()->horizontalHeader()->sectionSize(0), nameWidth + 40);
}

TEST_F(CollectionListAppTest, KeysShowTheTreeTheyMarkAndDeleteActsOnTheTreeShownAndMarked)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Maple", "Pine", "Oak", "Ash"}))));
    listCommand()->trigger();
    frame().show();
    QTableView* table = panel().table();
    table->sortByColumn(0, Qt::AscendingOrder); // Ash, Maple, Oak, Pine
    const auto marked = [table] { return table->currentIndex().siblingAtColumn(0).data().toString(); };
    const auto shown = [this] { return bar().entryList()->currentText(); };

    QTest::keyClick(table, Qt::Key_Down);
    EXPECT_EQ(shown(), QStringLiteral("Oak"));
    EXPECT_EQ(marked(), QStringLiteral("Oak"));
    QTest::keyClick(table, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(shown(), QStringLiteral("Pine"));
    EXPECT_EQ(panel().selectedPositions(), (std::vector<std::size_t>{2, 1})) << "rows chosen for labels stay chosen";
    QTest::keyClick(table, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(shown(), QStringLiteral("Oak"));
    QTest::keyClick(table, Qt::Key_PageUp);
    EXPECT_EQ(shown(), QStringLiteral("Ash"));
    QTest::keyClicks(table, QStringLiteral("m"));
    EXPECT_EQ(shown(), QStringLiteral("Maple"));
    EXPECT_EQ(panel().selectedPositions(), (std::vector<std::size_t>{0}));

    findControl<QLineEdit>(&view().purchasePage(), 1009)->setText(QStringLiteral("80"));
    ui.prompter.expect(mb::kIdNo, kKeepChanges);
    QTest::keyClick(table, Qt::Key_Down);
    EXPECT_EQ(shown(), QStringLiteral("Oak")) << "page edits are asked about, as for a click";

    // Chosen in the entry box, a tree is marked in the list, and Delete there names it.
    chooseEntry(1);
    EXPECT_EQ(marked(), QStringLiteral("Pine"));
    const QString deletePine = QStringLiteral("< Pine > will be delete from the list !!!");
    ui.prompter.expect(mb::kIdCancel, deletePine);
    QTest::keyClick(table, Qt::Key_Delete);
    EXPECT_EQ(doc().entryCount(), 4u);
    ui.prompter.expect(mb::kIdOk, deletePine);
    QTest::keyClick(table, Qt::Key_Delete);
    EXPECT_EQ(listedNames(), (QStringList{"Maple", "Oak", "Ash"}));
    EXPECT_EQ(marked(), shown()) << "the tree shown in its place is marked";
    ui.prompter.expect(mb::kIdOk, QStringLiteral("< Oak > will be delete from the list !!!"));
    bar().deleteButton()->click();
    EXPECT_EQ(listedNames(), (QStringList{"Maple", "Ash"}));

    // While the filter hides the tree shown, nothing is marked and Delete in the list asks nothing.
    panel().filterBox()->setText(QStringLiteral("maple"));
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Delete);
    EXPECT_EQ(doc().entryCount(), 2u);
    EXPECT_TRUE(panel().selectedPositions().empty());
    EXPECT_TRUE(ui.prompter.allAnswered());

    // Entries that come and go before the tree shown leave the mark on it.
    EntryList entries;
    for (const char* name : {"A", "B", "C"})
        addEntry(entries, name);
    CollectionListModel model([&] { return entries.size(); },
                              [&](std::size_t position) -> const CBonsaiData& { return *entries[position]; });
    CollectionListPanel panel(model);
    panel.showCurrent(2);
    entries.erase(entries.begin());
    model.entryRemoved(0);
    EXPECT_EQ(panel.selectedPositions(), (std::vector<std::size_t>{1}));
    addEntry(entries, "D");
    std::rotate(entries.begin(), entries.end() - 1, entries.end());
    model.entryInserted(0);
    EXPECT_EQ(panel.selectedPositions(), (std::vector<std::size_t>{2}));
}

TEST_F(CollectionListAppTest, PhotosCountsBothFoldersAndTheFilterReadsTheJournal)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Maple", "Pine"}, [](CBonsaiData& entry, std::size_t n) {
        if (n == 0)
            return;
        entry[CBonsaiData::Photo1] = "pine.bmp";
        entry[talvane::journal::kJournalField] =
            "TVJ1\r\n2021-05-01\tPhoto\t\tPhotos/a.jpg\tWrapped in cloth\r\n2022-05-01\tWiring\t\tPhotos/b.jpg\t";
    }))));
    listCommand()->trigger();
    frame().show();
    QAbstractItemModel* model = panel().table()->model();
    const int photos = static_cast<int>(talvane::search::ListColumn::Photos);
    EXPECT_EQ(model->index(1, photos).data().toString(), QStringLiteral("3"));
    EXPECT_EQ(model->index(1, photos).data(Qt::ToolTipRole).toString(), QStringLiteral("1 in the album, 2 on the timeline"));
    panel().table()->sortByColumn(photos, Qt::DescendingOrder);
    EXPECT_EQ(model->index(0, 0).data().toString(), QStringLiteral("Pine"));

    panel().filterBox()->setText(QStringLiteral("cloth"));
    EXPECT_EQ(panel().countLine()->text(), QStringLiteral("1 of 2 trees"));
    panel().filterBox()->setText(QStringLiteral("wiring"));
    EXPECT_EQ(panel().countLine()->text(), QStringLiteral("1 of 2 trees"));
    EXPECT_EQ(model->index(0, 0).data().toString(), QStringLiteral("Pine"));
}

TEST(CollectionList, ThePlaceColumnShowsThePlaceAndJoinsAColumnLayoutKeptWithoutIt)
{
    EntryList entries;
    addEntry(entries, "Tree");
    (*entries.back())[112] = "\xC9tag\xE8re\tindoors\t0";
    CollectionListModel model([&] { return entries.size(); },
                              [&](std::size_t position) -> const CBonsaiData& { return *entries[position]; });
    CollectionListPanel panel(model);
    const int place = static_cast<int>(talvane::search::ListColumn::Place);
    EXPECT_EQ(model.headerData(place, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Place"));
    EXPECT_EQ(model.index(0, place).data().toString(), QStringLiteral("\u00C9tag\u00E8re"));

    // The widths kept by a version whose list ended with Photos.
    QTableView older;
    QStandardItemModel sevenColumns(1, place);
    older.setModel(&sevenColumns);
    older.horizontalHeader()->resizeSection(0, 321);
    panel.restoreColumnState(older.horizontalHeader()->saveState());
    EXPECT_EQ(panel.table()->horizontalHeader()->sectionSize(0), 321);
    EXPECT_EQ(panel.shownColumns().back(), talvane::search::ListColumn::Place);
    EXPECT_GT(panel.table()->horizontalHeader()->sectionSize(place), 0);
}

TEST(CollectionList, AFilterLookingOnItsOwnThreadListsWhatTheNewestFilterKeepsAfterEveryChange)
{
    EntryList entries;
    for (int i = 0; i < 20000; ++i)
        addEntry(entries, (i % 3 ? "Pine " : "Maple ") + std::to_string(i));
    const auto count = [&] { return entries.size(); };
    const auto entryAt = [&](std::size_t position) -> const CBonsaiData& { return *entries[position]; };
    CollectionListModel model(count, entryAt, [&] { return entries; });
    model.setFilterAloneFrom(1);
    QAbstractItemModelTester rowSignals(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const auto expectAsAFreshList = [&](const char* filter, const char* step) {
        while (model.isFiltering())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        CollectionListModel fresh(count, entryAt);
        fresh.setFilter(QString::fromLatin1(filter));
        EXPECT_EQ(listedPositions(model), listedPositions(fresh)) << step;
    };

    model.setFilter(QStringLiteral("maple"));
    EXPECT_TRUE(model.isFiltering());
    model.setFilter(QStringLiteral("pine 1"));
    expectAsAFreshList("pine 1", "a filter replaced while it runs");

    // The entries change while the filter looks: its thread looks again at them as they are.
    model.setFilter(QStringLiteral("maple"));
    entryToChange(entries, 1)[CBonsaiData::Name] = "Maple now";
    model.entryChanged(1);
    entries.erase(entries.begin());
    model.entryRemoved(0);
    addEntry(entries, "Maple last");
    model.entryInserted(entries.size() - 1);
    expectAsAFreshList("maple", "entries changed while it runs");

    // What a list of the rows asks for waits for the last of them.
    model.setFilter(QStringLiteral("pine"));
    model.finishFiltering();
    EXPECT_FALSE(model.isFiltering());
    CollectionListModel fresh(count, entryAt);
    fresh.setFilter(QStringLiteral("pine"));
    EXPECT_EQ(listedPositions(model), listedPositions(fresh));
}

TEST(CollectionList, EntriesReadAfterTheOthersJoinTheListAsAFreshListWouldShowThem)
{
    for (const int column : {-1, 0})
        for (const char* filter : {"", "maple", "\xE2\x82\xAC\xE2\x80\xA0"}) {
            EntryList entries;
            addEntry(entries, "Pine 0");
            const auto count = [&] { return entries.size(); };
            const auto entryAt = [&](std::size_t position) -> const CBonsaiData& { return *entries[position]; };
            CollectionListModel model(count, entryAt);
            QAbstractItemModelTester rowSignals(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
            model.sort(column, Qt::DescendingOrder);
            model.setFilter(QString::fromUtf8(filter));
            for (const std::size_t batch : {512u, 1024u}) {
                const std::size_t first = entries.size();
                for (std::size_t i = 0; i < batch; ++i)
                    addEntry(entries, (i % 2 ? "Maple " : "Pine ") + std::to_string(first + i));
                model.entriesAppended(first, batch);
            }
            CollectionListModel fresh(count, entryAt);
            fresh.sort(column, Qt::DescendingOrder);
            fresh.setFilter(QString::fromUtf8(filter));
            EXPECT_EQ(listedPositions(model), listedPositions(fresh)) << "column " << column << ", filter " << filter;
            EXPECT_EQ(model.entryCount(), entries.size());
        }
}
