#include "ui/app/AboutDlg.h"
#include "ui/app/CommandIds.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/SplashDlg.h"
#include "ui/editing/FormPages.h"
#include "ui/framework/BaseDirectory.h"
#include "ui/framework/RecentFileList.h"

#include "support/ui/AppFixture.h"
#include "support/ui/FindControl.h"
#include "support/ui/KeyboardReach.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimerEvent>
#include <QToolBar>
#include <fstream>

using namespace talvane::collection;

namespace {

QStringList menuTexts(QMenu* menu)
{
    QStringList texts;
    for (QAction* action : menu->actions())
        texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

} // namespace

using MainFrameTest = AppFixture;

TEST(FrameSize, IsTheSheetPlusTheThreeBarsAndTwentyPixels)
{
    EXPECT_EQ(computeFrameSize(QRect(0, 0, 500, 400), 28, 40, 20), QSize(500, 508));
}

TEST_F(MainFrameTest, StartsUntitledAtTwentyTwentyAtItsDesignedSize)
{
    ASSERT_TRUE(start());
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("Untitled[*] - Talvane"));
    EXPECT_EQ(frame().pos(), QPoint(20, 20));
    const QSize designed = frame().designedSize();
    EXPECT_EQ(designed, frame().frameSizeWithoutList());
    EXPECT_EQ(frame().size(), designed);
    EXPECT_EQ(frame().minimumSize(), designed);
    frame().resize(300, 200);
    EXPECT_EQ(frame().size(), designed) << "the screen has room for the designed size";
    EXPECT_GE(designed.height(), view().sheetFrame().height() + 20);
    // The whole sheet shows below the bars.
    const QRect sheet(view().sheet()->mapTo(&frame(), QPoint(0, 0)), view().sheet()->size());
    EXPECT_TRUE(frame().rect().contains(sheet));
    EXPECT_FALSE(view().sheet()->isEnabled());
    EXPECT_EQ(frame().statusBar()->currentMessage(), QStringLiteral("Ready"));
}

