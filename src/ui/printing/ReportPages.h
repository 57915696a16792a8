#pragma once

#include "core/report/EntryReport.h"
#include "core/report/ReportPager.h"

#include <QFont>
#include <QPointF>
#include <QString>
#include <QVector>

#include <functional>
#include <span>
#include <string>

class PrintProgress;
class QPainter;
class QPrinter;

// Where each text of a report page goes. Positions are measured in twips (1440 to
// the inch) from the top left corner of the printable area, y upwards: the header at
// (0, 0), the page's lines from one inch down, half an inch in, and the footer ten
// inches down, its page number ending at eight inches.
struct PlacedText {
    QPointF topLeft; // in device pixels, y downwards
    QString text;
};

// The texts of one page, for a device of the given resolution whose report font has
// the given line step and measures the page number text as pageNumberWidth pixels.
// `pageLines` are the page's own lines, at most 60. The page number ends at
// `pageNumberEnd` twips across: eight inches on an upright sheet. The header comes
// first, then the lines, then the footer's title and page number.
QVector<PlacedText> layOutReportPage(std::span<const std::string> pageLines, int page, const QString& title,
                                     double dotsPerInch, double lineStep, double pageNumberWidth,
                                     double pageNumberEnd = 11520);

// The report font: Courier New, 9 points, normal weight.
QFont reportFont();

// Whether a report page has its own footer, or is part of a document that numbers
// its pages under a footer of its own.
enum class ReportFooter { Drawn, LeftOut };

// Draws one page on a painter whose device is a page of paper. Where the sheet is
// too small the page is drawn smaller; on a sheet wider than high the page number
// goes to its right edge.
void drawReportPage(QPainter& painter, std::span<const std::string> pageLines, int page, const QString& title,
                    ReportFooter footer = ReportFooter::Drawn);

enum class PrintOutcome { Printed, Cancelled, Failed };

// A PDF sheet has no unprintable border of its own: it is given one, as wide as a
// printer's (10 mm at least), before its pages are laid out.
void keepPdfMargins(QPrinter& printer);

// Prints the pages the printer asks for, of pages 1 to lastPage (all when it names no
// range), each drawn by drawPage, telling progress of each page first; progress may
// stop the run between pages. A PDF keeps at least 10 mm of white around its text,
// and is put in place only when the run has printed every page.
PrintOutcome printPages(QPrinter& printer, int lastPage, const std::function<void(QPainter&, int page)>& drawPage,
                        PrintProgress* progress = nullptr);

// Prints a whole report, each page made from its entry as it is printed.
PrintOutcome printReport(QPrinter& printer, talvane::report::ReportPager& pages, const QString& title, PrintProgress* progress = nullptr);
