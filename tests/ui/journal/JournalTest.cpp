#include "ui/album/PhotoAlbumPage.h"
#include "ui/app/CommandIds.h"
#include "ui/editing/FormPages.h"
#include "core/collection/CollectionFile.h"
#include "ui/framework/AnsiText.h"
#include "ui/journal/CareDueDlg.h"
#include "ui/journal/CareEventDlg.h"
#include "ui/journal/CareTexts.h"
#include "ui/journal/DateField.h"
#include "ui/journal/DueSummaryCounter.h"
#include "core/journal/Journal.h"
#include "core/journal/JournalFormat.h"
#include "ui/journal/JournalPage.h"
#include "ui/timeline/GrowthChart.h"
#include "ui/timeline/TimelineDlg.h"

#include "support/core/JournalTestTrees.h"
#include "support/ui/AppFixture.h"
#include "support/ui/FindControl.h"
#include "support/ui/GrowthChartViews.h"
#include "support/ui/KeyboardReach.h"
#include "support/ui/TextBoxLines.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <fstream>
#include <sstream>

using namespace talvane::collection;

using namespace talvane::journal;

namespace {

constexpr std::size_t kField = kJournalField;
const CalendarDate kToday = CalendarDate::today();

class JournalTest : public AppFixture {
protected:
    JournalPage& page() const { return view().journalPage(); }
    std::string field(std::size_t entry) const { return std::string(doc().entryAt(entry)[kField]); }

    // Answers the event dialog with a kind and a text, leaving the date at today.
    void answerEvent(CareKind kind, const QString& text)
    {
        ui.dialogs.expect([=](QDialog& dialog) {
            auto& event = dynamic_cast<CareEventDlg&>(dialog);
            event.kindBox()->setCurrentIndex(static_cast<int>(kind));
            event.textEdit()->setPlainText(text);
            return int(QDialog::Accepted);
        });
    }
};

} // namespace

