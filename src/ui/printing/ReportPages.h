#pragma once

#include "report/EntryReport.h"

#include <QFont>
#include <QPointF>
#include <QString>
#include <QVector>

#include <functional>

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

// Prints the pages the printer asks for, of pages 1 to lastPage (all when it names no
// range), each drawn by drawPage. False when the printer could not be started.
bool PrintPages(QPrinter& printer, int lastPage, const std::function<void(QPainter&, int page)>& drawPage);

// Prints a whole report.
bool PrintReport(QPrinter& printer, const ReportLines& lines, const QString& title);
