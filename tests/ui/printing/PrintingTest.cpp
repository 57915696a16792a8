#include "ui/app/CommandIds.h"
#include "ui/app/MainFrame.h"
#include "ui/editing/FormPages.h"
#include "ui/overview/CollectionListPanel.h"
#include "core/search/ListColumns.h"
#include "core/collection/TreeIdentity.h"
#include "core/labels/TreeLabel.h"
#include "ui/printing/BatchPrint.h"
#include "ui/printing/LabelPages.h"
#include "ui/printing/LabelsDlg.h"
#include "ui/printing/PrintChoiceDlg.h"
#include "ui/printing/PrintProgress.h"
#include "ui/printing/ReportPages.h"
#include "ui/printing/ReportPrinting.h"

#include "support/ui/AppFixture.h"
#include "support/ui/FindControl.h"

#include <QAction>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>

using namespace talvane::report;

namespace {

// The text of a PDF, one string per page, as pdftotext lays it out.
QStringList pdfPages(const std::filesystem::path& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QString::fromStdString(pdf.string()), QStringLiteral("-")});
    EXPECT_TRUE(process.waitForFinished(30000));
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// The texts of a page, trimmed, without the empty lines pdftotext adds for gaps.
QStringList textLines(const QString& page)
{
    QStringList lines;
    for (const QString& line : page.split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty())
            lines.append(line.trimmed());
    }
    return lines;
}

class PrintingTest : public AppFixture {
protected:
    void startOnTwoEntries()
    {
        ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Maple", "Pine"}, [](CBonsaiData& e, std::size_t i) {
            e[CBonsaiData::BotanicalName] = i == 0 ? "Acer palmatum" : "Pinus parviflora";
        }))));
    }

    // Answers the choice dialog with one of its buttons.
    void choose(int button)
    {
        ui.dialogs.expect([button](QDialog& dialog) {
            findControl<QPushButton>(&dialog, button)->click();
            return dialog.result();
        });
    }

    // Answers the print dialog: print to a PDF file, optionally a page range.
    void PrintTo(const std::filesystem::path& pdf, int from = 0, int to = 0, int expectedLast = 0)
    {
        ui.printers.expect([=](QPrinter& printer, int first, int last) {
            EXPECT_EQ(first, 1);
            if (expectedLast) {
                EXPECT_EQ(last, expectedLast);
            }
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(q(pdf));
            printer.setFromTo(from, to);
            return true;
        });
    }
};

} // namespace

TEST(ReportPages, TextsSitAtTheirTwipPositions)
{
    ReportLines lines;
    for (int i = 0; i < 130; ++i)
        lines.push_back("line " + std::to_string(i));
    // At 1440 dots per inch a twip is a pixel.
    const auto page1 = layOutReportPage(std::span(lines).first(60), 1, QStringLiteral("trees.tvn"), 1440, 200, 500);
    ASSERT_EQ(page1.size(), 63);
    EXPECT_EQ(page1[0].topLeft, QPointF(0, 0));
    EXPECT_EQ(page1[0].text, QStringLiteral("Talvane"));
    EXPECT_EQ(page1[1].topLeft, QPointF(720, 1640));
    EXPECT_EQ(page1[1].text, QStringLiteral("line 0"));
    EXPECT_EQ(page1[60].topLeft, QPointF(720, 1440 + 60 * 200));
    EXPECT_EQ(page1[61].topLeft, QPointF(0, 14400));
    EXPECT_EQ(page1[61].text, QStringLiteral("Document trees.tvn"));
    EXPECT_EQ(page1[62].topLeft, QPointF(11020, 14400));
    EXPECT_EQ(page1[62].text, QStringLiteral("Page 1"));

    const auto page3 = layOutReportPage(std::span(lines).subspan(120), 3, QStringLiteral("t"), 720, 100, 10, 15840);
    ASSERT_EQ(page3.size(), 3 + 10);
    EXPECT_EQ(page3[1].text, QStringLiteral("line 120"));
    EXPECT_EQ(page3[1].topLeft, QPointF(360, 820));
    EXPECT_EQ(page3.last().text, QStringLiteral("Page 3"));
    EXPECT_EQ(page3.last().topLeft, QPointF(7910, 7200)) << "the number ends where it is told: eleven inches";
}