TEST_F(JournalTest, EventsPhotosAndTasksDoneAreStepsAtOnceThatLeaveThePageEditsAlone)
{
    const std::string first = journalTextOf({CareEvent{*CalendarDate::fromText("2024-03-01"), CareKind::Repotting, std::nullopt, {}, {}, {}, {}, {}},
                                             dueIn(-2, "feed")});
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Momiji", "Pine"}, [&](CBonsaiData& e, std::size_t i) {
        if (i == 0)
            e[kField] = first;
    }))));
    EXPECT_EQ(shownText(view().sheet()->tabText(6)), QStringLiteral("Journal"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return frame().duePane()->text() == "1 care task due in the next 30 days"; }));
    // A price typed and not updated: no step below asks about it, takes it or drops it.
    auto* price = findControl<QLineEdit>(&view().purchasePage(), 1009);
    price->setText(QStringLiteral("80"));
    const auto priceStaysTyped = [&] { return price->text() == "80" && doc().entryAt(0)[CBonsaiData::PricePaid] == ""; };
    TimelineDlg timeline(doc(), ui.services(), 0);

    ui.dialogs.expect([](QDialog& dialog) {
        auto& event = dynamic_cast<CareEventDlg&>(dialog);
        event.textEdit()->setPlainText(QStringLiteral("Cut back"));
        event.amountEdit(MeasureKind::Height)->setText(QStringLiteral("42"));
        event.amountEdit(MeasureKind::Trunk)->setText(QStringLiteral("38"));
        return int(QDialog::Accepted);
    });
    page().addButton()->click();
    EXPECT_EQ(doc().history().undoText(), QStringLiteral("Add event \u201CMomiji\u201D"));
    EXPECT_EQ(Journal::read(field(0)).lines().size(), 3u);
    EXPECT_TRUE(isCharted(*timeline.growthChart(), MeasureKind::Trunk)) << "the chart sees the event at once";
    const QTreeWidgetItem* added = page().eventList()->topLevelItem(0);
    EXPECT_EQ(added->text(3), QStringLiteral("height 42 cm \u00B7 trunk 38 cm"));
    EXPECT_FALSE(page().eventList()->isColumnHidden(3));
    EXPECT_TRUE(priceStaysTyped());

    page().eventList()->setCurrentItem(page().eventList()->topLevelItem(0));
    ui.dialogs.expect([](QDialog& dialog) {
        auto& event = dynamic_cast<CareEventDlg&>(dialog);
        event.amountEdit(MeasureKind::Height)->clear();
        event.amountEdit(MeasureKind::Trunk)->clear();
        return int(QDialog::Accepted);
    });
    page().editButton()->click();
    EXPECT_EQ(doc().history().undoText(), QStringLiteral("Edit event \u201CMomiji\u201D"));
    EXPECT_FALSE(isCharted(*timeline.growthChart(), MeasureKind::Trunk)) << "the edit took the measurements away";

    ui.dialogs.expect([](QDialog& dialog) {
        dynamic_cast<CareDueDlg&>(dialog).markDoneButton()->click();
        return int(QDialog::Rejected);
    });
    frame().action(cmd::kViewCareDue)->trigger();
    EXPECT_EQ(doc().history().undoText(), QStringLiteral("Mark done \u201CMomiji\u201D"));
    EXPECT_EQ(page().eventList()->topLevelItemCount(), 4) << "the tab shows the task done";
    EXPECT_TRUE(QTest::qWaitFor([&] { return frame().duePane()->text().isEmpty(); }));

    QImage(40, 20, QImage::Format_RGB32).save(q(dir / "shot.png"));
    ui.files.expectFiles({q(dir / "shot.png")});
    page().addPhotosButton()->click();
    EXPECT_EQ(page().eventList()->topLevelItemCount(), 5);
    timeline.selectPhoto(0);
    ui.prompter.expect(mb::kIdOk);
    timeline.onUseInAlbum();
    EXPECT_EQ(doc().history().undoText(), QStringLiteral("Use in album \u201CMomiji\u201D"));
    EXPECT_EQ(view().albumPage().pictureList()->count(), 1) << "the album tab shows the photo put in it";

    page().eventList()->setCurrentItem(page().eventList()->topLevelItem(0));
    ui.prompter.expect(mb::kIdOk);
    page().deleteButton()->click();
    EXPECT_EQ(doc().history().undoText(), QStringLiteral("Delete event \u201CMomiji\u201D"));
    EXPECT_TRUE(priceStaysTyped());

    // Undo and Redo bring the list, the chart and the care due along.
    const int steps = doc().history().index();
    for (int i = 0; i < 5; ++i)
        doc().history().undo();
    EXPECT_EQ(page().eventList()->topLevelItemCount(), 3);
    EXPECT_TRUE(isCharted(*timeline.growthChart(), MeasureKind::Height));
    EXPECT_TRUE(QTest::qWaitFor([&] { return frame().duePane()->text() == "1 care task due in the next 30 days"; }));
    while (doc().history().index() < steps)
        doc().history().redo();
    EXPECT_EQ(field(0), page().m_journalText);
    EXPECT_FALSE(isCharted(*timeline.growthChart(), MeasureKind::Height));
    EXPECT_TRUE(ui.prompter.allAnswered());
}

