#include "ui/app/CommandIds.h"
#include "ui/journal/CareEventDlg.h"
#include "ui/journal/CareTexts.h"
#include "core/journal/Journal.h"
#include "ui/journal/JournalPage.h"
#include "ui/timeline/CompareDlg.h"
#include "ui/timeline/GrowthChart.h"
#include "ui/timeline/PhotoReading.h"
#include "ui/timeline/PhotoViewer.h"
#include "ui/timeline/ThumbnailCache.h"
#include "ui/timeline/TimelineDlg.h"
#include "ui/timeline/TimelineModel.h"

#include "support/core/PhotoTestFiles.h"
#include "support/ui/AppFixture.h"
#include "support/ui/GrowthChartViews.h"

#include <QAbstractSeries>
#include <QChart>
#include <QComboBox>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <fstream>

using namespace talvane::journal;

namespace {

// A photo 40 wide and 20 high, red on its left half, as a camera would store it.
std::string wideJpeg(const std::filesystem::path& path, const ExifTags& tags)
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            image.setPixel(x, y, qRgb(255, 0, 0));
    image.save(QString::fromStdString(path.string()), "JPG", 95);
    return tagJpeg(path.string(), tags);
}

// Why the timeline cannot show a photo, as its tile says.
QString problemOf(const TimelineModel& model, std::size_t photo)
{
    return model.data(model.index(model.rowOf(photo)), TimelineModel::ProblemRole).toString();
}

class TimelineTest : public AppFixture {
protected:
    std::string journal(std::size_t entry) const { return std::string(doc().entryAt(entry)[kJournalField]); }

    // Runs the timeline of the shown tree, handing it to `use` once its thumbnails are in.
    void withTimeline(const std::function<void(TimelineDlg&)>& use)
    {
        ui.dialogs.expect([&](QDialog& dialog) {
            auto& timeline = dynamic_cast<TimelineDlg&>(dialog);
            const auto& model = timeline.model();
            const auto loaded = [&] {
                for (std::size_t i = 0; i < model.photos().size(); ++i)
                    if (model.data(model.index(model.rowOf(i)), Qt::DecorationRole).value<QImage>().isNull() &&
                        problemOf(model, i).isEmpty())
                        return false;
                return true;
            };
            EXPECT_TRUE(QTest::qWaitFor(loaded, 10000));
            use(timeline);
            return int(QDialog::Rejected);
        });
        frame().onViewTimeline();
    }
};

} // namespace

TEST_F(TimelineTest, PhotosAddedFromTheJournalTabAreOneStepAndTheTimelineShowsThemBySeason)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Momiji"}))));
    const auto spring = wideJpeg(dir / "spring.jpg", {.dateTimeOriginal = "2025:04:20 10:00:00"});
    const auto autumn = wideJpeg(dir / "autumn.jpg", {.dateTimeOriginal = "2025:10:02 10:00:00", .orientation = 6});
    writePngWithExif((dir / "lost.png").string(), {.dateTimeOriginal = "2026:04:22 10:00:00"});
    std::ofstream(dir / "notes.jpg") << "not a photo at all";

    ui.files.expectFiles({q(dir / "autumn.jpg"), q(dir / "spring.jpg"), q(dir / "lost.png"), q(dir / "notes.jpg")});
    view().journalPage().addPhotosButton()->click();
    EXPECT_EQ(doc().history().undoText(), QStringLiteral("Add photos to \u201CMomiji\u201D"));
    EXPECT_EQ(folderNames(dir / "Photos").size(), 4u);
    std::filesystem::remove(dir / "Photos" / "2026-04-22 Momiji.png");

    withTimeline([&](TimelineDlg& timeline) {
        const auto& model = timeline.model();
        QStringList rows;
        for (int row = 0; row < model.rowCount(); ++row)
            rows << model.data(model.index(row), Qt::DisplayRole).toString();
        // A file without a camera date is dated by the file: today.
        const CalendarDate today = CalendarDate::today();
        const QString todaysGroup = QStringLiteral("%1 %2").arg(
            QString::fromLatin1(talvane::timeline::seasonName(talvane::timeline::seasonOf(today.month())))).arg(today.year());
        ASSERT_EQ(rows.size(), 8) << rows.join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(rows[0], QStringLiteral("Spring 2025"));
        EXPECT_EQ(rows[2], QStringLiteral("Autumn 2025"));
        EXPECT_EQ(rows[4], QStringLiteral("Spring 2026"));
        EXPECT_EQ(rows[6], todaysGroup);
        // The autumn photo stands on its side: its camera said to turn it a quarter.
        const QImage turned = model.data(model.index(3), Qt::DecorationRole).value<QImage>();
        ASSERT_EQ(turned.size(), QSize(20, 40));
        // A quarter turn clockwise brings the red left half to the top.
        EXPECT_GT(turned.pixelColor(10, 5).red(), 200);
        EXPECT_GT(turned.pixelColor(10, 35).blue(), 200);
        EXPECT_EQ(problemOf(model, 2), QStringLiteral("The photo is missing."));
        EXPECT_EQ(problemOf(model, 3), QStringLiteral("No reader on this computer can open this photo."));
        EXPECT_TRUE(timeline.summary()->text().startsWith(QStringLiteral("4 photos")));

        // The viewer steps with the arrow keys and stops at the ends.
        timeline.selectPhoto(0);
        ui.dialogs.expect([](QDialog& dialog) {
            auto& viewer = dynamic_cast<PhotoViewer&>(dialog);
            QTest::keyClick(viewer.view(), Qt::Key_Right);
            EXPECT_EQ(viewer.shownIndex(), 1u);
            QTest::keyClick(viewer.view(), Qt::Key_Right);
            QTest::keyClick(viewer.view(), Qt::Key_Right);
            QTest::keyClick(viewer.view(), Qt::Key_Right);
            EXPECT_EQ(viewer.shownIndex(), 3u);
            EXPECT_TRUE(viewer.notice()->text().startsWith(QStringLiteral("No reader")));
            viewer.showActualSize();
            viewer.zoomIn();
            EXPECT_DOUBLE_EQ(viewer.zoom(), 1.25);
            return int(QDialog::Rejected);
        });
        timeline.onViewPhoto();
        EXPECT_EQ(timeline.selectedPhoto(), 3u);
    });

    doc().history().undo();
    EXPECT_EQ(journal(0), "");
}

