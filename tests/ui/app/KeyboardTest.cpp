#include "ui/album/NewPictureDlg.h"
#include "ui/album/PictureViewer.h"
#include "ui/app/AboutDlg.h"
#include "ui/app/CommandIds.h"
#include "ui/app/EarlierVersionsDlg.h"
#include "ui/companion/PhoneSharing.h"
#include "ui/companion/ShareDlg.h"
#include "ui/editing/FormPages.h"
#include "ui/editing/NewEntryDlg.h"
#include "ui/editing/RenameEntryDlg.h"
#include "ui/framework/AnsiText.h"
#include "ui/framework/StandardButtonKeys.h"
#include "ui/framework/TabKeys.h"
#include "ui/journal/BulkCareDlg.h"
#include "ui/journal/CareDueDlg.h"
#include "ui/journal/CareEventDlg.h"
#include "ui/journal/JournalPage.h"
#include "ui/overview/CollectionListPanel.h"
#include "ui/passport/TreePassportCommands.h"
#include "ui/printing/LabelsDlg.h"
#include "ui/printing/PrintChoiceDlg.h"
#include "ui/printing/PrintProgress.h"
#include "ui/timeline/CompareDlg.h"
#include "ui/timeline/PhotoViewer.h"
#include "ui/timeline/TimelineDlg.h"

#include "support/ui/AppFixture.h"
#include "support/ui/FindControl.h"
#include "support/ui/KeyboardReach.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolBar>

#include <algorithm>

using namespace talvane::collection;

using namespace talvane::journal;

namespace {

QStringList sorted(QStringList lines)
{
    lines.sort();
    return lines;
}

void showActive(QWidget& window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_EQ(QApplication::activeWindow(), &window);
}

// A key pressed where the focus is, as a user presses it.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
{
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : QApplication::activeWindow(), key, modifiers);
}

CareEvent feeding(CalendarDate day)
{
    return CareEvent{day, CareKind::Feeding, day.plusDays(7), {}, {}, {}, {}, {}};
}

} // namespace

using KeyboardTest = AppFixture;

TEST(KeyboardFaults, FindKeysMissingOrHeldTwiceAndFieldsWithoutANameButNotKeysOnOtherPages)
{
    QWidget window;
    new QPushButton(QStringLiteral("&Add"), &window);
    new QPushButton(QStringLiteral("&All"), &window);
    new QPushButton(QStringLiteral("Plain"), &window);
    new QPushButton(QStringLiteral("Fish && chips"), &window);
    auto* tabs = new QTabWidget(&window);
    for (const QString& caption : {QStringLiteral("&First"), QStringLiteral("Second")}) {
        auto* page = new QWidget;
        new QPushButton(QStringLiteral("&Go"), page);
        tabs->addTab(page, caption);
    }
    new QLineEdit(&window);
    (new QLineEdit(&window))->setAccessibleName(QStringLiteral("Named"));
    auto* editable = new QComboBox(&window);
    editable->setEditable(true);
    editable->setAccessibleName(QStringLiteral("Box"));
    EXPECT_EQ(sorted(keyboardFaults(window)),
              sorted({QStringLiteral("button \"&Add\" and button \"&All\" share Alt+A"),
                      QStringLiteral("button \"Plain\" has no key"), QStringLiteral("button \"Fish && chips\" has no key"),
                      QStringLiteral("tab \"Second\" has no key"), QStringLiteral("QLineEdit  has no name")}));

    QMenu menu;
    menu.addAction(QStringLiteral("&Open"));
    menu.addSeparator();
    menu.addAction(QStringLiteral("&other"));
    menu.addAction(QStringLiteral("Plain"));
    EXPECT_EQ(menuKeyFaults(menu), (QStringList{QStringLiteral("item \"&other\" shares its key with &Open"),
                                                QStringLiteral("item \"Plain\" has no key")}));
    EXPECT_EQ(shownText(QStringLiteral("Fish && &chips")), QStringLiteral("Fish & chips"));
}