TEST_F(PrintingTest, ChoiceDialogSetsTheSwitchOrCancelsEverything)
{
    startOnTwoEntries();
    ui.dialogs.expect([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Print the ..."));
        dialog.reject();
        return dialog.result();
    });
    app->printing().OnFilePrintChoice();  // no print dialog expected

    CPrintChoiceDlg choice;
    findControl<QPushButton>(&choice, CPrintChoiceDlg::kCompleteList)->click();
    EXPECT_EQ(choice.result(), QDialog::Accepted);
    EXPECT_TRUE(choice.printAll());
    EXPECT_TRUE(findControl<QPushButton>(&choice, CPrintChoiceDlg::kCompleteList)->isDefault());
    findControl<QPushButton>(&choice, CPrintChoiceDlg::kCurrentSelection)->click();
    EXPECT_FALSE(choice.printAll());
}

TEST_F(PrintingTest, CompleteListPrintsEachEntryOnItsOwnPagesWithHeaderAndFooter)
{
    startOnTwoEntries();
    const auto pdf = dir / "all.pdf";
    choose(CPrintChoiceDlg::kCompleteList);
    PrintTo(pdf, 0, 0, 4);
    app->printing().OnFilePrintChoice();
    EXPECT_EQ(app->printing().lastPage(), 1) << "the four pages' lines are freed after the run";

    const QStringList pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 4) << "240 lines fill four pages, with no empty fifth";
    for (int i = 0; i < pages.size(); ++i) {
        EXPECT_TRUE(pages[i].trimmed().startsWith(QStringLiteral("Talvane"))) << i;
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Document trees.tvn"))) << i;
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Page %1").arg(i + 1))) << i;
    }
    const QStringList first = textLines(pages[0]);
    EXPECT_EQ(first[0], QStringLiteral("Talvane"));
    EXPECT_EQ(first[1], QString(65, QLatin1Char('-')));
    EXPECT_EQ(first[2], QStringLiteral("Name or ID number: Maple"));
    EXPECT_TRUE(first.last().startsWith(QStringLiteral("Document trees.tvn")));
    EXPECT_TRUE(first.last().endsWith(QStringLiteral("Page 1")));
    EXPECT_EQ(textLines(pages[2])[2], QStringLiteral("Name or ID number: Pine"));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("[File ]")));
}

TEST_F(PrintingTest, APageRangePrintsTheSameSheetsAsAFullRun)
{
    startOnTwoEntries();
    const auto full = dir / "full.pdf";
    const auto part = dir / "part.pdf";
    choose(CPrintChoiceDlg::kCompleteList);
    PrintTo(full);
    app->printing().OnFilePrintChoice();
    choose(CPrintChoiceDlg::kCompleteList);
    PrintTo(part, 3, 4);
    app->printing().OnFilePrintChoice();
    const QStringList all = pdfPages(full);
    const QStringList some = pdfPages(part);
    ASSERT_EQ(all.size(), 4);
    ASSERT_EQ(some.size(), 2);
    EXPECT_EQ(some[0], all[2]);
    EXPECT_EQ(some[1], all[3]);
}

TEST_F(PrintingTest, CurrentSelectionOffersToKeepEditsAndPrintsTwoPages)
{
    startOnTwoEntries();
    findControl<QLineEdit>(&view().plantPage(), 1022)->setText(QStringLiteral("Deshojo"));
    const auto pdf = dir / "one.pdf";
    choose(CPrintChoiceDlg::kCurrentSelection);
    ui.prompter.expect(mb::kIdYes, kKeepChanges);
    PrintTo(pdf, 0, 0, 2);
    app->printing().OnFilePrintChoice();
    const QStringList pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 2);
    // Report line 59 ends the first page and line 60 starts the second.
    const QStringList first = textLines(pages[0]);
    EXPECT_EQ(first[first.size() - 2], QStringLiteral("Date:"));
    EXPECT_EQ(textLines(pages[1])[1], QStringLiteral("Age:"));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Cultivar: Deshojo")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Pine")));
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(PrintingTest, ACancelledPrintDialogPrintsNothing)
{
    startOnTwoEntries();
    choose(CPrintChoiceDlg::kCurrentSelection);
    ui.printers.expect([](QPrinter&, int, int) { return false; });
    app->printing().OnFilePrintChoice();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3)
        << "only the album, the file and its lock";

    app->printing().OnFilePrintSetup();
    EXPECT_EQ(ui.printers.pageSetups, 1);
}