TEST_F(TimelineTest, CompareStartsAYearBackAndUseInAlbumFillsTheFirstFreePlace)
{
    QImage(10, 10, QImage::Format_RGB32).save(q(dir / "Album" / "old.bmp"), "BMP");
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Pine"}, [](CBonsaiData& entry, std::size_t) {
        entry[CBonsaiData::photoField(0)] = "old.bmp";
    }))));
    const QStringList photos = {q(wideJpeg(dir / "a.jpg", {.dateTimeOriginal = "2024:05:01 10:00:00"})),
                                q(wideJpeg(dir / "b.jpg", {.dateTimeOriginal = "2025:04:28 10:00:00"})),
                                q(wideJpeg(dir / "c.jpg", {.dateTimeOriginal = "2025:08:01 10:00:00"})),
                                q(wideJpeg(dir / "d.jpg", {.dateTimeOriginal = "2026:05:02 10:00:00"}))};
    ui.files.expectFiles(photos);
    ui.dialogs.expect([&](QDialog& dialog) {
        auto& timeline = dynamic_cast<TimelineDlg&>(dialog);
        timeline.onAddPhotos();
        EXPECT_EQ(timeline.model().photos().size(), 4u);
        ui.dialogs.expect([](QDialog& dialog) {
            auto& compare = dynamic_cast<CompareDlg&>(dialog);
            EXPECT_EQ(compare.firstBox()->currentIndex(), 1);
            EXPECT_EQ(compare.secondBox()->currentIndex(), 3);
            return int(QDialog::Rejected);
        });
        timeline.onCompare();

        timeline.selectPhoto(2);
        ui.prompter.expect(mb::kIdOk);
        timeline.onUseInAlbum();
        return int(QDialog::Rejected);
    });
    frame().onViewTimeline();
    const CBonsaiData& entry = doc().entryAt(0);
    EXPECT_EQ(entry[CBonsaiData::photoField(0)], "old.bmp");
    EXPECT_EQ(entry[CBonsaiData::photoField(1)], "2025-08-01 Pine.bmp");
    EXPECT_TRUE(std::filesystem::exists(dir / "Album" / "2025-08-01 Pine.bmp"));
    EXPECT_EQ(doc().history().undoText(), QStringLiteral("Use in album \u201CPine\u201D"));
}

