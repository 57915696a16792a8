#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/report/ReportPager.h"

#include <QObject>
#include <QPageSize>
#include <QString>

#include <optional>
#include <string_view>
#include <vector>

class CTalvaneDoc;
struct Inventory;
class LabelPages;
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
    void onFilePrintCollectionList(const Inventory& inventory);
    // Prints labels for trees of the collection list, asking how first. Trees without
    // an identifier are given one, as one step, so that their labels last.
    void onFilePrintLabels(const std::vector<std::size_t>& selected, const std::vector<std::size_t>& listed);

    // Offers to keep page edits, counts the report's pages and asks the print dialog
    // for the pages to print; false when the user cancelled it, and nothing is kept.
    bool OnPreparePrinting(bool printAll);
    void OnPrint(QPainter& painter, int page);
    void OnEndPrinting();

    // The pages of the report held between its preparation and the end of its run; 1 while none is.
    int lastPage() const;

private:
    void FreeReportLines();
    // Gives the trees at `positions` that lack one an identifier, as one step of the history.
    void identifyTrees(const std::vector<std::size_t>& positions, const std::vector<std::string_view>& ids);
    // Prints the labels on sheets of `paper`, then puts the report's page back.
    void printLabelPages(const LabelPages& pages, QPageSize::PageSizeId paper);

    CTalvaneDoc& m_doc;
    UiServices& m_services;
    QPrinter& m_printer;
    // Each page is made from its entry when printed: a run holds one entry's lines.
    std::optional<talvane::report::ReportPager> m_reportPages;
    // The entries and title the run prints, as they were when it began.
    talvane::collection::EntryList m_printed;
    QString m_title;
    int m_nPrintPage = 0;
};