TEST(StandardButtonKeys, MessageBoxesAndButtonBoxesGetKeysForTheButtonsTheProgramUses)
{
    QMessageBox question(QMessageBox::Question, QStringLiteral("Attention"), QStringLiteral("Sure?"),
                         QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
    giveStandardButtonsKeys(question);
    QStringList texts;
    for (const QAbstractButton* button : question.buttons())
        texts.append(button->text());
    EXPECT_EQ(sorted(texts), (QStringList{"&Cancel", "&No", "&OK", "&Yes"}));
    EXPECT_EQ(keyboardFaults(question), QStringList());

    QDialogButtonBox box(QDialogButtonBox::Open | QDialogButtonBox::Close | QDialogButtonBox::Help);
    const QString help = box.button(QDialogButtonBox::Help)->text();
    giveStandardButtonsKeys(box);
    EXPECT_EQ(box.button(QDialogButtonBox::Open)->text(), QStringLiteral("&Open"));
    EXPECT_EQ(box.button(QDialogButtonBox::Close)->text(), QStringLiteral("&Close"));
    EXPECT_EQ(box.button(QDialogButtonBox::Help)->text(), help) << "a button the program does not use keeps Qt's text";
}

TEST_F(KeyboardTest, EveryButtonTabAndMenuOfTheMainWindowHasAKeyAndEveryFieldAName)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Maple"}))));
    frame().showCollectionList(true);
    EXPECT_EQ(keyboardFaults(frame()), QStringList());
    QList<QAction*> inMenus;
    for (QAction* title : frame().menuBar()->actions()) {
        EXPECT_EQ(menuKeyFaults(*title->menu()), QStringList()) << title->text().toStdString();
        inMenus += title->menu()->actions();
    }
    for (QAction* command : frame().findChildren<QAction*>()) {
        if (command->data().toInt() != 0) {
            EXPECT_TRUE(inMenus.contains(command)) << command->text().toStdString() << " is in no menu";
        }
    }
    for (QAction* tool : frame().findChild<QToolBar*>(QStringLiteral("59392"))->actions())
        EXPECT_TRUE(tool->isSeparator() || inMenus.contains(tool)) << tool->text().toStdString();
}

TEST_F(KeyboardTest, EveryDialogHasAKeyForEachButtonAndANameForEachField)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Maple"}))));
    const CalendarDate today = CalendarDate::today();
    const std::vector<CaptionedPhoto> photos{{QStringLiteral("a.jpg"), QStringLiteral("first")},
                                             {QStringLiteral("b.jpg"), QStringLiteral("second")}};
    CNewEntryDlg newEntry;
    RenameEntryDlg rename("Maple");
    CNewPictureDlg newPicture;
    CAboutDlg about;
    CPrintChoiceDlg printChoice;
    EarlierVersionsDlg versions({KeptVersion{"kept.tvn", 1700000000, 3, 2048}});
    CareEventDlg careEvent(feeding(today), {QStringLiteral("leaf.bmp")});
    CareDueDlg careDue(doc(), ui.prompter, today);
    TimelineDlg timeline(doc(), ui.services(), 0);
    CompareDlg compare(photos, 0, 1);
    PictureViewer larger(QImage(4, 4, QImage::Format_RGB32), QStringLiteral("Leaf"));
    PhotoViewer photo(photos, 0);
    PhoneSharing sharing(doc());
    ShareDlg share(sharing, ui.services());
    LabelsDlg labels({}, {TreeLabel{QStringLiteral("Maple"), QStringLiteral("Acer"), {}, {}}});
    PassportGiverDlg giver(QStringLiteral("Maple"));
    PrintProgressDialog progress(&frame());
    BulkCareDlg bulkCare(doc().entries(), {0});
    const std::pair<const char*, const QWidget*> dialogs[] = {
        {"new entry", &newEntry},  {"rename", &rename},         {"new picture", &newPicture},
        {"about", &about},         {"print choice", &printChoice}, {"earlier versions", &versions},
        {"care event", &careEvent}, {"care due", &careDue},     {"timeline", &timeline},
        {"compare", &compare},     {"larger view", &larger},    {"photo viewer", &photo},
        {"share", &share},         {"labels", &labels},         {"passport giver", &giver},
        {"print progress", &progress.dialog()}, {"bulk care", &bulkCare}};
    for (const auto& [name, dialog] : dialogs)
        EXPECT_EQ(keyboardFaults(*dialog), QStringList()) << name;
}

