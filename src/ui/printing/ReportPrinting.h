#pragma once

#include "core/report/ReportPager.h"

#include <QObject>

#include <optional>
#include <vector>

class CTalvaneDoc;
struct Inventory;
class QPainter;
class QPrinter;
class UiServices;

// File Print and Print Setup: the report of the entry shown or of every entry,
// printed 60 lines a page with a header and a footer; and the collection list.
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
    // Prints trees of the collection as a table, through the print dialog.
    void OnFilePrintCollectionList(const Inventory& inventory);
    // Prints labels for trees of the collection list, asking how first. Trees without
    // an identifier are given one, as one step, so that their labels last.
    void OnFilePrintLabels(const std::vector<std::size_t>& selected, const std::vector<std::size_t>& listed);

    // Offers to keep page edits, counts the report's pages and asks the print dialog
    // for the pages to print; false when the user cancelled it, and nothing is kept.
    bool OnPreparePrinting(bool printAll);
    void OnPrint(QPainter& painter, int page);
    void OnEndPrinting();

    // Whether a report is held, between its preparation and the end of its run.
    bool holdsReport() const { return m_reportPages.has_value(); }
    int lastPage() const;

private:
    void FreeReportLines();

    CTalvaneDoc& m_doc;
    UiServices& m_services;
    QPrinter& m_printer;
    // Each page is made from its entry when printed: a run holds one entry's lines.
    std::optional<ReportPager> m_reportPages;
    int m_nPrintPage = 0;
};
