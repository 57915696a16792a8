// The program at twice the scale on a screen of 1600 × 1000 pixels: a test program of
// its own, since the scale is fixed before the application starts.
#include "ui/album/NewPictureDlg.h"
#include "ui/album/PictureViewer.h"
#include "ui/app/AboutDlg.h"
#include "ui/app/CommandIds.h"
#include "ui/app/EarlierVersionsDlg.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/PagesAndList.h"
#include "ui/app/SplashDlg.h"
#include "ui/companion/PhoneSharing.h"
#include "ui/companion/ShareDlg.h"
#include "ui/editing/FormPages.h"
#include "ui/editing/NewEntryDlg.h"
#include "ui/editing/RenameEntryDlg.h"
#include "ui/framework/AppSettings.h"
#include "ui/journal/CareDueDlg.h"
#include "ui/journal/CareEventDlg.h"
#include "ui/overview/CollectionListPanel.h"
#include "ui/passport/TreePassportCommands.h"
#include "ui/printing/LabelsDlg.h"
#include "ui/printing/PrintChoiceDlg.h"
#include "ui/timeline/CompareDlg.h"
#include "ui/timeline/PhotoViewer.h"
#include "ui/timeline/TimelineDlg.h"
#include "ui/timeline/TimelineGrid.h"
#include "ui/timeline/TimelineModel.h"

#include "support/ui/AppFixture.h"
#include "support/ui/OffscreenTests.h"
#include "support/ui/TextBoxLines.h"

#include <QAbstractButton>
#include <QAction>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>

using namespace talvane::collection;

namespace {

class ScaledScreenTest : public AppFixture {
protected:
    static QScreen& screen() { return *QGuiApplication::primaryScreen(); }
    // Where a part of the window lies in it.
    QRect inWindow(const QWidget& part) const { return {part.mapTo(&frame(), QPoint(0, 0)), part.size()}; }
    bool reachable(const QWidget& part) const { return part.isVisible() && frame().rect().contains(inWindow(part)); }

    // Shows a window of the program as it opens, and checks that it lies within the
    // screen with every button it shows outside a scrolled area inside it.
    template <typename Window, typename... Arguments>
    void expectFitting(Arguments&&... arguments)
    {
        Window window(std::forward<Arguments>(arguments)...);
        const std::string name = window.metaObject()->className();
        static_cast<QWidget&>(window).show();
        QTest::qWait(20);
        EXPECT_TRUE(screen().availableGeometry().contains(window.frameGeometry()))
            << name << " " << window.frameGeometry().width() << "x" << window.frameGeometry().height();
        for (const QAbstractButton* button : window.template findChildren<QAbstractButton*>()) {
            if (!button->isVisibleTo(&window) || inScrolledArea(*button, window))
                continue;
            const QRect place(button->mapTo(&window, QPoint(0, 0)), button->size());
            EXPECT_TRUE(window.rect().contains(place)) << name << " " << button->text().toStdString();
            EXPECT_TRUE(screen().availableGeometry().contains(place.translated(window.geometry().topLeft())))
                << name << " " << button->text().toStdString();
        }
    }
    static bool inScrolledArea(const QWidget& part, const QWidget& window)
    {
        for (const QWidget* up = part.parentWidget(); up && up != &window; up = up->parentWidget())
            if (qobject_cast<const QAbstractScrollArea*>(up))
                return true;
        return false;
    }
};

} // namespace