TEST_F(PrintingTest, PrintingWithoutAWindowWritesAPdfOrSaysWhyNot)
{
    const auto collection = makeCollection("trees.tvn", {"Maple", "Pine", "Elm"});
    const auto pdf = dir / "batch.pdf";
    EXPECT_EQ(printCollectionToPdf(q(collection), q(pdf), 1), 0);
    QStringList pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Name or ID number: Pine")));

    EXPECT_EQ(printCollectionToPdf(q(collection), q(pdf), std::nullopt), 0);
    EXPECT_EQ(pdfPages(pdf).size(), 6);

    EXPECT_EQ(printCollectionToPdf(q(collection), q(dir / "no.pdf"), 3), 1);
    EXPECT_EQ(printCollectionToPdf(q(collection), q(dir / "no.pdf"), -1), 1);
    EXPECT_EQ(printCollectionToPdf(q(dir / "missing.tvn"), q(dir / "no.pdf"), std::nullopt), 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "no.pdf"));
}

namespace {

// Stops a run before the page `stopAt` of the run, and notes every page it hears of.
class StoppingProgress : public PrintProgress {
public:
    explicit StoppingProgress(int stopAt) : m_stopAt(stopAt) {}
    bool pageStarting(int ordinal, int count) override
    {
        heard.append(QStringLiteral("%1/%2").arg(ordinal).arg(count));
        return ordinal != m_stopAt;
    }
    QStringList heard;

private:
    int m_stopAt;
};

ReportLines numberedLines(int count)
{
    ReportLines lines;
    for (int i = 0; i < count; ++i)
        lines.push_back("line " + std::to_string(i));
    return lines;
}

// Prints lines made by the test, 60 a page.
PrintOutcome printLines(QPrinter& printer, const ReportLines& lines, const QString& title, PrintProgress* progress = nullptr)
{
    const auto drawPage = [&](QPainter& painter, int page) {
        const std::size_t first = static_cast<std::size_t>(page - 1) * kReportPageLines;
        drawReportPage(painter, std::span(lines).subspan(first, std::min(kReportPageLines, lines.size() - first)), page, title);
    };
    return printPages(printer, static_cast<int>((lines.size() + kReportPageLines - 1) / kReportPageLines), drawPage, progress);
}

} // namespace

TEST_F(PrintingTest, AStoppedRunLeavesNoPartialPdfAndKeepsTheOldFile)
{
    const auto pdf = dir / "report.pdf";
    writeFileBytes(pdf, "the report printed last week");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(q(pdf));
    printer.setFromTo(2, 5);
    StoppingProgress stopping(3);
    QList<int> drawn;
    const auto drawPage = [&](QPainter&, int page) { drawn.append(page); };
    EXPECT_EQ(printPages(printer, 9, drawPage, &stopping), PrintOutcome::Cancelled);
    EXPECT_EQ(stopping.heard, (QStringList{"1/4", "2/4", "3/4"}));
    EXPECT_EQ(drawn, (QList<int>{2, 3})) << "the run stops between two pages";
    EXPECT_EQ(readFileBytes(pdf), "the report printed last week");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2) << "the album and the old file";
    EXPECT_EQ(printer.outputFileName(), q(pdf));

    printer.setFromTo(0, 0);
    StoppingProgress never(0);
    EXPECT_EQ(printLines(printer, numberedLines(130), QStringLiteral("t"), &never), PrintOutcome::Printed);
    EXPECT_EQ(pdfPages(pdf).size(), 3);
    EXPECT_EQ(never.heard.last(), QStringLiteral("3/3"));

    std::filesystem::remove(pdf);
    StoppingProgress first(1);
    EXPECT_EQ(printLines(printer, numberedLines(130), QStringLiteral("t"), &first), PrintOutcome::Cancelled);
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST(PrintProgressDialog, CountsPagesAndCancelStopsAtTheNextPage)
{
    PrintProgressDialog progress(nullptr);
    EXPECT_TRUE(progress.pageStarting(12, 240));
    EXPECT_EQ(progress.dialog().labelText(), QStringLiteral("Printing page 12 of 240"));
    EXPECT_EQ(progress.dialog().minimumDuration(), 500);
    progress.dialog().cancel();
    EXPECT_FALSE(progress.pageStarting(13, 240));
}

