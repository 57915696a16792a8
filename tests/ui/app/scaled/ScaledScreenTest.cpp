// The program at twice the scale on a screen of 1600 × 1000 pixels: a test program of
// its own, since the scale is fixed before the application starts.
#include "app/CommandIds.h"
#include "app/PagesAndList.h"
#include "editing/FormPages.h"
#include "framework/AppSettings.h"
#include "overview/CollectionListPanel.h"

#include "ui/AppFixture.h"
#include "ui/OffscreenTests.h"
#include "ui/TextBoxLines.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>

namespace {

class ScaledScreenTest : public AppFixture {
protected:
    static QScreen& Screen() { return *QGuiApplication::primaryScreen(); }
    // Where a part of the window lies in it.
    QRect InWindow(const QWidget& part) const { return {part.mapTo(&frame(), QPoint(0, 0)), part.size()}; }
    bool Reachable(const QWidget& part) const { return part.isVisible() && frame().rect().contains(InWindow(part)); }
};

} // namespace

TEST_F(ScaledScreenTest, TheWindowWithTheListOpensFittingTheScreenWithEverythingWithinReach)
{
    ASSERT_EQ(Screen().devicePixelRatio(), 2.0);
    ASSERT_EQ(Screen().geometry().size() * Screen().devicePixelRatio(), QSize(1600, 1000));
    AppSettings().setValue(QStringLiteral("CollectionList/Shown"), true);
    ASSERT_TRUE(Start(Q(MakeCollection("trees.tvn", {"Maple", "Pine", "Juniper"}))));
    QTest::qWait(50);
    const QRect screen = Screen().availableGeometry();
    ASSERT_GT(frame().designedSize().width(), screen.width()) << "the designed window is wider than this screen";
    EXPECT_TRUE(screen.contains(frame().frameGeometry()));
    const QSizeF device = QSizeF(frame().frameGeometry().size()) * frame().devicePixelRatio();
    EXPECT_LE(device.width(), 1600);
    EXPECT_LE(device.height(), 1000);
    EXPECT_EQ(frame().width(), frame().minimumWidth()) << "as wide as the screen lets it be";

    // Menus, bars and buttons all show inside the window.
    for (QAction* menu : frame().menuBar()->actions())
        EXPECT_TRUE(frame().menuBar()->rect().contains(frame().menuBar()->actionGeometry(menu))) << menu->text().toStdString();
    EXPECT_TRUE(Reachable(*frame().menuBar()));
    EXPECT_TRUE(Reachable(*frame().statusBar()));
    EXPECT_TRUE(Reachable(*bar().deleteButton()));
    EXPECT_TRUE(Reachable(frame().collectionList()));

    // The pages keep their size and are all within reach of their area's scroll bars.
    const QScrollArea& pages = *frame().pagesAndList().pagesArea();
    EXPECT_EQ(view().size(), view().sheet()->size());
    EXPECT_GE(pages.viewport()->width() + pages.horizontalScrollBar()->maximum(), view().width());
    EXPECT_GE(pages.viewport()->height() + pages.verticalScrollBar()->maximum(), view().height());
    EXPECT_EQ(pages.width(), view().width()) << "the list gives up its room before the pages";
    EXPECT_GT(frame().collectionList().width(), 0);
}

TEST_F(ScaledScreenTest, WithoutTheListTheWindowOpensAtItsDesignedSize)
{
    ASSERT_TRUE(Start());
    QTest::qWait(50);
    EXPECT_EQ(frame().size(), frame().designedSize());
    EXPECT_TRUE(Screen().availableGeometry().contains(frame().frameGeometry()));

    // A size kept from a larger screen is not taken back here.
    ASSERT_TRUE(frame().close());
    app.reset();
    AppSettings().setValue(QStringLiteral("MainWindow/Size"), QSize(1400, 700));
    ASSERT_TRUE(Start());
    QTest::qWait(50);
    EXPECT_EQ(frame().size(), frame().designedSize());
    // Showing the list then grows the window only as far as the screen.
    frame().action(cmd::kViewCollectionList)->trigger();
    QTest::qWait(50);
    EXPECT_TRUE(Screen().availableGeometry().contains(frame().frameGeometry()));
    EXPECT_TRUE(Reachable(frame().collectionList()));
}

TEST_F(ScaledScreenTest, TextBoxesShowWholeLinesAtTwiceTheScale)
{
    CPage5 maintenance;
    maintenance.show();
    const QList<QTextEdit*> boxes = maintenance.findChildren<QTextEdit*>();
    ASSERT_FALSE(boxes.isEmpty());
    for (QTextEdit* box : boxes) {
        box->setPlainText(NumberedLines(40));
        QTest::qWait(1);
        const auto [top, end] = LinesAtBothEnds(*box);
        EXPECT_FALSE(top.cut) << box->objectName().toStdString();
        EXPECT_FALSE(end.cut) << box->objectName().toStdString();
    }
}

int main(int argc, char** argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    return RunOffscreenTests(argc, argv, {1600, 1000});
}
