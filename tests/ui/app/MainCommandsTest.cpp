#include "ui/app/CommandIds.h"
#include "ui/app/MainCommands.h"
#include "ui/editing/FormPages.h"

#include "support/ui/AppFixture.h"
#include "support/ui/FindControl.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <set>

namespace {

using MainCommandsTest = AppFixture;

QMenu* menuTitled(QMenuBar& bar, const QString& title)
{
    for (QAction* menu : bar.actions())
        if (menu->text() == title)
            return menu->menu();
    return nullptr;
}

// Every command of the table is enabled as its predicate says in that state.
void expectEnabledAsTheTableSays(CMainFrame& frame, const CommandState& state, const char* situation)
{
    for (const MainCommand& command : mainCommands()) {
        if (command.row != MenuRow::Command)
            continue;
        const bool enabled = !command.enabled || command.enabled(state);
        EXPECT_EQ(frame.action(command.id)->isEnabled(), enabled) << command.text << " " << situation;
    }
}

} // namespace

TEST_F(MainCommandsTest, EachCommandHasItsOwnIdItsMenuOneThingToDoAndTheKeyItShows)
{
    ASSERT_TRUE(start());
    std::set<int> ids;
    for (const MainCommand& command : mainCommands()) {
        if (command.row != MenuRow::Command)
            continue;
        const std::string name = command.text;
        EXPECT_TRUE(ids.insert(command.id).second) << name << ": its id is another command's";
        EXPECT_NE(!command.run, !command.toggle) << name << ": either runs or is checked on and off";
        QAction* action = frame().action(command.id);
        ASSERT_TRUE(action) << name;
        EXPECT_EQ(action->objectName(), QString::number(command.id)) << name;
        EXPECT_EQ(action->data().toInt(), command.id) << name;
        const QMenu* menu = menuTitled(*frame().menuBar(), CMainFrame::tr(menuTitle(command.menu)));
        ASSERT_TRUE(menu) << name;
        EXPECT_TRUE(menu->actions().contains(action)) << name << " is not in its menu";
        // The key shown after the tab is the one bound; Save as only shows its own.
        const QString shown = action->text().section(QLatin1Char('\t'), 1);
        if (!shown.isEmpty() && command.id != cmd::kFileSaveAs) {
            EXPECT_EQ(action->shortcut(), QKeySequence(shown)) << name;
        }
    }
    EXPECT_EQ(frame().action(cmd::kFileMruFile1), nullptr) << "a recent collection is no command of the table";
}

TEST_F(MainCommandsTest, CommandsAreEnabledAsTheirPredicatesSayWithACollectionOpenAndWithout)
{
    ASSERT_TRUE(start());
    const CommandState nothingShown;
    expectEnabledAsTheTableSays(frame(), nothingShown, "in a new collection");
    EXPECT_FALSE(frame().isWindowModified());

    ASSERT_TRUE(doc().openDocumentFile(q(makeCollection("trees.tvn", {"Maple", "Pine"}))));
    const CommandState treeShown{.treeShown = true, .hasFile = true};
    expectEnabledAsTheTableSays(frame(), treeShown, "with a tree shown");

    // Typing on a page is unsaved work before any Update; the Update is a step to undo.
    QTest::keyClicks(findControl<QLineEdit>(&view().plantPage(), 1022), QStringLiteral("Deshojo"));
    const CommandState edited{.unsaved = true, .treeShown = true, .hasFile = true};
    expectEnabledAsTheTableSays(frame(), edited, "with a page edited");
    EXPECT_TRUE(frame().isWindowModified());
    bar().updateButton()->click();
    const CommandState updated{.unsaved = true, .canUndo = true, .treeShown = true, .hasFile = true};
    expectEnabledAsTheTableSays(frame(), updated, "after an Update");
}
