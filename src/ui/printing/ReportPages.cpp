#include "printing/ReportPages.h"

#include "framework/AnsiText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

namespace {
constexpr double kTwipsPerInch = 1440.0;
}

QFont ReportFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setPointSizeF(9);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QVector<PlacedText> LayOutReportPage(const ReportLines& lines, int page, const QString& title, double dotsPerInch,
                                     double lineStep, double pageNumberWidth)
{
    const double pixelsPerTwip = dotsPerInch / kTwipsPerInch;
    const auto at = [pixelsPerTwip](double x, double y) { return QPointF(x * pixelsPerTwip, -y * pixelsPerTwip); };
    QVector<PlacedText> texts;
    texts.append({at(0, 0), QStringLiteral("Talvane")});
    const std::size_t first = static_cast<std::size_t>(page - 1) * kReportPageLines;
    for (std::size_t slot = 0; slot < kReportPageLines && first + slot < lines.size(); ++slot) {
        const QPointF top = at(720, -1440) + QPointF(0, lineStep * static_cast<double>(slot + 1));
        texts.append({top, FromAnsi(lines[first + slot])});
    }
    texts.append({at(0, -14400), QStringLiteral("Document %1").arg(title)});
    texts.append({at(11520, -14400) - QPointF(pageNumberWidth, 0), QStringLiteral("Page %1").arg(page)});
    return texts;
}

void DrawReportPage(QPainter& painter, const ReportLines& lines, int page, const QString& title)
{
    const QFont font = ReportFont();
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const QString pageNumber = QStringLiteral("Page %1").arg(page);
    const auto texts = LayOutReportPage(lines, page, title, painter.device()->logicalDpiY(),
                                        metrics.height() + metrics.leading(), metrics.horizontalAdvance(pageNumber));
    for (const PlacedText& placed : texts)
        painter.drawText(placed.topLeft + QPointF(0, metrics.ascent()), placed.text);
}

bool PrintPages(QPrinter& printer, int lastPage, const std::function<void(QPainter&, int page)>& drawPage)
{
    const int from = printer.fromPage() > 0 ? printer.fromPage() : 1;
    const int to = printer.toPage() > 0 ? std::min(printer.toPage(), lastPage) : lastPage;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    for (int page = from; page <= to; ++page) {
        if (page > from)
            printer.newPage();
        drawPage(painter, page);
    }
    return painter.end();
}

bool PrintReport(QPrinter& printer, const ReportLines& lines, const QString& title)
{
    return PrintPages(printer, static_cast<int>(ReportPageCount(lines.size())),
                      [&](QPainter& painter, int page) { DrawReportPage(painter, lines, page, title); });
}