TEST_F(TimelineTest, MeasurementsTypedInTheEventDialogAreChartedInCentimetres)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Elm"}))));
    for (const char* typed : {"42", "3,5"}) {
        ui.dialogs.expect([typed](QDialog& dialog) {
            auto& event = dynamic_cast<CareEventDlg&>(dialog);
            event.amountEdit(MeasureKind::Height)->setText(QString::fromLatin1(typed));
            QTest::keyClicks(event.amountEdit(MeasureKind::Trunk), QStringLiteral("x7y"));
            return int(QDialog::Accepted);
        });
        view().journalPage().onEventAdd();
    }
    const auto events = Journal::read(view().journalPage().m_journalText).newestFirst();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1].event.measurements,
              (std::vector<Measurement>{{MeasureKind::Height, "42", LengthUnit::Centimetre},
                                        {MeasureKind::Trunk, "7", LengthUnit::Centimetre}}));
    EXPECT_EQ(events[0].event.measurements.at(0).amount, "3.5");

    GrowthChart chart;
    chart.showJournal(Journal::read(view().journalPage().m_journalText));
    EXPECT_TRUE(isCharted(chart, MeasureKind::Height) && isCharted(chart, MeasureKind::Trunk));
    EXPECT_FALSE(isCharted(chart, MeasureKind::Nebari) || isCharted(chart, MeasureKind::Canopy));
    EXPECT_TRUE(chart.notice()->text().isEmpty());
    chart.showJournal(Journal::read(""));
    EXPECT_FALSE(isCharted(chart, MeasureKind::Height) || isCharted(chart, MeasureKind::Trunk));
    EXPECT_FALSE(chart.notice()->text().isEmpty());
}

TEST_F(TimelineTest, AnEventsPhotosStandAtItsDateEachWithTheDayItWasTaken)
{
    std::filesystem::create_directories(dir / "Photos");
    wideJpeg(dir / "Photos" / "a.jpg", {.dateTimeOriginal = "2025:06:01 10:00:00"});
    wideJpeg(dir / "Photos" / "b.jpg", {.dateTimeOriginal = "2025:05:28 10:00:00"});
    CareEvent repotted{*CalendarDate::fromText("2025-06-01"), CareKind::Repotting, std::nullopt, {}, "new pot", {}, {}, {}};
    repotted.setPictures({"Photos/a.jpg", "Photos/b.jpg"});
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Elm"}, [&](CBonsaiData& entry, std::size_t) {
        auto journal = talvane::journal::Journal::read("");
        journal.add(repotted);
        journal.add({*CalendarDate::fromText("2025-07-01"), CareKind::Note, std::nullopt, {}, "watered", {}, {}, {}});
        entry[kJournalField] = journal.text();
    }))));

    // The Journal tab counts the event's photos and names them.
    JournalPage& page = view().journalPage();
    const QTreeWidgetItem* row = page.eventList()->topLevelItem(1);
    EXPECT_FALSE(page.eventList()->isColumnHidden(5));
    EXPECT_EQ(row->text(5), QStringLiteral("2"));
    EXPECT_EQ(row->toolTip(5), QStringLiteral("a.jpg\nb.jpg"));
    EXPECT_EQ(page.eventList()->topLevelItem(0)->text(5), QString());
    // An edit keeps the photos it does not offer to change.
    page.eventList()->setCurrentItem(page.eventList()->topLevelItem(1));
    ui.dialogs.expect([](QDialog& dialog) {
        dynamic_cast<CareEventDlg&>(dialog).textEdit()->setPlainText(QStringLiteral("bigger pot"));
        return int(QDialog::Accepted);
    });
    page.onEventEdit();
    const auto edited = talvane::journal::Journal::read(journal(0)).lines().at(0).event;
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->text, "bigger pot");
    EXPECT_EQ(edited->pictures(), repotted.pictures());

    withTimeline([&](TimelineDlg& timeline) {
        const auto& model = timeline.model();
        ASSERT_EQ(model.photos().size(), 2u);
        EXPECT_EQ(model.rowCount(), 3) << "one heading: both stand at the event's date";
        const QString day = shortDateText(*CalendarDate::fromText("2025-06-01"));
        EXPECT_EQ(model.captionOf(0), day + QStringLiteral(" \u00B7 Repotting \u00B7 bigger pot"));
        EXPECT_EQ(model.captionOf(1), model.captionOf(0) + QStringLiteral(" \u00B7 taken ") +
                                          shortDateText(*CalendarDate::fromText("2025-05-28")));
        EXPECT_TRUE(model.data(model.index(model.rowOf(1)), Qt::ToolTipRole).toString().startsWith(model.captionOf(1)));
        EXPECT_TRUE(timeline.summary()->text().startsWith(QStringLiteral("2 photos")));
    });
}
