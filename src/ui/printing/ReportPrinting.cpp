#include "printing/ReportPrinting.h"

#include "document/TalvaneDoc.h"
#include "framework/UiServices.h"
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
    if (printAll) {
        for (const auto& entry : m_doc.entries())
            BuildEntryReport(entry.get(), m_reportLines, true);
    } else {
        BuildEntryReport(m_doc.currentEntry(), m_reportLines, false);
    }
    m_printer.setFromTo(0, 0);
    return m_services.printerChooser().choosePrinter(m_printer, 1, lastPage());
}

int ReportPrinting::lastPage() const
{
    return static_cast<int>(ReportPageCount(m_reportLines.size()));
}

void ReportPrinting::OnPrint(QPainter& painter, int page)
{
    m_nPrintPage = page;
    DrawReportPage(painter, m_reportLines, m_nPrintPage, m_doc.title());
}

void ReportPrinting::OnEndPrinting()
{
    FreeReportLines();
}

void ReportPrinting::FreeReportLines()
{
    m_reportLines.clear();
}

void ReportPrinting::OnFilePrintSetup()
{
    m_services.printerChooser().setUpPage(m_printer);
}