TEST_F(ScaledScreenTest, TheWindowWithTheListOpensFittingTheScreenWithEverythingWithinReach)
{
    ASSERT_EQ(screen().devicePixelRatio(), 2.0);
    ASSERT_EQ(screen().geometry().size() * screen().devicePixelRatio(), QSize(1600, 1000));
    appSettings().setValue(QStringLiteral("CollectionList/Shown"), true);
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Maple", "Pine", "Juniper"}))));
    QTest::qWait(50);
    const QRect available = screen().availableGeometry();
    ASSERT_GT(frame().designedSize().width(), available.width()) << "the designed window is wider than this available";
    EXPECT_TRUE(available.contains(frame().frameGeometry()));
    const QSizeF device = QSizeF(frame().frameGeometry().size()) * frame().devicePixelRatio();
    EXPECT_LE(device.width(), 1600);
    EXPECT_LE(device.height(), 1000);
    EXPECT_EQ(frame().width(), frame().minimumWidth()) << "as wide as the available lets it be";

    // Menus, bars and buttons all show inside the window.
    for (QAction* menu : frame().menuBar()->actions())
        EXPECT_TRUE(frame().menuBar()->rect().contains(frame().menuBar()->actionGeometry(menu))) << menu->text().toStdString();
    EXPECT_TRUE(reachable(*frame().menuBar()));
    EXPECT_TRUE(reachable(*frame().statusBar()));
    EXPECT_TRUE(reachable(*bar().deleteButton()));
    EXPECT_TRUE(reachable(frame().collectionList()));

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
    ASSERT_TRUE(start());
    QTest::qWait(50);
    EXPECT_EQ(frame().size(), frame().designedSize());
    EXPECT_TRUE(screen().availableGeometry().contains(frame().frameGeometry()));

    // A size kept from a larger screen is not taken back here.
    ASSERT_TRUE(frame().close());
    app.reset();
    appSettings().setValue(QStringLiteral("MainWindow/Size"), QSize(1400, 700));
    ASSERT_TRUE(start());
    QTest::qWait(50);
    EXPECT_EQ(frame().size(), frame().designedSize());
    // Showing the list then grows the window only as far as the screen.
    frame().action(cmd::kViewCollectionList)->trigger();
    QTest::qWait(50);
    EXPECT_TRUE(screen().availableGeometry().contains(frame().frameGeometry()));
    EXPECT_TRUE(reachable(frame().collectionList()));
}

TEST_F(ScaledScreenTest, TextBoxesShowWholeLinesAtTwiceTheScale)
{
    CPage5 maintenance;
    maintenance.show();
    const QList<QTextEdit*> boxes = maintenance.findChildren<QTextEdit*>();
    ASSERT_FALSE(boxes.isEmpty());
    for (QTextEdit* box : boxes) {
        box->setPlainText(numberedLines(40));
        QTest::qWait(1);
        const auto [top, end] = linesAtBothEnds(*box);
        EXPECT_FALSE(top.cut) << box->objectName().toStdString();
        EXPECT_FALSE(end.cut) << box->objectName().toStdString();
    }
}

TEST_F(ScaledScreenTest, EveryWindowOpensWithinTheScreenWithItsButtonsInReach)
{
    const QString photo = q(dir / "photo.jpg");
    QImage(4000, 3000, QImage::Format_RGB32).save(photo, "JPG");
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Maple"}))));
    QWidget* owner = &frame();
    const std::vector<CaptionedPhoto> photos = {{photo, QStringLiteral("1 May 2025")}, {photo, QStringLiteral("2 May 2026")}};
    const TreeLabel label{QStringLiteral("Maple"), QStringLiteral("Acer palmatum"), QStringLiteral("1Y7T-TPYS"), "talvane:tree/1"};
    PhoneSharing sharing(doc());
    expectFitting<CAboutDlg>(owner);
    expectFitting<CSplashDlg>(owner);
    expectFitting<EarlierVersionsDlg>(std::vector<KeptVersion>{{dir / "trees.tvn", 1700000000, 1, 2000}}, owner);
    expectFitting<HelpWindow>(owner);
    expectFitting<CNewPictureDlg>(owner);
    expectFitting<PictureViewer>(QImage(250, 250, QImage::Format_RGB32), QStringLiteral("Maple"), owner);
    expectFitting<CNewEntryDlg>(owner);
    expectFitting<RenameEntryDlg>("Maple", owner);
    expectFitting<CareDueDlg>(doc(), ui.prompter, talvane::journal::CalendarDate::today(), owner);
    const talvane::journal::CareEvent event{talvane::journal::CalendarDate::today(), talvane::journal::CareKind::Note,
                                            std::nullopt, "", "", "", {}, {}};
    expectFitting<CareEventDlg>(event, QStringList{QStringLiteral("maple.bmp")}, owner);
    expectFitting<ShareDlg>(sharing, ui.services(), owner);
    expectFitting<CPrintChoiceDlg>(owner);
    expectFitting<LabelsDlg>(std::vector<TreeLabel>{label}, std::vector<TreeLabel>{label}, owner);
    expectFitting<PassportGiverDlg>(QStringLiteral("Maple"), owner);
    expectFitting<TimelineDlg>(doc(), ui.services(), std::size_t{0}, owner);
    expectFitting<PhotoViewer>(photos, std::size_t{0}, owner);
    expectFitting<CompareDlg>(photos, std::size_t{0}, std::size_t{1}, owner);
}