TEST_F(KeyboardTest, CtrlPageDownAndPageUpTurnTheTabsRoundFromAnywhereInTheWindow)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Maple"}))));
    showActive(frame());
    QTabWidget& sheet = *view().sheet();
    findControl<QLineEdit>(&view().plantPage(), 1023)->setFocus();
    QList<int> shown;
    for (int i = 0; i < sheet.count(); ++i) {
        press(Qt::Key_PageDown);
        shown.append(sheet.currentIndex());
    }
    EXPECT_EQ(shown, (QList<int>{1, 2, 3, 4, 5, 6, 7, 0})) << "through every kind of field, and round";
    bar().entryList()->setFocus();
    press(Qt::Key_PageUp);
    EXPECT_EQ(sheet.currentIndex(), 7) << "from the entry bar, back past the first tab";
    press(Qt::Key_PageUp);
    EXPECT_EQ(sheet.currentIndex(), 6);

    sheet.setCurrentIndex(0);
    findControl<QLineEdit>(&view().plantPage(), 1023)->setFocus();
    press(Qt::Key_Tab);
    EXPECT_EQ(sheet.currentIndex(), 1) << "Ctrl+Tab as before";
    press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(sheet.currentIndex(), 0);

    TimelineDlg timeline(doc(), ui.services(), 0, &frame());
    showActive(timeline);
    auto& tabs = *timeline.findChild<QTabWidget*>();
    press(Qt::Key_PageDown);
    EXPECT_EQ(tabs.currentIndex(), 1);
    press(Qt::Key_PageDown);
    EXPECT_EQ(tabs.currentIndex(), 0);
}

TEST(TabKeys, PassOverDisabledTabsAndStayWhereNoOtherIsEnabled)
{
    QTabWidget tabs;
    for (int i = 0; i < 4; ++i)
        tabs.addTab(new QWidget, QString::number(i));
    tabs.setTabEnabled(1, false);
    tabs.setTabEnabled(3, false);
    EXPECT_EQ(neighbourTab(tabs, 1), 2);
    EXPECT_EQ(neighbourTab(tabs, -1), 2);
    tabs.setCurrentIndex(2);
    EXPECT_EQ(neighbourTab(tabs, 1), 0);
    tabs.setTabEnabled(0, false);
    EXPECT_EQ(neighbourTab(tabs, 1), 2);
}

TEST_F(KeyboardTest, ALabelsKeyTakesTheFocusToItsFieldWhichIsNamedAfterIt)
{
    CNewEntryDlg dialog;
    showActive(dialog);
    EXPECT_TRUE(dialog.nameEdit()->hasFocus());
    QTest::keyClick(&dialog, Qt::Key_B, Qt::AltModifier);
    EXPECT_TRUE(dialog.botanicalNameBox()->hasFocus() || dialog.botanicalNameBox()->lineEdit()->hasFocus());
    EXPECT_EQ(dialog.nameEdit()->accessibleName(), QStringLiteral("Name or ID number"));
    EXPECT_EQ(dialog.botanicalNameBox()->accessibleName(), QStringLiteral("Botanical name"));

    CareEventDlg event(feeding(CalendarDate::today()), {});
    showActive(event);
    QTest::keyClick(&event, Qt::Key_K, Qt::AltModifier);
    ASSERT_TRUE(QApplication::focusWidget());
    EXPECT_EQ(QApplication::focusWidget()->accessibleName(), QStringLiteral("Kind"));
    QTest::keyClick(&event, Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget()->accessibleName(), QStringLiteral("Date")) << "the date's own text box";

    ASSERT_TRUE(start());
    using talvane::collection::Page;
    const std::pair<Page, const QWidget*> pages[] = {{Page::Plant, &view().plantPage()},
                                                     {Page::Purchase, &view().purchasePage()},
                                                     {Page::Species, &view().speciesPage()},
                                                     {Page::Transformation, &view().transformationPage()},
                                                     {Page::Maintenance, &view().maintenancePage()}};
    int named = 0;
    for (const auto& [which, page] : pages)
        for (std::size_t index : fieldsOf(which))
            if (const auto& info = talvane::collection::field(index); info.kind != talvane::collection::Kind::Radio) {
                const QWidget* control = findControl<QWidget>(page, info.control);
                ASSERT_TRUE(control) << info.name;
                EXPECT_EQ(control->accessibleName(), fromAnsi(info.label).simplified()) << info.name;
                ++named;
            }
    EXPECT_EQ(named, 40);
}

