#pragma once

#include "ui/printing/ReportPages.h"
#include "core/search/EntryOrder.h"

#include <QDate>
#include <QFont>
#include <QString>

#include <cstddef>
#include <functional>
#include <vector>

class QPaintDevice;

// What an inventory lists: some trees of a collection, in the order and with the
// columns of the collection list.
struct Inventory {
    QString title;                            // the collection's name
    std::size_t total = 0;                    // trees in the collection
    QString filterWords;                      // the words that chose the trees; empty for all
    std::vector<talvane::search::ListColumn> columns;  // in the order they are printed
    std::vector<std::size_t> positions;       // the trees, in the order they are printed
};

// The inventory as a table, one line per tree, on as many pages as it takes: each
// page has the collection's name, the date, the filter's words where a filter chose
// the trees, and the count of trees above the table's headings, and its number below. Columns take their texts' width; where the sheet
// is narrower, the widest give way and their texts are cut with an ellipsis.
class InventoryPages {
public:
    InventoryPages(Inventory inventory, talvane::search::EntryAt entryAt, QDate date);

    // The width the columns want, in points, at their texts' full width.
    double naturalWidthPoints(QPaintDevice& device);
    // Fits the table to the device's page: call before pageCount() and drawPage().
    void layOut(QPaintDevice& device);
    int pageCount() const { return m_pageCount; }
    void drawPage(QPainter& painter, int page) const;

    // A list wider than an upright sheet is laid on its side; the dialog may change
    // it back. Then the pages are fitted to the printer.
    void fitToPrinter(QPrinter& printer);

private:
    QString cell(std::size_t row, std::size_t column) const;
    bool filtered() const { return !m_inventory.filterWords.isEmpty(); }
    void measure(QPaintDevice& device);
    // The collection's name and the date, the filter's words and the count of trees.
    void drawTitleLines(QPainter& painter) const;
    // A row of the table, each column's text cut to the column's width.
    void drawRow(QPainter& painter, double top, const QFont& font, const std::function<QString(std::size_t)>& text) const;

    Inventory m_inventory;
    talvane::search::EntryAt m_entryAt;
    QDate m_date;
    QFont m_font;
    QFont m_headingFont;
    QFont m_titleFont;
    // Measured in pixels of this resolution.
    int m_measuredDpi = 0;
    std::vector<double> m_natural;
    std::vector<double> m_widths;
    double m_gap = 0;
    double m_rowHeight = 0;
    double m_tableTop = 0;
    int m_rowsPerPage = 1;
    int m_pageCount = 1;
};

// Prints the inventory, fitted to the printer, through its print run.
PrintOutcome printInventory(QPrinter& printer, InventoryPages& pages, PrintProgress* progress);