TEST_F(PrintingTest, PdfTextKeepsTenMillimetresFromEveryEdge)
{
    const std::pair<QPageSize::PageSizeId, QPageLayout::Orientation> sheets[] = {
        {QPageSize::A4, QPageLayout::Portrait}, {QPageSize::Letter, QPageLayout::Portrait},
        {QPageSize::A5, QPageLayout::Portrait}, {QPageSize::A4, QPageLayout::Landscape}};
    for (const auto& [size, orientation] : sheets) {
        const auto pdf = dir / "margins.pdf";
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(q(pdf));
        printer.setPageSize(QPageSize(size));
        printer.setPageOrientation(orientation);
        CBonsaiData entry;
        entry[CBonsaiData::Name] = "Maple";
        ReportLines lines;
        BuildEntryReport(&entry, lines, true);
        lines.insert(lines.begin(), std::string(80, 'W'));
        ASSERT_EQ(printLines(printer, lines, QStringLiteral("a-rather-long-collection-name.tvn")), PrintOutcome::Printed);

        QProcess process;
        process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), q(pdf), QStringLiteral("-")});
        ASSERT_TRUE(process.waitForFinished(30000));
        const QString html = QString::fromUtf8(process.readAllStandardOutput());
        const QRegularExpression pageSize(QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)")re"));
        const auto sheet = pageSize.match(html);
        ASSERT_TRUE(sheet.hasMatch());
        const double width = sheet.captured(1).toDouble();
        const double height = sheet.captured(2).toDouble();
        const double margin = 10.0 / 25.4 * 72.0;
        const QRegularExpression word(
            QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re"));
        int words = 0;
        double pageNumberEnd = 0;
        for (auto it = word.globalMatch(html); it.hasNext(); ++words) {
            const auto w = it.next();
            if (w.captured(5) == QStringLiteral("1") && w.captured(2).toDouble() > height / 2)
                pageNumberEnd = w.captured(3).toDouble();
            EXPECT_GE(w.captured(1).toDouble(), margin) << w.captured(5).toStdString() << " size " << int(size);
            EXPECT_GE(w.captured(2).toDouble(), margin) << w.captured(5).toStdString() << " size " << int(size);
            EXPECT_LE(w.captured(3).toDouble(), width - margin) << w.captured(5).toStdString() << " size " << int(size);
            EXPECT_LE(w.captured(4).toDouble(), height - margin) << w.captured(5).toStdString() << " size " << int(size);
        }
        EXPECT_GT(words, 20);
        EXPECT_GT(pageNumberEnd, width - 2 * margin) << "the page number ends at the sheet's right side, size " << int(size);
    }
}

TEST_F(PrintingTest, TheCollectionListPrintsAsListedAndCutsWhatTheSheetCannotHold)
{
    const std::string longName = "Pine " + std::string(150, 'w');
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Pine b", "Maple", longName, "Pine a"}, [](CBonsaiData& e, std::size_t i) {
        e[CBonsaiData::BotanicalName] = i == 1 ? "Acer palmatum" : "Pinus parviflora";
    }))));
    CollectionListPanel& list = frame().collectionList();
    list.filterBox()->setText(QStringLiteral("pine"));
    list.table()->sortByColumn(0, Qt::DescendingOrder);
    QHeaderView* header = list.table()->horizontalHeader();
    header->hideSection(static_cast<int>(talvane::search::ListColumn::Photos));
    header->moveSection(header->visualIndex(static_cast<int>(talvane::search::ListColumn::BotanicalName)), 0);
    const auto orientation = app->printer().pageLayout().orientation();

    const auto pdf = dir / "list.pdf";
    PrintTo(pdf, 0, 0, 1);
    frame().action(cmd::kFilePrintCollectionList)->trigger();
    const QStringList pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    const QStringList lines = textLines(pages[0]);
    ASSERT_GE(lines.size(), 8);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("trees.tvn"))) << lines[0].toStdString();
    EXPECT_EQ(lines[1], QStringLiteral("Filter: pine"));
    EXPECT_EQ(lines[2], QStringLiteral("3 of 4 trees"));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("Botanical name"))) << lines[3].toStdString();
    EXPECT_FALSE(lines[3].contains(QStringLiteral("Photos")));
    EXPECT_TRUE(lines[4].contains(QStringLiteral("Pine www"))) << "sorted as listed, the longest name first";
    EXPECT_TRUE(lines[4].contains(QStringLiteral("\u2026"))) << "cut to fit the sheet";
    EXPECT_FALSE(lines[4].contains(QString::fromStdString(longName)));
    EXPECT_TRUE(lines[5].contains(QStringLiteral("Pine b")));
    EXPECT_TRUE(lines[6].contains(QStringLiteral("Pine a")));
    EXPECT_EQ(lines.last(), QStringLiteral("Page 1 of 1"));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Maple")));
    EXPECT_EQ(app->printer().pageLayout().orientation(), orientation) << "the report keeps its sheet";
}

