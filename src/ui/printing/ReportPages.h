#pragma once

#include "report/EntryReport.h"

#include <QFont>
#include <QPointF>
#include <QString>
#include <QVector>

#include <functional>

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
// A page holds the lines of its own number: (page - 1) x 60 to page x 60 - 1.
QVector<PlacedText> LayOutReportPage(const ReportLines& lines, int page, const QString& title, double dotsPerInch,
                                     double lineStep, double pageNumberWidth);

// The report font: Courier New, 9 points, normal weight.
QFont ReportFont();

// Draws one page on a painter whose device is a page of paper.
void DrawReportPage(QPainter& painter, const ReportLines& lines, int page, const QString& title);

enum class PrintOutcome { Printed, Cancelled, Failed };

// Prints the pages the printer asks for, of pages 1 to lastPage (all when it names no
// range), each drawn by drawPage, telling progress of each page first; progress may
// stop the run between pages. A PDF keeps at least 10 mm of white around its text,
// and is put in place only when the run has printed every page.
PrintOutcome PrintPages(QPrinter& printer, int lastPage, const std::function<void(QPainter&, int page)>& drawPage,
                        PrintProgress* progress = nullptr);

// Prints a whole report.
PrintOutcome PrintReport(QPrinter& printer, const ReportLines& lines, const QString& title,
                         PrintProgress* progress = nullptr);