TEST_F(KeyboardTest, EachPageIsTabbedThroughTopToBottomAndLeftToRight)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Maple"}))));
    showActive(frame());
    QTabWidget& sheet = *view().sheet();
    for (int tab = 0; tab < sheet.count(); ++tab) {
        sheet.setCurrentIndex(tab);
        QWidget* page = sheet.widget(tab);
        QList<QWidget*> order;
        for (QWidget* next = page->nextInFocusChain(); next != page && !order.contains(next); next = next->nextInFocusChain())
            if (page->isAncestorOf(next) && (next->focusPolicy() & Qt::TabFocus) && next->isVisibleTo(page) &&
                !qobject_cast<QComboBox*>(next->parentWidget()))
                order.append(next);
        ASSERT_GE(order.size(), 3) << tab;
        // Of two controls in one column the upper comes first; of two in one row, the left one.
        for (int i = 0; i < order.size(); ++i)
            for (int j = i + 1; j < order.size(); ++j) {
                const QRect before(order[i]->mapTo(page, QPoint(0, 0)), order[i]->size());
                const QRect after(order[j]->mapTo(page, QPoint(0, 0)), order[j]->size());
                const bool column = before.left() < after.right() && after.left() < before.right();
                const bool row = before.top() < after.bottom() && after.top() < before.bottom();
                EXPECT_FALSE(column && !row && after.top() < before.top())
                    << shownText(sheet.tabText(tab)).toStdString() << ": " << order[j]->objectName().toStdString()
                    << " above " << order[i]->objectName().toStdString();
                EXPECT_FALSE(row && !column && after.left() < before.left())
                    << shownText(sheet.tabText(tab)).toStdString() << ": " << order[j]->objectName().toStdString()
                    << " left of " << order[i]->objectName().toStdString();
            }
    }
}

TEST_F(KeyboardTest, TheCollectionListIsReachedWithCtrlFAndLeftWithTab)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Maple", "Pine"}))));
    frame().showCollectionList(true);
    showActive(frame());
    findControl<QLineEdit>(&view().plantPage(), 1023)->setFocus();
    press(Qt::Key_F);
    EXPECT_TRUE(frame().collectionList().filterBox()->hasFocus());
    press(Qt::Key_Tab, Qt::NoModifier);
    EXPECT_TRUE(frame().collectionList().table()->hasFocus());
    press(Qt::Key_Tab, Qt::NoModifier);
    ASSERT_TRUE(QApplication::focusWidget());
    EXPECT_FALSE(frame().collectionList().isAncestorOf(QApplication::focusWidget())) << "Tab leaves the list";
    EXPECT_EQ(QApplication::focusWidget(), view().sheet()->tabBar()) << "on to the tabs, as the help says";
    press(Qt::Key_Tab, Qt::NoModifier);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("1023")) << "then the page shown";
    bar().deleteButton()->setFocus();
    press(Qt::Key_Tab, Qt::NoModifier);
    EXPECT_TRUE(frame().collectionList().filterBox()->hasFocus()) << "the list comes after the entry bar";
}