TEST_F(PrintingTest, TheInventorySaysTheFilterWordsItWasMadeWith)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Oak on a bench", "Oak", "Elm"}))));
    CollectionListPanel& list = frame().collectionList();
    const auto printed = [&](const QString& filter) {
        list.filterBox()->setText(filter);
        PrintTo(dir / "list.pdf");
        frame().action(cmd::kFilePrintCollectionList)->trigger();
        return textLines(pdfPages(dir / "list.pdf").value(0));
    };
    QStringList lines = printed(QStringLiteral("  oak \t bench "));
    EXPECT_EQ(lines.mid(1, 2), QStringList({QStringLiteral("Filter: oak bench"), QStringLiteral("1 of 3 trees")}))
        << "under the title, the words as the filter reads them";
    EXPECT_EQ(printed(QString()).value(1), QStringLiteral("3 trees")) << "no filter, no filter line";
    lines = printed(QStringLiteral("oak ").repeated(80));
    EXPECT_TRUE(lines.value(1).startsWith(QStringLiteral("Filter: oak oak"))) << lines.value(1).toStdString();
    EXPECT_TRUE(lines.value(1).endsWith(QStringLiteral("\u2026"))) << "a filter wider than the sheet is cut, on one line";
    EXPECT_EQ(lines.value(2), QStringLiteral("2 of 3 trees"));

    ASSERT_EQ(printInventoryToPdf(q(dir / "trees.tvn"), q(dir / "batch.pdf"), QStringLiteral("elm ")), 0);
    lines = textLines(pdfPages(dir / "batch.pdf").value(0));
    EXPECT_EQ(lines.mid(1, 2), QStringList({QStringLiteral("Filter: elm"), QStringLiteral("1 of 3 trees")})) << "and without a window";
}

TEST_F(PrintingTest, LabelsStartAtTheChosenPlaceAndTheirQrCodesNameTheirTrees)
{
    const std::vector<std::string> names = {"Maple", "Pine", "Elm", "Oak", "Ash"};
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", names))));
    ui.dialogs.expect([](QDialog& dialog) {
        auto& labels = dynamic_cast<LabelsDlg&>(dialog);
        EXPECT_FALSE(labels.selectedButton()->isEnabled()) << "nothing is selected in the list";
        EXPECT_TRUE(labels.listedButton()->isChecked());
        labels.startBox()->setValue(3);
        EXPECT_EQ(labels.sheetCountLabel()->text(), QStringLiteral("1 sheet"));
        labels.startBox()->setValue(22);
        EXPECT_EQ(labels.sheetCountLabel()->text(), QStringLiteral("2 sheets"));
        labels.startBox()->setValue(3);
        return int(QDialog::Accepted);
    });
    const auto pdf = dir / "labels.pdf";
    PrintTo(pdf, 0, 0, 1);
    frame().action(cmd::kFilePrintLabels)->trigger();
    EXPECT_EQ(doc().history().undoText(), QStringLiteral("Identify 5 trees for their labels"));
    const std::vector<std::string_view> ids = talvane::collection::treeIds(doc().entries());

    QProcess boxes;
    boxes.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), q(pdf), QStringLiteral("-")});
    ASSERT_TRUE(boxes.waitForFinished(30000));
    const QString html = QString::fromUtf8(boxes.readAllStandardOutput());
    const double point = 72 / 25.4;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const QRegularExpression word(QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">%1<)re")
                                          .arg(QString::fromStdString(names[i])));
        const auto found = word.match(html);
        ASSERT_TRUE(found.hasMatch()) << names[i];
        const QRectF label = labelSheetPresets().front().labelRect(static_cast<int>(i) + 2);
        EXPECT_GT(found.captured(1).toDouble(), label.left() * point + 20) << names[i] << ": right of its QR code";
        EXPECT_LT(found.captured(3).toDouble(), label.right() * point) << names[i];
        EXPECT_GT(found.captured(2).toDouble(), label.top() * point) << names[i];
        EXPECT_LT(found.captured(4).toDouble(), label.bottom() * point) << names[i];
        EXPECT_TRUE(html.contains(QString::fromStdString(talvane::labels::treeCode(ids[i])))) << names[i];
    }

    // The codes are read back from the printed sheet as a phone's scanner reads them.
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("200"), QStringLiteral("-png"),
                                              QStringLiteral("-singlefile"), q(pdf), q(dir / "labels")});
    ASSERT_TRUE(render.waitForFinished(60000));
    QProcess scan;
    scan.start(QStringLiteral("zbarimg"), {QStringLiteral("--quiet"), QStringLiteral("--raw"), q(dir / "labels.png")});
    ASSERT_TRUE(scan.waitForFinished(60000));
    QStringList read = QString::fromUtf8(scan.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    read.sort();
    QStringList expected;
    for (const std::string_view id : ids)
        expected.append(QString::fromStdString(talvane::labels::treeQrText(id)));
    expected.sort();
    EXPECT_EQ(read, expected);
    EXPECT_EQ(app->printer().pageLayout().pageSize().id(), QPageSize::A4) << "the report's sheet is put back";
}

