#include "ui/app/CommandIds.h"
#include "ui/app/PagesAndList.h"
#include "ui/framework/AppSettings.h"
#include "ui/framework/WindowPlacement.h"
#include "ui/overview/CollectionListPanel.h"

#include "support/ui/AppFixture.h"

#include <QAction>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QSplitterHandle>
#include <QTest>

namespace {

class WindowSizeTest : public AppFixture {
protected:
    void showList() { frame().action(cmd::kViewCollectionList)->trigger(); }
    PagesAndList& central() const { return frame().pagesAndList(); }
    CollectionListPanel& list() const { return frame().collectionList(); }
    QScrollArea& pagesArea() const { return *central().pagesArea(); }
    // Lets the window lay itself out, as it does before it is next painted.
    // A layout posts the next one: on a slow machine (a sanitizer build) one pass of the
    // event loop can outlast a short wait, so the passes are counted, not the time.
    static void settle()
    {
        for (int pass = 0; pass < 5; ++pass)
            QTest::qWait(20);
    }

    // Closes the window as the user does, which keeps its layout, and starts the program again.
    void restart()
    {
        ASSERT_TRUE(frame().close());
        app.reset();
        ASSERT_TRUE(start());
        settle();
    }

    // Drags the handle between the pages and the list by `dx` pixels.
    void dragHandle(int dx)
    {
        QSplitterHandle* handle = central().handle(1);
        const QPoint grip = handle->rect().center();
        QTest::mousePress(handle, Qt::LeftButton, {}, grip);
        QTest::mouseMove(handle, grip + QPoint(dx, 0));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(dx, 0));
        settle();
    }
};

} // namespace

TEST(FitWithin, MovesAFrameInsideTheAreaAndShrinksOnlyWhatIsTooLarge)
{
    const QRect area(0, 30, 800, 500);
    EXPECT_EQ(fitWithin(QRect(20, 40, 300, 200), area), QRect(20, 40, 300, 200)) << "inside already";
    EXPECT_EQ(fitWithin(QRect(700, 400, 300, 200), area), QRect(500, 330, 300, 200)) << "moved back in";
    EXPECT_EQ(fitWithin(QRect(-50, 0, 300, 200), area), QRect(0, 30, 300, 200));
    EXPECT_EQ(fitWithin(QRect(20, 20, 1066, 484), area), QRect(0, 30, 800, 484)) << "too wide: as wide as the area";
    EXPECT_EQ(fitWithin(QRect(20, 20, 1200, 900), area), area);
}

TEST(PagesAndList, ALowAreaGivesThePagesRoomForTheirVerticalScrollBarOnly)
{
    // The splitter owns both once it holds them.
    auto* pages = new QWidget;
    pages->setFixedSize(600, 400);
    auto* list = new QWidget;
    PagesAndList central(pages, list);
    central.resize(1000, 500);
    central.show();
    QTest::qWait(20);
    QScrollArea& area = *central.pagesArea();
    EXPECT_EQ(area.width(), 600);
    EXPECT_EQ(area.verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(area.horizontalScrollBar()->maximum(), 0);

    central.resize(1000, 300);
    QTest::qWait(20);
    EXPECT_EQ(area.width(), 600 + area.verticalScrollBar()->width());
    EXPECT_EQ(area.verticalScrollBar()->maximum(), 100);
    EXPECT_EQ(area.horizontalScrollBar()->maximum(), 0) << "the pages' width stays in view";
    EXPECT_EQ(list->width(), 1000 - central.handleWidth() - area.width());

    // Narrower than the pages by choice, the area keeps that width whatever its height.
    central.setPagesWidth(450);
    central.resize(1000, 500);
    QTest::qWait(20);
    EXPECT_EQ(area.width(), 450);
    EXPECT_EQ(area.horizontalScrollBar()->maximum(), 150);
    central.setPagesWidth(600);
    EXPECT_EQ(area.width(), 600);
}

TEST_F(WindowSizeTest, EnlargingGivesTheRoomToTheListAndTheHandleTakesFromThePages)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Maple", "Pine"}))));
    showList();
    settle();
    const QSize pages = view().size();
    const QSize designed = frame().designedSize();
    EXPECT_EQ(designed, frame().frameSizeWithoutList() + QSize(460, 0));
    EXPECT_EQ(frame().size(), designed);
    EXPECT_EQ(pagesArea().width(), pages.width()) << "the pages' area is as wide as the pages, no more";
    const int listWidth = list().width();
    EXPECT_EQ(listWidth, 460 - central().handleWidth());

    frame().resize(designed + QSize(300, 200));
    settle();
    EXPECT_EQ(list().width(), listWidth + 300);
    EXPECT_EQ(list().height(), pagesArea().height());
    EXPECT_EQ(view().size(), pages);
    EXPECT_EQ(pagesArea().width(), pages.width());
    EXPECT_EQ(pagesArea().horizontalScrollBar()->maximum(), 0) << "nothing to scroll while the window is large enough";
    EXPECT_EQ(pagesArea().verticalScrollBar()->maximum(), 0);

    // The handle gives the list some of the pages' room; the pages then scroll.
    dragHandle(-120);
    EXPECT_EQ(pagesArea().width(), pages.width() - 120);
    EXPECT_EQ(list().width(), listWidth + 420);
    EXPECT_EQ(view().size(), pages);
    EXPECT_EQ(pagesArea().horizontalScrollBar()->maximum(), 120 + pagesArea().verticalScrollBar()->isVisible() *
                                                                        pagesArea().verticalScrollBar()->width());
    // It cannot give the pages more than their own width.
    dragHandle(400);
    EXPECT_LE(pagesArea().width(), pagesArea().maximumWidth());
    EXPECT_LE(pagesArea().maximumWidth(), pages.width() + pagesArea().verticalScrollBar()->sizeHint().width());

    // Narrowed again, the window keeps the pages' area as the handle left it.
    dragHandle(-pagesArea().width() + pages.width() - 50);
    frame().resize(designed);
    settle();
    EXPECT_EQ(pagesArea().width(), pages.width() - 50);
    EXPECT_EQ(list().width(), listWidth + 50);
}