TEST_F(JournalTest, AForeignFieldIsShownAsUnreadableAndNeverRewritten)
{
    const std::string foreign("\x01\xFFnot a journal\r\n\x00TVJ1\r\n", 24);
    const std::string partly = "TVJ1\r\n2025-02-30\tPruning\t\t\tbad day\r\n" + journalTextOf({dueIn(5, "wire\r\noff")}).substr(6);
    const auto file = makeCollection("trees.tvn", {"Foreign", "Partly"}, [&](CBonsaiData& e, std::size_t i) {
        e[kField] = i == 0 ? foreign : partly;
    });
    ASSERT_TRUE(start(q(file)));
    EXPECT_FALSE(page().addButton()->isEnabled());
    EXPECT_TRUE(page().notice()->text().contains(QStringLiteral("written by another program")));
    EXPECT_EQ(page().eventList()->topLevelItemCount(), 0);

    chooseEntry(1);
    EXPECT_TRUE(page().notice()->text().startsWith(QStringLiteral("1 line of this journal cannot be read")));
    // The line is listed after the events as it stands, greyed, and cannot be chosen.
    ASSERT_EQ(page().eventList()->topLevelItemCount(), 2);
    QTreeWidgetItem* unreadable = page().eventList()->topLevelItem(1);
    EXPECT_EQ(unreadable->text(1), QStringLiteral("Unreadable"));
    EXPECT_EQ(unreadable->text(2), QStringLiteral("2025-02-30  Pruning      bad day"));
    EXPECT_FALSE(unreadable->flags() & Qt::ItemIsSelectable);
    page().eventList()->setCurrentItem(unreadable);
    EXPECT_FALSE(page().editButton()->isEnabled());
    EXPECT_FALSE(page().deleteButton()->isEnabled());
    chooseEntry(0);
    EXPECT_TRUE(ui.prompter.calls().empty()) << "showing a journal is no edit";
    chooseEntry(1);
    ui.dialogs.expect([](QDialog& dialog) {
        dynamic_cast<CareEventDlg&>(dialog).kindBox()->setCurrentIndex(static_cast<int>(CareKind::WireRemoval));
        return int(QDialog::Accepted);
    });
    page().eventList()->setCurrentItem(page().eventList()->topLevelItem(0));
    page().editButton()->click();
    answerEvent(CareKind::Photo, QStringLiteral("Spring"));
    page().addButton()->click();
    bar().updateButton()->click();
    const Journal edited = Journal::read(field(1));
    ASSERT_EQ(edited.lines().size(), 3u);
    EXPECT_EQ(edited.lines()[0].unreadable, "2025-02-30\tPruning\t\t\tbad day") << "kept where it was";
    EXPECT_EQ(edited.lines()[1].event->kind, CareKind::WireRemoval);
    EXPECT_EQ(edited.lines()[1].event->text, "wire\r\noff") << "an untouched text keeps its line breaks";
    ASSERT_TRUE(doc().OnFileSave());

    EntryList read;
    ASSERT_FALSE(loadCollectionFile(file, read));
    EXPECT_EQ((*read[0])[kField], foreign);
    EXPECT_EQ(Journal::read((*read[1])[kField]).unreadableLineCount(), 1u);
}

TEST_F(JournalTest, TheDueCountComesAfterTheWindowAndCountsAChangeMadeMeanwhile)
{
    ASSERT_TRUE(start(q(makeCollection("many.tvn", std::vector<std::string>(2500, "Tree"), [](CBonsaiData& e, std::size_t i) {
        if (i % 1000 == 0)
            e[kField] = journalTextOf({dueIn(5, "wire")});
    }))));
    EXPECT_TRUE(QTest::qWaitFor([&] { return frame().duePane()->text() == "3 care tasks due in the next 30 days"; }));

    DueSummaryCounter counter(doc());
    std::vector<std::size_t> counts;
    QObject::connect(&counter, &DueSummaryCounter::counted, [&counts](std::size_t due, int) { counts.push_back(due); });
    counter.start(kToday, 30);
    EXPECT_TRUE(counts.empty()) << "nothing is counted before the event loop runs";
    QCoreApplication::processEvents();
    ASSERT_TRUE(counter.isCounting()) << "a slice counts a part of the trees";
    // A tree already counted gains two tasks: the count starts again.
    doc().changeFields(500, {{kField, journalTextOf({dueIn(3, "a"), dueIn(4, "b")})}}, QStringLiteral("Journal"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !counter.isCounting(); }));
    EXPECT_EQ(counts, std::vector<std::size_t>{5});
}