TEST(LabelPages, ALongNameGoesOnToASecondLineBeforeItIsCut)
{
    QImage device(10, 10, QImage::Format_RGB32);
    const double pixelsPerMillimetre = 300 / 25.4;
    device.setDotsPerMeterX(static_cast<int>(pixelsPerMillimetre * 1000));
    device.setDotsPerMeterY(static_cast<int>(pixelsPerMillimetre * 1000));
    const QString twoLines = QStringLiteral("Black pine of the old mill");
    const QString tooLong = QStringLiteral("Japanese black pine from the nursery by the old mill of Saint-Martin");
    for (const LabelSheet& sheet : labelSheetPresets()) {
        const QRectF rect(QPointF(0, 0), QSizeF(sheet.labelWidth, sheet.labelHeight) * pixelsPerMillimetre);
        const auto lines = [&](const QString& name) {
            const LabelLayout layout = layOutTreeLabel(
                device, rect, pixelsPerMillimetre, {name, QStringLiteral("Pinus thunbergii"), QStringLiteral("1Y7T-TPYS"), "talvane:tree/x"});
            QStringList texts;
            for (const LabelLine& line : layout.lines) {
                texts.append(line.text);
                const QFontMetricsF metrics(line.font, &device);
                EXPECT_GE(line.topLeft.x(), layout.qrCode.right()) << line.text.toStdString();
                EXPECT_LE(line.topLeft.x() + metrics.horizontalAdvance(line.text), rect.right()) << line.text.toStdString();
                EXPECT_LE(line.topLeft.y() + metrics.height(), rect.bottom()) << line.text.toStdString();
            }
            return texts;
        };
        const std::string where = sheet.name.toStdString();
        const QStringList under = {QStringLiteral("Pinus thunbergii"), QStringLiteral("1Y7T-TPYS")};
        EXPECT_EQ(lines(QStringLiteral("Elm")), QStringList(QStringLiteral("Elm")) + under) << where;
        QStringList wrapped = lines(twoLines);
        ASSERT_EQ(wrapped.size(), 4) << where << ": the name on two lines, the botanical name and the code under it";
        EXPECT_EQ(wrapped[0] + QLatin1Char(' ') + wrapped[1], twoLines) << where << ": broken between words, nothing cut";
        EXPECT_EQ(wrapped.mid(2), under) << where;
        wrapped = lines(tooLong);
        ASSERT_EQ(wrapped.size(), 4) << where;
        EXPECT_TRUE(tooLong.startsWith(wrapped[0] + QLatin1Char(' '))) << where << ": " << wrapped[0].toStdString();
        EXPECT_TRUE(wrapped[1].endsWith(QStringLiteral("\u2026"))) << where << ": " << wrapped[1].toStdString();
        EXPECT_TRUE(tooLong.contains(wrapped[1].chopped(1))) << where << ": the second line goes on from the first";
    }
}

TEST(LabelsDlg, ASheetThatCannotBePrintedIsSaidAndCannotBeChosen)
{
    LabelsDlg dialog({}, {TreeLabel{QStringLiteral("Maple"), QStringLiteral("Acer"), {}, {}}});
    EXPECT_TRUE(dialog.problemLabel()->isHidden());
    dialog.sheetBox()->setCurrentIndex(dialog.sheetBox()->count() - 1);
    dialog.columnsBox()->setValue(4);
    EXPECT_EQ(dialog.problemLabel()->text(), QStringLiteral("The labels do not fit on the paper."));
    EXPECT_FALSE(dialog.printButton()->isEnabled());
    dialog.columnsBox()->setValue(3);
    EXPECT_TRUE(dialog.problemLabel()->text().isEmpty());
    EXPECT_TRUE(dialog.printButton()->isEnabled());
    EXPECT_EQ(dialog.sheet().labelsPerSheet(), 24);
    EXPECT_EQ(dialog.startBox()->maximum(), 24);
}
