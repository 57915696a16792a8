#pragma once

#include "report/EntryReport.h"

#include <QObject>

class CTalvaneDoc;
class QPainter;
class QPrinter;
class UiServices;

// File Print and Print Setup: the report of the entry shown or of every entry,
// printed 60 lines a page with a header and a footer.
class ReportPrinting : public QObject {
    Q_OBJECT
public:
    ReportPrinting(CTalvaneDoc& doc, UiServices& services, QPrinter& printer);

    // Asks current entry or complete list, then runs the print.
    void OnFilePrintChoice();
    // The print run of the entry shown, or of every entry: preparation, the print
    // dialog, the pages, the end.
    void OnFilePrint(bool printAll);
    void OnFilePrintSetup();

    // Offers to keep page edits, builds the report and asks the print dialog for the
    // pages to print; false when the user cancelled it.
    bool OnPreparePrinting(bool printAll);
    void OnPrint(QPainter& painter, int page);
    void OnEndPrinting();

    const ReportLines& reportLines() const { return m_reportLines; }
    int lastPage() const;

private:
    void FreeReportLines();

    CTalvaneDoc& m_doc;
    UiServices& m_services;
    QPrinter& m_printer;
    ReportLines m_reportLines;
    int m_nPrintPage = 0;
};