TEST_F(JournalTest, TheStatusCountFollowsEveryChangeOfTheEntriesAndOutlastsMenuHints)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Late", "Soon", "Idle"}, [](CBonsaiData& e, std::size_t i) {
        if (i < 2)
            e[kField] = journalTextOf({dueIn(i == 0 ? -3 : 10, "task")});
    }))));
    const auto pane = [&] { return frame().duePane()->isVisible() ? frame().duePane()->text().toStdString() : std::string(); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return pane() == "2 care tasks due in the next 30 days"; }));

    doc().changeFields(2, {{kField, journalTextOf({dueIn(1, "a"), dueIn(2, "b")})}}, QStringLiteral("Update"));
    EXPECT_EQ(pane(), "4 care tasks due in the next 30 days");
    doc().removeEntry(0);
    EXPECT_EQ(pane(), "3 care tasks due in the next 30 days");
    doc().history().undo();
    EXPECT_EQ(pane(), "4 care tasks due in the next 30 days");
    doc().history().redo();
    EXPECT_EQ(pane(), "3 care tasks due in the next 30 days");
    auto added = std::make_unique<CBonsaiData>();
    (*added)[kField] = journalTextOf({dueIn(0, "today")});
    doc().addEntry(std::move(added));
    EXPECT_EQ(pane(), "4 care tasks due in the next 30 days");
    doc().changeFieldsFromElsewhere(0, {{kField, ""}}, QStringLiteral("Mark done from phone"),
                                    [](const std::string& journal) { return journal; });
    EXPECT_EQ(pane(), "3 care tasks due in the next 30 days");
    frame().statusBar()->showMessage(QStringLiteral("Open an existing document"));
    EXPECT_EQ(pane(), "3 care tasks due in the next 30 days");
    for (std::size_t i = doc().entryCount(); i-- > 0;)
        doc().changeFields(i, {{kField, ""}}, QStringLiteral("Update"));
    EXPECT_EQ(pane(), "") << "nothing due: the pane is hidden";
}

TEST_F(JournalTest, TheDueWindowListsMarksDoneAndShowsTheChosenTree)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Later", "Soon", "Late"}, [](CBonsaiData& e, std::size_t i) {
        const long due[] = {100, 10, -3};
        e[kField] = journalTextOf({dueIn(due[i], "task " + std::to_string(i))});
    }))));
    EXPECT_TRUE(QTest::qWaitFor([&] { return frame().duePane()->text() == "2 care tasks due in the next 30 days"; }));

    // A task marked done leaves the edits on the pages of the tree shown as they are.
    findControl<QLineEdit>(&view().purchasePage(), 1009)->setText(QStringLiteral("80"));
    ui.dialogs.expect([&](QDialog& dialog) {
        auto& due = dynamic_cast<CareDueDlg&>(dialog);
        EXPECT_EQ(due.taskList()->topLevelItemCount(), 2);
        EXPECT_TRUE(due.taskList()->topLevelItem(0)->text(2).startsWith(QStringLiteral("Late: "))) << "overdue first";
        EXPECT_TRUE(due.taskList()->topLevelItem(0)->font(0).bold());
        EXPECT_FALSE(due.taskList()->topLevelItem(1)->font(0).bold());
        due.spanBox()->setValue(100);
        EXPECT_EQ(due.taskList()->topLevelItemCount(), 3);
        due.taskList()->setCurrentItem(due.taskList()->topLevelItem(1));
        due.markDoneButton()->click();
        EXPECT_EQ(due.taskList()->topLevelItemCount(), 2);
        due.taskList()->setCurrentItem(due.taskList()->topLevelItem(1));
        due.showButton()->click();
        return due.result();
    });
    frame().action(cmd::kViewCareDue)->trigger();

    const Journal done = Journal::read(field(1));
    ASSERT_EQ(done.lines().size(), 2u);
    EXPECT_FALSE(done.lines()[0].event->due);
    EXPECT_EQ(done.lines()[1].event->date, kToday);
    EXPECT_EQ(done.lines()[1].event->text, "task 1");
    EXPECT_EQ(doc().history().undoText(), QStringLiteral("Mark done \u201CSoon\u201D"));
    EXPECT_EQ(doc().currentPosition(), 0u) << "the chosen task's tree is shown";
    EXPECT_EQ(view().sheet()->currentWidget(), &page());
    EXPECT_EQ(doc().entryAt(0)[CBonsaiData::PricePaid], "");
    EXPECT_EQ(findControl<QLineEdit>(&view().purchasePage(), 1009)->text(), QStringLiteral("80"));
    EXPECT_TRUE(ui.prompter.allAnswered());
}

