#include "printing/ReportPrinting.h"

#include "collection/TalvaneDoc.h"
#include "editing/TalvaneView.h"
#include "framework/UiServices.h"
#include "printing/PrintChoiceDlg.h"
#include "printing/ReportPages.h"

#include <QPainter>
#include <QPrinter>

CReportPrinting::CReportPrinting(CTalvaneDoc& doc, CTalvaneView& view, UiServices& services, QPrinter& printer)
    : m_doc(doc), m_view(view), m_services(services), m_printer(printer)
{
}

void CReportPrinting::OnFilePrintChoice()
{
    g_bPrintAll = 0;
    CPrintChoiceDlg choice;
    if (m_services.dialogRunner().run(choice) != QDialog::Accepted)
        return;
    OnFilePrint();
}

void CReportPrinting::OnFilePrint()
{
    if (!OnPreparePrinting())
        return;
    if (!PrintPages(m_printer, lastPage(), [this](QPainter& painter, int page) { OnPrint(painter, page); }))
        m_services.prompter().ask(QStringLiteral("The report could not be printed."), QStringLiteral("Talvane"),
                                  mb::kOk | mb::kIconExclamation);
    OnEndPrinting();
}

bool CReportPrinting::OnPreparePrinting()
{
    m_view.OfferToKeepChanges();
    FreeReportLines();
    if (g_bPrintAll) {
        for (const auto& entry : m_doc.m_entryList)
            BuildEntryReport(entry.get(), m_reportLines);
    } else {
        BuildEntryReport(g_pCurrentEntry, m_reportLines);
    }
    m_printer.setFromTo(0, 0);
    return m_services.printerChooser().choosePrinter(m_printer, 1, lastPage());
}

int CReportPrinting::lastPage() const
{
    return static_cast<int>(ReportPageCount(m_reportLines.size()));
}

void CReportPrinting::OnPrint(QPainter& painter, int page)
{
    m_nPrintPage = page;
    DrawReportPage(painter, m_reportLines, m_nPrintPage, m_doc.GetTitle());
}

void CReportPrinting::OnEndPrinting()
{
    FreeReportLines();
}

void CReportPrinting::FreeReportLines()
{
    m_reportLines.clear();
}

void CReportPrinting::OnFilePrintSetup()
{
    m_services.printerChooser().setUpPage(m_printer);
}