TEST_F(WindowSizeTest, NeverShrinksBelowItsDesignedSizeWhereTheScreenHasRoom)
{
    ASSERT_TRUE(start());
    const QSize pagesOnly = frame().designedSize();
    ASSERT_LT(pagesOnly.width(), QGuiApplication::primaryScreen()->availableGeometry().width());
    frame().resize(pagesOnly - QSize(100, 100));
    EXPECT_EQ(frame().size(), pagesOnly);
    frame().resize(pagesOnly + QSize(100, 0));
    settle();
    EXPECT_EQ(view().size(), pagesArea().widget()->size());
    EXPECT_EQ(view().pos(), QPoint(0, 0)) << "the pages stay at the top left";

    showList();
    EXPECT_EQ(frame().minimumSize(), pagesOnly + QSize(460, 0));
    EXPECT_EQ(frame().width(), pagesOnly.width() + 460) << "the room already there is used first";
    frame().resize(frame().minimumSize() - QSize(1, 1));
    EXPECT_EQ(frame().size(), pagesOnly + QSize(460, 0));

    frame().action(cmd::kViewCollectionList)->trigger();
    EXPECT_EQ(frame().minimumSize(), pagesOnly);
    EXPECT_EQ(frame().size(), pagesOnly) << "the list's room is given back";
}

TEST_F(WindowSizeTest, SplitterColumnsAndWindowAreRememberedWhereTheyFit)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Maple", "Pine"}))));
    showList();
    settle();
    const int pages = view().width();
    frame().resize(frame().designedSize() + QSize(240, 110));
    frame().move(60, 70);
    settle();
    dragHandle(-80);
    list().table()->horizontalHeader()->resizeSection(0, 222);
    const QSize enlarged = frame().size();

    restart();
    EXPECT_TRUE(frame().action(cmd::kViewCollectionList)->isChecked());
    EXPECT_EQ(frame().size(), enlarged);
    EXPECT_EQ(frame().pos(), QPoint(60, 70));
    EXPECT_EQ(pagesArea().width(), pages - 80);
    EXPECT_EQ(list().table()->horizontalHeader()->sectionSize(0), 222);

    // Hidden, the list gives its room back; shown again, it comes back as wide as it was.
    const int listWidth = list().width();
    frame().action(cmd::kViewCollectionList)->trigger();
    EXPECT_EQ(frame().width(), frame().frameSizeWithoutList().width());
    showList();
    settle();
    EXPECT_EQ(frame().width(), enlarged.width());
    EXPECT_EQ(list().width(), listWidth);

    // A size larger than the screen, or a place off it, is not taken back: the window
    // opens at its designed size, at the top left.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_TRUE(frame().close());
    app.reset();
    appSettings().remove(QStringLiteral("CollectionList"));
    appSettings().setValue(QStringLiteral("MainWindow/Size"), screen.size() + QSize(1, 0));
    appSettings().setValue(QStringLiteral("MainWindow/Position"), QPoint(screen.right() - 100, 40));
    ASSERT_TRUE(start());
    settle();
    EXPECT_EQ(frame().size(), frame().designedSize());
    EXPECT_EQ(frame().pos(), QPoint(20, 20));
}

TEST_F(WindowSizeTest, AMaximizedWindowComesBackMaximizedOverItsEarlierSize)
{
    ASSERT_TRUE(start());
    frame().resize(frame().designedSize() + QSize(50, 40));
    settle();
    const QSize normal = frame().size();
    frame().showMaximized();
    settle();
    ASSERT_TRUE(frame().isMaximized());

    restart();
    EXPECT_TRUE(frame().isMaximized());
    frame().showNormal();
    settle();
    EXPECT_EQ(frame().size(), normal);
}