TEST_F(MainFrameTest, MenuToolBarAndKeysAreThoseOfTheProgram)
{
    ASSERT_TRUE(start());
    const QList<QMenu*> menus = frame().menuBar()->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(frame().menuBar()->actions().size(), 4);
    EXPECT_EQ(frame().menuBar()->actions()[0]->text(), QStringLiteral("&File"));
    EXPECT_EQ(frame().menuBar()->actions()[1]->text(), QStringLiteral("&Edit"));
    EXPECT_EQ(frame().menuBar()->actions()[2]->text(), QStringLiteral("&View"));
    EXPECT_EQ(frame().menuBar()->actions()[3]->text(), QStringLiteral("&Help"));
    EXPECT_EQ(menuTexts(frame().menuBar()->actions()[0]->menu()),
              (QStringList{"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "Save &as ... \tCtrl+A",
                           "&Restore an earlier version\u2026", "Export care &calendar\u2026",
                           "S&hare with phones\u2026", "&Export tree passport\u2026", "&Import tree passport\u2026", "-", "&Print...\tCtrl+P", "Print co&llection list\u2026", "Print la&bels\u2026", "Print passpor&t\u2026", "Print set&up...", "-", "Recent &File",
                           "-", "E&xit"}));
    EXPECT_EQ(menuTexts(frame().menuBar()->actions()[2]->menu()), 
              (QStringList{"&Collection list\tCtrl+L", "Care &due\u2026\tCtrl+D", "&Timeline\u2026\tCtrl+T",
                           "&Garden location\u2026", "-", "&Language"}));
    EXPECT_EQ(frame().action(cmd::kViewCareDue)->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
    EXPECT_EQ(menuTexts(frame().menuBar()->actions()[3]->menu()),
              (QStringList{"&About Talvane...", "&Help on Talvane"}));

    EXPECT_EQ(frame().action(cmd::kFileNew)->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(frame().action(cmd::kFileOpen)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    EXPECT_EQ(frame().action(cmd::kFileSave)->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(frame().action(cmd::kFilePrint)->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    EXPECT_TRUE(frame().action(cmd::kFileSaveAs)->shortcut().isEmpty()) << "Ctrl+A is only shown";
    EXPECT_EQ(frame().action(cmd::kFilePrint)->statusTip(), QStringLiteral("Print the active document"));

    const QToolBar* tools = frame().findChild<QToolBar*>(QStringLiteral("59392"));
    ASSERT_TRUE(tools);
    QList<int> ids;
    for (QAction* action : tools->actions())
        ids.append(action->isSeparator() ? 0 : action->data().toInt());
    EXPECT_EQ(ids, (QList<int>{cmd::kFileNew, cmd::kFileOpen, cmd::kFileSave, 0, cmd::kFilePrint, cmd::kHelpOpen}));
    EXPECT_FALSE(tools->isMovable());

    EXPECT_FALSE(frame().action(cmd::kFileSave)->isEnabled());
    EXPECT_FALSE(frame().action(cmd::kFilePrint)->isEnabled());
    EXPECT_FALSE(bar().updateButton()->isEnabled());
    EXPECT_FALSE(bar().deleteButton()->isEnabled());
    EXPECT_TRUE(bar().addButton()->isEnabled());
}

TEST_F(MainFrameTest, EntryBarAndTabsAreInPlace)
{
    ASSERT_TRUE(start());
    EXPECT_EQ(bar().entryList()->objectName(), QStringLiteral("1040"));
    EXPECT_FALSE(bar().entryList()->isEditable());
    EXPECT_EQ(shownText(bar().addButton()->text()), QStringLiteral("Add"));
    EXPECT_EQ(shownText(bar().updateButton()->text()), QStringLiteral("Update"));
    EXPECT_EQ(shownText(bar().deleteButton()->text()), QStringLiteral("Delete"));
    QStringList tabs;
    for (int i = 0; i < view().sheet()->count(); ++i)
        tabs.append(shownText(view().sheet()->tabText(i)));
    EXPECT_EQ(tabs, (QStringList{"The plant", "Purchase", "Species specifics", "Transformation", "Maintenance",
                                 "Photo album", "Journal", "Garden"}));
    EXPECT_EQ(view().sheet()->currentIndex(), 0);
}

TEST_F(MainFrameTest, HelpOpensThePageOrSaysItCannot)
{
    ASSERT_TRUE(start());
    ui.prompter.expect(mb::kIdOk, QStringLiteral("Could not open Talvane help file 'Hlp\\Index.htm'"),
                       QStringLiteral("Attention"), 0);
    frame().OnHelpOpen();
    EXPECT_TRUE(ui.help.pages.empty()) << "a missing page is not handed to the browser";

    std::filesystem::create_directory(dir / "hlp");
    std::ofstream(dir / "hlp" / "index.htm") << "<html></html>";
    frame().OnHelpOpen();
    ASSERT_EQ(ui.help.pages.size(), 1u);
    EXPECT_EQ(ui.help.pages[0], q(dir / "hlp" / "index.htm"));

    // A page that no browser opened is shown by the program itself, without the message.
    ui.help.result = false;
    frame().OnHelpOpen();
    EXPECT_EQ(ui.prompter.calls().size(), 1u);
    EXPECT_NE(frame().findChild<HelpWindow*>(), nullptr);
}

TEST_F(MainFrameTest, HelpFallsBackToTheInstalledPage)
{
    ASSERT_TRUE(start());
    // An installation keeps the page in share/talvane beside the program's bin folder.
    const std::filesystem::path installed =
        std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) / ".." / "share" / "talvane";
    std::filesystem::create_directories(installed / "hlp");
    std::ofstream(installed / "hlp" / "index.htm") << "<html></html>";
    frame().OnHelpOpen();
    std::filesystem::remove_all(installed.parent_path());
    ASSERT_EQ(ui.help.pages.size(), 1u);
    EXPECT_EQ(ui.help.pages[0], QDir::cleanPath(q(installed / "hlp" / "index.htm")));
}

TEST_F(MainFrameTest, AboutBoxShowsItsFiveLines)
{
    ASSERT_TRUE(start());
    QString shown;
    ui.dialogs.expect([&shown](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About Talvane ..."));
        shown = dialog.findChild<QLabel*>(QStringLiteral("1054"))->text();
        return int(QDialog::Accepted);
    });
    frame().OnAppAbout();
    const QStringList lines = shown.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], QStringLiteral("Talvane"));
    EXPECT_EQ(lines[1], QStringLiteral("Version: 1.1.0 [Html]"));
    EXPECT_TRUE(lines[2].isEmpty());
    EXPECT_EQ(lines[4], QStringLiteral(" Orvande"));
}

TEST_F(MainFrameTest, StartsOnACollectionShowingItsFirstEntry)
{
    const auto path = makeCollection("trees.tvn", {"Maple", "Pine"});
    ASSERT_TRUE(start(q(path)));
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("trees.tvn[*] - Talvane"));
    EXPECT_EQ(listedNames(), (QStringList{"Maple", "Pine"}));
    EXPECT_EQ(bar().entryList()->currentIndex(), 0);
    EXPECT_EQ(doc().currentPosition(), 0u);
    EXPECT_TRUE(view().sheet()->isEnabled());
    EXPECT_TRUE(bar().deleteButton()->isEnabled());
    EXPECT_TRUE(frame().action(cmd::kFilePrint)->isEnabled());
}

TEST_F(MainFrameTest, AnUnreadableCollectionEndsTheStart)
{
    writeFileBytes(dir / "broken.tvn", "\x05\x00junk");
    ui.prompter.expect(mb::kIdOk, std::nullopt, QStringLiteral("Talvane"), 0x30);
    EXPECT_FALSE(start(q(dir / "broken.tvn")));
    EXPECT_TRUE(ui.prompter.calls().back().text.contains(QStringLiteral("not a valid Talvane collection")));
    EXPECT_EQ(ui.dialogs.callCount(), 0) << "no splash";
}

TEST_F(MainFrameTest, SplashClosesOnTheThirdTickOrAtOnceOnEnter)
{
    CSplashDlg splash;
    EXPECT_EQ(splash.m_nSecondsLeft, 0);
    splash.show();
    EXPECT_EQ(splash.m_nSecondsLeft, 3);
    QTimerEvent tick(1);
    QCoreApplication::sendEvent(&splash, &tick);
    QCoreApplication::sendEvent(&splash, &tick);
    EXPECT_TRUE(splash.isVisible());
    QCoreApplication::sendEvent(&splash, &tick);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_EQ(splash.result(), QDialog::Accepted);

    CSplashDlg second;
    second.show();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(&second, &enter);
    EXPECT_FALSE(second.isVisible());
}

TEST_F(MainFrameTest, EndOfSessionAsksLikeClosingTheWindow)
{
    const auto path = makeCollection("trees.tvn", {"Maple"});
    ASSERT_TRUE(start(q(path)));
    auto* cultivar = findControl<QLineEdit>(&view().plantPage(), 1022);
    cultivar->setText(QStringLiteral("Deshojo"));
    ui.prompter.expect(mb::kIdYes, kKeepChanges, QStringLiteral("Attention"), 0x24);
    ui.prompter.expect(mb::kIdYes, QStringLiteral("Do you wish to save this file before exiting:\ntrees.tvn"),
                       QStringLiteral("Attention"), 0x24);
    EXPECT_TRUE(frame().queryClose());

    EntryList saved;
    std::string error;
    ASSERT_TRUE(readCollection(readFileBytes(path), saved, error)) << error;
    EXPECT_EQ((*saved[0])[CBonsaiData::Cultivar], "Deshojo");
}

TEST_F(MainFrameTest, ClosingAnUnchangedCollectionAsksNothing)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Maple"}))));
    EXPECT_TRUE(frame().close());
    EXPECT_TRUE(ui.prompter.calls().empty());
}

TEST_F(MainFrameTest, RecentFilesAppearInTheFileMenu)
{
    const auto path = makeCollection("trees.tvn", {"Maple"});
    ASSERT_TRUE(start(q(path)));
    QAction* first = frame().findChild<QAction*>(QString::number(cmd::kFileMruFile1));
    ASSERT_TRUE(first);
    EXPECT_EQ(first->text(), QStringLiteral("&1 trees.tvn"));
    EXPECT_EQ(first->statusTip(), q(path));
}
