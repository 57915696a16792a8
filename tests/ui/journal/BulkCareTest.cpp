#include "ui/app/CommandIds.h"
#include "ui/editing/FormPages.h"
#include "ui/journal/BulkCareDlg.h"
#include "ui/journal/DateField.h"
#include "ui/journal/JournalPage.h"
#include "ui/overview/CollectionListPanel.h"
#include "core/journal/Journal.h"

#include "support/ui/AppFixture.h"
#include "support/ui/FindControl.h"

#include <QAction>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTreeWidget>

using namespace talvane::journal;

namespace {

using BulkCareTest = AppFixture;

int kindIndex(CareKind kind)
{
    return static_cast<int>(std::find(kCareKinds.begin(), kCareKinds.end(), kind) - kCareKinds.begin());
}

} // namespace

TEST_F(BulkCareTest, TheEditCommandLogsTheTreesOfTheListOrOfAPlaceAsOneStep)
{
    const char* places[] = {"Bench 10", "Bench 2\tsheltered\t4", "", "Bench 10\topen-air\t0"};
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Maple", "Pine", "Elm", "Oak"},
                                       [&](CBonsaiData& entry, std::size_t tree) { entry[112] = places[tree]; }))));
    frame().showCollectionList(true);
    QTableView& list = *frame().collectionList().table();
    list.selectionModel()->select(QItemSelection(list.model()->index(1, 0), list.model()->index(2, 0)),
                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    // A price typed on the pages and not updated stays as typed.
    auto* price = findControl<QLineEdit>(&view().purchasePage(), 1009);
    price->setText(QStringLiteral("80"));

    ui.dialogs.expect([](QDialog& dialog) {
        auto& care = dynamic_cast<BulkCareDlg&>(dialog);
        EXPECT_TRUE(care.selectedButton()->isChecked());
        EXPECT_EQ(care.selectedButton()->text(), QStringLiteral("The 2 trees &selected in the list"));
        EXPECT_EQ(care.trees(), (std::vector<std::size_t>{1, 2}));
        EXPECT_EQ(care.kindBox()->currentText(), QStringLiteral("Watering"));
        EXPECT_EQ(care.placeBox()->count(), 2);
        EXPECT_EQ(care.placeBox()->itemText(0), QStringLiteral("Bench 2")) << "in natural order";
        care.placeBox()->setCurrentIndex(1);
        care.placeButton()->setChecked(true);
        EXPECT_EQ(care.trees(), (std::vector<std::size_t>{0, 3}));
        care.kindBox()->setCurrentIndex(kindIndex(CareKind::Protection));
        care.dateEdit()->lineEdit()->setText(QStringLiteral("2027-02-30"));
        EXPECT_FALSE(care.okButton()->isEnabled());
        EXPECT_TRUE(care.problemLabel()->text().startsWith(QStringLiteral("The date is not a day of the calendar")));
        care.dateEdit()->lineEdit()->setText(QStringLiteral("2027-01-05"));
        EXPECT_TRUE(care.okButton()->isEnabled());
        EXPECT_TRUE(care.problemLabel()->isHidden());
        care.textEdit()->setText(QStringLiteral("fleece"));
        return int(QDialog::Accepted);
    });
    frame().action(cmd::kEditLogCareOnTrees)->trigger();
    EXPECT_EQ(doc().history().undoText(), QStringLiteral("Log Protection on 2 trees"));
    for (const std::size_t tree : {0u, 3u})
        EXPECT_EQ(std::string(doc().entryAt(tree)[kJournalField]), "TVJ1\r\n2027-01-05\tProtection\t\t\tfleece") << tree;
    EXPECT_EQ(doc().entryAt(1)[kJournalField], "");
    EXPECT_EQ(view().journalPage().eventList()->topLevelItemCount(), 1) << "the Journal tab of the Maple shown";
    EXPECT_EQ(price->text(), QStringLiteral("80"));
    EXPECT_EQ(doc().entryAt(0)[CBonsaiData::PricePaid], "");
}

TEST_F(BulkCareTest, OkWaitsForTreesToLogAndSaysWhyWhenThereAreNone)
{
    talvane::collection::EntryList entries;
    entries.push_back(std::make_unique<CBonsaiData>());
    BulkCareDlg none(entries, {});
    EXPECT_FALSE(none.okButton()->isEnabled());
    EXPECT_FALSE(none.selectedButton()->isEnabled());
    EXPECT_FALSE(none.placeButton()->isEnabled());
    EXPECT_EQ(none.problemLabel()->text(), QStringLiteral("No tree is selected in the list, and no tree has a place."));
    EXPECT_TRUE(none.trees().empty());

    (*entries[0])[112] = "Shelf";
    BulkCareDlg placed(entries, {});
    EXPECT_TRUE(placed.placeButton()->isChecked()) << "with nothing selected, the first place is offered";
    EXPECT_EQ(placed.trees(), std::vector<std::size_t>{0});
    EXPECT_TRUE(placed.okButton()->isEnabled());
    BulkCareDlg one(entries, {0});
    EXPECT_EQ(one.selectedButton()->text(), QStringLiteral("The tree &selected in the list"));
}
