#include "ui/printing/InventoryPages.h"

#include <QCoreApplication>

#include "ui/framework/AnsiText.h"
#include "ui/framework/CoreTexts.h"
#include "ui/printing/ReportPages.h"
#include "core/search/ListColumns.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPaintDevice>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <numeric>

namespace {

constexpr double kPointsPerInch = 72.0;

// Shares `room` among columns that want `natural`: those that want less than an even
// share keep their width, and the rest split what is left evenly.
std::vector<double> fitWidths(const std::vector<double>& natural, double room)
{
    if (std::accumulate(natural.begin(), natural.end(), 0.0) <= room)
        return natural;
    std::vector<std::size_t> narrowestFirst(natural.size());
    std::iota(narrowestFirst.begin(), narrowestFirst.end(), std::size_t{0});
    std::stable_sort(narrowestFirst.begin(), narrowestFirst.end(),
                     [&](std::size_t a, std::size_t b) { return natural[a] < natural[b]; });
    std::vector<double> widths(natural.size());
    double left = std::max(room, 0.0);
    for (std::size_t i = 0; i < narrowestFirst.size(); ++i) {
        const double share = left / static_cast<double>(narrowestFirst.size() - i);
        const std::size_t column = narrowestFirst[i];
        widths[column] = std::min(natural[column], share);
        left -= widths[column];
    }
    return widths;
}

} // namespace

InventoryPages::InventoryPages(Inventory inventory, talvane::search::EntryAt entryAt, QDate date)
    : m_inventory(std::move(inventory)), m_entryAt(std::move(entryAt)), m_date(date),
      m_font(QStringLiteral("Liberation Sans"), 9), m_headingFont(m_font), m_titleFont(m_font)
{
    m_font.setStyleHint(QFont::SansSerif);
    m_headingFont.setBold(true);
    m_titleFont.setBold(true);
    m_titleFont.setPointSizeF(13);
}