TEST_F(JournalTest, TheCalendarIsExportedOrTheRefusalIsSaid)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Momiji"}, [](CBonsaiData& e, std::size_t) {
        e[kField] = journalTextOf({dueIn(400, "repot"), dueIn(-20, "unwire", CareKind::WireRemoval)});
    }))));
    const auto target = dir / "care.ics";
    ui.files.expect(q(target));
    frame().action(cmd::kFileExportCareCalendar)->trigger();
    ASSERT_EQ(ui.files.calls().size(), 1u);
    EXPECT_TRUE(ui.files.calls()[0].save);
    EXPECT_EQ(ui.files.calls()[0].request.nameFilters, QStringList{QStringLiteral("iCalendar files (*.ics)")});
    std::stringstream written;
    written << std::ifstream(target).rdbuf();
    const std::string text = written.str();
    EXPECT_TRUE(text.starts_with("BEGIN:VCALENDAR"));
    EXPECT_NE(text.find("SUMMARY:Momiji: Wire removal\\, unwire"), std::string::npos) << text;
    EXPECT_EQ(frame().statusBar()->currentMessage(), QStringLiteral("2 care tasks written to the calendar"));

    std::ofstream(dir / "plain").put('x');
    ui.files.expect(q(dir / "plain" / "care.ics"));
    ui.prompter.expect(mb::kIdOk, std::nullopt, QStringLiteral("Error"), mb::kOk | mb::kIconExclamation);
    frame().action(cmd::kFileExportCareCalendar)->trigger();
    ASSERT_EQ(ui.prompter.calls().size(), 1u);
    EXPECT_TRUE(ui.prompter.calls()[0].text.startsWith(QStringLiteral("The care calendar cannot be written to ")));
    EXPECT_TRUE(ui.prompter.calls()[0].text.contains(QStringLiteral("plain/care.ics")));
}

TEST_F(JournalTest, AnEventCannotBeDueBeforeItsOwnDay)
{
    ASSERT_TRUE(start());
    CareEventDlg dialog(CareEvent{*CalendarDate::fromText("2026-05-10"), CareKind::Wiring, std::nullopt, {}, {}, {}, {}, {}}, {});
    QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    dialog.dueBox()->setChecked(true);
    dialog.dueEdit()->setDate(QDate(2026, 5, 9));
    ok->click();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.problemLabel()->isHidden());
    EXPECT_EQ(dialog.problemLabel()->text(), QStringLiteral("The next step cannot be due before the event's day."));

    // Due on the day itself is allowed, and so is no due date at all.
    dialog.dueEdit()->setDate(QDate(2026, 5, 10));
    ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.problemLabel()->isHidden());
    EXPECT_EQ(dialog.event().due, CalendarDate::fromText("2026-05-10"));
    dialog.setResult(0);
    dialog.dueEdit()->setDate(QDate(2026, 1, 1));
    dialog.dueBox()->setChecked(false);
    ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.event().due, std::nullopt);
}