TEST_F(ScaledScreenTest, TheTimelineFillsItsRowsWithPhotosAndShowsWholeCaptions)
{
    // Twelve photos of one spring, the last with a text far longer than a tile.
    const std::string longText = "Repotted into the blue pot; the roots were cut back by a third and the moss laid again";
    std::filesystem::create_directories(dir / "Photos");
    std::string journal = "TVJ1";
    for (int day = 10; day < 22; ++day) {
        const std::string name = "2025-05-" + std::to_string(day) + " Maple.jpg";
        QImage(400, 300, QImage::Format_RGB32).save(q(dir / "Photos" / name), "JPG");
        journal += "\r\n2025-05-" + std::to_string(day) + "\tPhoto\t\tPhotos/" + name + "\t" + (day == 21 ? longText : "buds");
    }
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Maple"}, [&](CBonsaiData& entry, std::size_t) {
        entry[talvane::journal::kJournalField] = journal;
    }))));
    TimelineDlg timeline(doc(), ui.services(), 0, &frame());
    timeline.showMaximized();
    QTest::qWait(50);
    const TimelineGrid& grid = *timeline.photoList();
    const TimelineModel& model = timeline.model();
    ASSERT_EQ(model.photos().size(), 12u);

    // A maximised window on this screen of 1600 pixels lays six photos a row or more,
    // and the row reaches across the grid.
    const int top = grid.visualRect(model.index(model.rowOf(0))).top();
    int firstRow = 0;
    int rowEnd = 0;
    for (std::size_t photo = 0; photo < model.photos().size(); ++photo) {
        const QRect tile = grid.visualRect(model.index(model.rowOf(photo)));
        if (tile.top() == top) {
            ++firstRow;
            rowEnd = tile.right() + 1;
        }
    }
    EXPECT_GE(firstRow, 6);
    EXPECT_EQ(firstRow, grid.columns());
    EXPECT_LE(grid.viewport()->width() - rowEnd, grid.columns() + grid.spacing()) << "no wide empty margin";

    // The whole caption is in the tile's tool tip and in the viewer, which Home and End
    // take to the first and the last photo.
    const QModelIndex last = model.index(model.rowOf(11));
    EXPECT_TRUE(model.data(last, Qt::ToolTipRole).toString().contains(QString::fromStdString(longText)));
    timeline.selectPhoto(5);
    ui.dialogs.expect([&](QDialog& dialog) {
        auto& viewer = dynamic_cast<PhotoViewer&>(dialog);
        QTest::keyClick(viewer.view(), Qt::Key_End);
        EXPECT_EQ(viewer.shownIndex(), 11u);
        EXPECT_TRUE(viewer.caption()->text().endsWith(QString::fromStdString(longText)));
        QTest::keyClick(viewer.view(), Qt::Key_Home);
        EXPECT_EQ(viewer.shownIndex(), 0u);
        return int(QDialog::Rejected);
    });
    timeline.onViewPhoto();
    EXPECT_EQ(timeline.selectedPhoto(), 0u);
}

int main(int argc, char** argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    return runOffscreenTests(argc, argv, {1600, 1000});
}
