#include "printing/ReportPrinting.h"

#include "document/TalvaneDoc.h"
#include "framework/UiServices.h"
#include "printing/InventoryPages.h"
#include "printing/PrintChoiceDlg.h"
#include "printing/PrintProgress.h"
#include "printing/ReportPages.h"

#include <QApplication>
#include <QPainter>
#include <QPrinter>

ReportPrinting::ReportPrinting(CTalvaneDoc& doc, UiServices& services, QPrinter& printer)
    : m_doc(doc), m_services(services), m_printer(printer)
{
}

void ReportPrinting::OnFilePrintChoice()
{
    CPrintChoiceDlg choice;
    if (m_services.dialogRunner().run(choice) != QDialog::Accepted)
        return;
    OnFilePrint(choice.printAll());
}

void ReportPrinting::OnFilePrint(bool printAll)
{
    if (!OnPreparePrinting(printAll))
        return;
    // Over the window the print command came from.
    PrintProgressDialog progress(QApplication::activeWindow());
    const auto drawPage = [this](QPainter& painter, int page) { OnPrint(painter, page); };
    if (PrintPages(m_printer, lastPage(), drawPage, &progress) == PrintOutcome::Failed)
        m_services.prompter().ask(QStringLiteral("The report could not be printed."), QStringLiteral("Talvane"),
                                  mb::kOk | mb::kIconExclamation);
    OnEndPrinting();
}

bool ReportPrinting::OnPreparePrinting(bool printAll)
{
    m_doc.OfferToKeepChanges();
    FreeReportLines();
    std::vector<const CBonsaiData*> entries;
    if (printAll) {
        entries.reserve(m_doc.entries().size());
        for (const auto& entry : m_doc.entries())
            entries.push_back(entry.get());
    } else {
        entries.push_back(m_doc.currentEntry());
    }
    m_reportPages.emplace(std::move(entries), printAll);
    m_printer.setFromTo(0, 0);
    if (m_services.printerChooser().choosePrinter(m_printer, 1, lastPage()))
        return true;
    FreeReportLines();
    return false;
}

int ReportPrinting::lastPage() const
{
    return m_reportPages ? static_cast<int>(m_reportPages->pageCount()) : 1;
}

void ReportPrinting::OnPrint(QPainter& painter, int page)
{
    m_nPrintPage = page;
    DrawReportPage(painter, m_reportPages->pageLines(static_cast<std::size_t>(page)), m_nPrintPage, m_doc.title());
}

void ReportPrinting::OnEndPrinting()
{
    FreeReportLines();
}

void ReportPrinting::FreeReportLines()
{
    m_reportPages.reset();
}

void ReportPrinting::OnFilePrintSetup()
{
    m_services.printerChooser().setUpPage(m_printer);
}

void ReportPrinting::OnFilePrintCollectionList(const Inventory& inventory)
{
    InventoryPages pages(inventory, [this](std::size_t position) -> const CBonsaiData& { return m_doc.entryAt(position); },
                         QDate::currentDate());
    // A list laid on its side for its width leaves the report's sheet as it was.
    const QPageLayout::Orientation orientation = m_printer.pageLayout().orientation();
    pages.fitToPrinter(m_printer);
    m_printer.setFromTo(0, 0);
    if (m_services.printerChooser().choosePrinter(m_printer, 1, pages.pageCount())) {
        PrintProgressDialog progress(QApplication::activeWindow());
        if (PrintInventory(m_printer, pages, &progress) == PrintOutcome::Failed)
            m_services.prompter().ask(QStringLiteral("The collection list could not be printed."), QStringLiteral("Talvane"),
                                      mb::kOk | mb::kIconExclamation);
    }
    m_printer.setPageOrientation(orientation);
}