QString InventoryPages::cell(std::size_t row, std::size_t column) const
{
    const auto shown = m_inventory.columns[column];
    const std::string cell = talvane::search::listColumnText(m_entryAt(m_inventory.positions[row]), shown);
    QString text = shown == talvane::search::ListColumn::InteriorExterior ? coreText(cell) : fromAnsi(cell);
    // A table cell is one line.
    text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

void InventoryPages::measure(QPaintDevice& device)
{
    if (m_measuredDpi == device.logicalDpiX())
        return;
    const QFontMetricsF body(m_font, &device), heading(m_headingFont, &device);
    m_natural.assign(m_inventory.columns.size(), 0.0);
    for (std::size_t column = 0; column < m_inventory.columns.size(); ++column)
        m_natural[column] = heading.horizontalAdvance(QString::fromLatin1(talvane::search::listColumnTitle(m_inventory.columns[column])));
    for (std::size_t row = 0; row < m_inventory.positions.size(); ++row)
        for (std::size_t column = 0; column < m_inventory.columns.size(); ++column)
            m_natural[column] = std::max(m_natural[column], body.horizontalAdvance(cell(row, column)));
    m_gap = body.averageCharWidth() * 2;
    m_measuredDpi = device.logicalDpiX();
}

double InventoryPages::naturalWidthPoints(QPaintDevice& device)
{
    measure(device);
    const double gaps = m_gap * static_cast<double>(std::max<std::size_t>(m_natural.size(), 1) - 1);
    return (std::accumulate(m_natural.begin(), m_natural.end(), 0.0) + gaps) * kPointsPerInch / device.logicalDpiX();
}

void InventoryPages::layOut(QPaintDevice& device)
{
    measure(device);
    const double gaps = m_gap * static_cast<double>(std::max<std::size_t>(m_natural.size(), 1) - 1);
    m_widths = fitWidths(m_natural, device.width() - gaps);
    const QFontMetricsF body(m_font, &device), title(m_titleFont, &device);
    m_rowHeight = body.lineSpacing() * 1.25;
    // The title's line, the filter's, the count's, a gap and the headings' row above the table.
    m_tableTop = title.lineSpacing() + body.lineSpacing() * (filtered() ? 2.5 : 1.5) + m_rowHeight;
    const double footer = m_rowHeight * 2;
    m_rowsPerPage = std::max(1, static_cast<int>((device.height() - m_tableTop - footer) / m_rowHeight));
    const auto rows = static_cast<int>(m_inventory.positions.size());
    m_pageCount = std::max(1, (rows + m_rowsPerPage - 1) / m_rowsPerPage);
}

void InventoryPages::drawPage(QPainter& painter, int page) const
{
    const QPaintDevice& device = *painter.device();
    const double width = device.width();
    drawTitleLines(painter);
    const double headingsTop = m_tableTop - m_rowHeight;
    drawRow(painter, headingsTop, m_headingFont, [&](std::size_t column) {
        return QString::fromLatin1(talvane::search::listColumnTitle(m_inventory.columns[column]));
    });
    painter.drawLine(QPointF(0, m_tableTop - m_rowHeight * 0.15), QPointF(width, m_tableTop - m_rowHeight * 0.15));

    const std::size_t first = static_cast<std::size_t>(page - 1) * static_cast<std::size_t>(m_rowsPerPage);
    const std::size_t end = std::min(m_inventory.positions.size(), first + static_cast<std::size_t>(m_rowsPerPage));
    for (std::size_t row = first; row < end; ++row)
        drawRow(painter, m_tableTop + static_cast<double>(row - first) * m_rowHeight, m_font,
                [&](std::size_t column) { return cell(row, column); });

    painter.setFont(m_font);
    const QFontMetricsF body(m_font, painter.device());
    const QString number = QCoreApplication::translate("InventoryPages", "Page %1 of %2").arg(page).arg(m_pageCount);
    painter.drawText(QPointF(width - body.horizontalAdvance(number), device.height() - body.descent()), number);
}

void InventoryPages::drawTitleLines(QPainter& painter) const
{
    const double width = painter.device()->width();
    const QFontMetricsF body(m_font, painter.device()), title(m_titleFont, painter.device());
    painter.setFont(m_titleFont);
    painter.drawText(QPointF(0, title.ascent()), m_inventory.title);
    painter.setFont(m_font);
    const QString date = QLocale().toString(m_date, QLocale::LongFormat);
    painter.drawText(QPointF(width - body.horizontalAdvance(date), title.ascent()), date);
    double lineTop = title.lineSpacing();
    if (filtered()) {
        const QString words = QCoreApplication::translate("InventoryPages", "Filter: %1").arg(m_inventory.filterWords);
        painter.drawText(QPointF(0, lineTop + body.ascent()), body.elidedText(words, Qt::ElideRight, width));
        lineTop += body.lineSpacing();
    }
    painter.drawText(QPointF(0, lineTop + body.ascent()),
                     QString::fromStdString(talvane::search::listedTreesText(m_inventory.positions.size(), m_inventory.total,
                                                                    filtered(), windowWords)));
}

void InventoryPages::drawRow(QPainter& painter, double top, const QFont& font,
                             const std::function<QString(std::size_t)>& text) const
{
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    double x = 0;
    for (std::size_t column = 0; column < m_widths.size(); ++column) {
        painter.drawText(QPointF(x, top + metrics.ascent()), metrics.elidedText(text(column), Qt::ElideRight, m_widths[column]));
        x += m_widths[column] + m_gap;
    }
}

void InventoryPages::fitToPrinter(QPrinter& printer)
{
    keepPdfMargins(printer);
    QPageLayout upright = printer.pageLayout();
    upright.setOrientation(QPageLayout::Portrait);
    if (naturalWidthPoints(printer) > upright.paintRect(QPageLayout::Point).width())
        printer.setPageOrientation(QPageLayout::Landscape);
    layOut(printer);
}

PrintOutcome printInventory(QPrinter& printer, InventoryPages& pages, PrintProgress* progress)
{
    keepPdfMargins(printer);
    pages.layOut(printer);
    return printPages(printer, pages.pageCount(), [&](QPainter& painter, int page) { pages.drawPage(painter, page); },
                      progress);
}
