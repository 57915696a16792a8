#include "ui/printing/ReportPages.h"

#include <QCoreApplication>

#include "ui/framework/AnsiText.h"
#include "ui/printing/PrintProgress.h"
#include "ui/printing/StagedPdfOutput.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

using namespace talvane::report;

namespace {

constexpr double kTwipsPerInch = 1440.0;
// A little over the 10 mm wanted: the PDF engine rounds margins down to whole points.
constexpr double kPdfMarginMillimetres = 10.5;
constexpr double kPageWidthInches = 8.0;
constexpr double kFooterInches = 10.0;

} // namespace

void keepPdfMargins(QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::PdfFormat)
        return;
    const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
    const auto atLeast = [](qreal value) { return std::max(value, kPdfMarginMillimetres); };
    printer.setPageMargins(QMarginsF(atLeast(margins.left()), atLeast(margins.top()), atLeast(margins.right()),
                                     atLeast(margins.bottom())),
                           QPageLayout::Millimeter);
}

QFont reportFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setPointSizeF(9);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QVector<PlacedText> layOutReportPage(std::span<const std::string> pageLines, int page, const QString& title,
                                     double dotsPerInch, double lineStep, double pageNumberWidth, double pageNumberEnd)
{
    const double pixelsPerTwip = dotsPerInch / kTwipsPerInch;
    const auto at = [pixelsPerTwip](double x, double y) { return QPointF(x * pixelsPerTwip, -y * pixelsPerTwip); };
    QVector<PlacedText> texts;
    texts.append({at(0, 0), QStringLiteral("Talvane")});
    for (std::size_t slot = 0; slot < kReportPageLines && slot < pageLines.size(); ++slot) {
        const QPointF top = at(720, -1440) + QPointF(0, lineStep * static_cast<double>(slot + 1));
        texts.append({top, fromAnsi(pageLines[slot])});
    }
    texts.append({at(0, -14400), QCoreApplication::translate("ReportPages", "Document %1").arg(title)});
    texts.append({at(pageNumberEnd, -14400) - QPointF(pageNumberWidth, 0), QCoreApplication::translate("ReportPages", "Page %1").arg(page)});
    return texts;
}

void drawReportPage(QPainter& painter, std::span<const std::string> pageLines, int page, const QString& title,
                    ReportFooter footer)
{
    const QFont font = reportFont();
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const QString pageNumber = QCoreApplication::translate("ReportPages", "Page %1").arg(page);
    const double dotsPerInch = painter.device()->logicalDpiY();
    const double lineStep = metrics.height() + metrics.leading();
    const double width = painter.device()->width();
    const double height = painter.device()->height();
    // The page reaches eight inches across and a line below ten inches down: where the
    // printable area is smaller, the whole page is drawn smaller rather than cut.
    const double scale = std::min({1.0, width / (kPageWidthInches * dotsPerInch), height / (kFooterInches * dotsPerInch + lineStep)});
    // A sheet laid on its side is wider than the page: its number goes to the far edge.
    const double pageNumberEnd =
        width > height ? std::max(kPageWidthInches * kTwipsPerInch, width / scale / dotsPerInch * kTwipsPerInch)
                       : kPageWidthInches * kTwipsPerInch;
    auto texts = layOutReportPage(pageLines, page, title, dotsPerInch, lineStep,
                                  metrics.horizontalAdvance(pageNumber), pageNumberEnd);
    // The footer's two texts come last.
    if (footer == ReportFooter::LeftOut)
        texts.resize(texts.size() - 2);
    painter.save();
    painter.scale(scale, scale);
    for (const PlacedText& placed : texts)
        painter.drawText(placed.topLeft + QPointF(0, metrics.ascent()), placed.text);
    painter.restore();
}

PrintOutcome printPages(QPrinter& printer, int lastPage, const std::function<void(QPainter&, int page)>& drawPage,
                        PrintProgress* progress)
{
    const int from = printer.fromPage() > 0 ? printer.fromPage() : 1;
    const int to = printer.toPage() > 0 ? std::min(printer.toPage(), lastPage) : lastPage;
    keepPdfMargins(printer);
    StagedPdfOutput output(printer);
    QPainter painter;
    if (!output.ready() || !painter.begin(&printer))
        return PrintOutcome::Failed;
    for (int page = from; page <= to; ++page) {
        if (progress && !progress->pageStarting(page - from + 1, to - from + 1)) {
            printer.abort();
            painter.end();
            return PrintOutcome::Cancelled;
        }
        if (page > from)
            printer.newPage();
        drawPage(painter, page);
    }
    if (!painter.end() || !output.commit())
        return PrintOutcome::Failed;
    return PrintOutcome::Printed;
}

PrintOutcome printReport(QPrinter& printer, ReportPager& pages, const QString& title, PrintProgress* progress)
{
    return printPages(
        printer, static_cast<int>(pages.pageCount()),
        [&](QPainter& painter, int page) {
            drawReportPage(painter, pages.pageLines(static_cast<std::size_t>(page)), page, title);
        },
        progress);
}