TEST_F(JournalTest, DatesAreTakenAsTypedInTheIsoAndTheLocalesShortForm)
{
    const QLocale us(QLocale::English, QLocale::UnitedStates), gb(QLocale::English, QLocale::UnitedKingdom),
        de(QLocale::German, QLocale::Germany);
    const QDate ides(2027, 3, 15);
    EXPECT_EQ(parseTypedDate(QStringLiteral(" 2027-03-15 "), us), ides);
    EXPECT_EQ(parseTypedDate(QStringLiteral("2027-3-5"), gb), QDate(2027, 3, 5));
    EXPECT_EQ(parseTypedDate(QStringLiteral("3/15/27"), us), ides);
    EXPECT_EQ(parseTypedDate(QStringLiteral("3/15/2027"), us), ides);
    EXPECT_EQ(parseTypedDate(QStringLiteral("15/03/2027"), gb), ides);
    EXPECT_EQ(parseTypedDate(QStringLiteral("5/3/2027"), gb), QDate(2027, 3, 5));
    EXPECT_EQ(parseTypedDate(QStringLiteral("15.03.27"), de), ides);
    for (const char* bad : {"", "soon", "2027-02-30", "0000-01-01", "2027-03-15x", "15/13/2027", "15/03/27/1", "32.01.27"})
        EXPECT_EQ(parseTypedDate(QString::fromLatin1(bad), gb), std::nullopt) << bad;
    EXPECT_EQ(parseTypedDate(QStringLiteral("03/15/2027"), gb), std::nullopt) << "the month comes second in Britain";

    ASSERT_TRUE(start());
    CareEventDlg dialog(CareEvent{*CalendarDate::fromText("2026-05-10"), CareKind::Feeding, std::nullopt, {}, {}, {}, {}, {}}, {});
    QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    EXPECT_FALSE(dialog.repeatBox()->isEnabled()) << "a repeat needs a due date";
    dialog.dueBox()->setChecked(true);
    dialog.dueEdit()->lineEdit()->setText(QStringLiteral("2027-03-15"));
    emit dialog.dueEdit()->lineEdit()->editingFinished();
    EXPECT_EQ(dialog.dueEdit()->date(), ides);
    EXPECT_TRUE(dialog.dueEdit()->lineEdit()->text().contains(QStringLiteral("2027"))) << "the year shown in full";
    dialog.dateEdit()->lineEdit()->setText(QStringLiteral("the tenth"));
    ok->click();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.problemLabel()->text().startsWith(QStringLiteral("The event's date is not a day of the calendar: type it as 2027-03-15 or ")));
    dialog.dateEdit()->setDate(QDate(2026, 5, 10));

    dialog.repeatBox()->setChecked(true);
    EXPECT_FALSE(dialog.firstMonthBox()->isEnabled());
    dialog.repeatEveryBox()->setValue(2);
    dialog.monthsBox()->setChecked(true);
    dialog.firstMonthBox()->setCurrentIndex(3);
    dialog.lastMonthBox()->setCurrentIndex(8);
    ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(eventLine(dialog.event()), "2026-05-10\tFeeding\t2027-03-15\t\t\trepeat=2w@4-9");

    // The repeat is shown again as stored, and goes with the due date.
    CareEventDlg again(dialog.event(), {});
    EXPECT_TRUE(again.repeatBox()->isChecked());
    EXPECT_EQ(again.repeatEveryBox()->value(), 2);
    EXPECT_EQ(again.lastMonthBox()->currentText(), QStringLiteral("September"));
    again.dueBox()->setChecked(false);
    EXPECT_FALSE(again.repeatEveryBox()->isEnabled());
    EXPECT_EQ(eventLine(again.event()), "2026-05-10\tFeeding\t\t\t");
}

TEST(CareEventDialog, ItsTextBoxShowsWholeLinesAsTheDialogIsResized)
{
    CareEvent event{*CalendarDate::fromText("2026-05-10"), CareKind::Wiring, std::nullopt, {}, {}, {}, {}, {}};
    event.text = toAnsi(numberedLines(30));
    CareEventDlg dialog(event, {});
    dialog.show();
    for (const int taller : {0, 37, 61}) {
        dialog.resize(dialog.width(), dialog.sizeHint().height() + taller);
        QTest::qWait(10);
        const auto [top, end] = linesAtBothEnds(*dialog.textEdit());
        EXPECT_FALSE(top.cut) << taller;
        EXPECT_FALSE(end.cut) << taller;
        EXPECT_GE(top.whole, 2) << taller;
    }
    EXPECT_EQ(dialog.event().text, event.text) << "the lines are only shown, never changed";
}

TEST_F(JournalTest, MarkDoneOnARepeatingTaskListsItsNextDueDate)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Momiji"}, [](CBonsaiData& e, std::size_t) {
        CareEvent feeding = dueIn(-1, "feed");
        feeding.repeat = CareRepeat{2, RepeatUnit::Week, std::nullopt};
        e[kField] = journalTextOf({feeding});
    }))));
    ui.dialogs.expect([&](QDialog& dialog) {
        auto& due = dynamic_cast<CareDueDlg&>(dialog);
        due.markDoneButton()->click();
        EXPECT_EQ(due.taskList()->topLevelItemCount(), 1);
        EXPECT_EQ(due.taskList()->topLevelItem(0)->text(0), shortDateText(kToday.plusDays(14)));
        EXPECT_EQ(due.taskList()->topLevelItem(0)->text(1), QStringLiteral("In 14 days"));
        return int(QDialog::Rejected);
    });
    frame().action(cmd::kViewCareDue)->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return frame().duePane()->text() == "1 care task due in the next 30 days"; }));
    const auto dueCell = page().findChild<QTreeWidget*>()->topLevelItem(0)->text(4);
    EXPECT_TRUE(dueCell.endsWith(QStringLiteral(" \u21BB"))) << qPrintable(dueCell);
}
