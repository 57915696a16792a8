#include "ui/printing/ReportPrinting.h"

#include "ui/document/TalvaneDoc.h"
#include "ui/framework/UiServices.h"
#include "core/collection/TreeIdentity.h"
#include "ui/printing/InventoryPages.h"
#include "ui/printing/LabelsDlg.h"
#include "ui/printing/PrintAside.h"
#include "ui/printing/PrintChoiceDlg.h"
#include "ui/printing/PrintProgress.h"
#include "ui/printing/ReportPages.h"

#include <QApplication>
#include <QPainter>
#include <QPrinter>

namespace {

// The labels of the trees at `positions`, each with the identifier `ids` gives it.
std::vector<TreeLabel> labelsOf(const CTalvaneDoc& doc, const std::vector<std::size_t>& positions,
                                const std::vector<std::string_view>& ids)
{
    std::vector<TreeLabel> labels;
    labels.reserve(positions.size());
    for (const std::size_t position : positions)
        labels.push_back(makeTreeLabel(doc.entryAt(position), ids[position]));
    return labels;
}

} // namespace

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
    ProgressFromAside aside(progress);
    const auto drawPage = [this](QPainter& painter, int page) { OnPrint(painter, page); };
    PrintOutcome outcome = PrintOutcome::Printed;
    runAside([&] { outcome = printPages(m_printer, lastPage(), drawPage, &aside); }, progress);
    if (outcome == PrintOutcome::Failed)
        m_services.prompter().ask(tr("The report could not be printed."), QStringLiteral("Talvane"),
                                  mb::kOk | mb::kIconExclamation);
    OnEndPrinting();
}

bool ReportPrinting::OnPreparePrinting(bool printAll)
{
    m_doc.OfferToKeepChanges();
    FreeReportLines();
    // The run reads the entries as they are now, on its thread, while the window goes on.
    m_printed = m_doc.entries();
    m_title = m_doc.title();
    std::vector<const CBonsaiData*> entries;
    if (printAll) {
        entries.reserve(m_printed.size());
        for (const auto& entry : m_printed)
            entries.push_back(entry.get());
    } else {
        entries.push_back(m_doc.currentEntry());
    }
    {
        PrintProgressDialog counting(QApplication::activeWindow());
        counting.countingPages();
        runAside([&] { m_reportPages.emplace(std::move(entries), printAll); }, counting);
        if (counting.wasCancelled()) {
            FreeReportLines();
            return false;
        }
    }
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
    drawReportPage(painter, m_reportPages->pageLines(static_cast<std::size_t>(page)), m_nPrintPage, m_title);
}

void ReportPrinting::OnEndPrinting()
{
    FreeReportLines();
}

void ReportPrinting::FreeReportLines()
{
    m_reportPages.reset();
    m_printed.clear();
}

void ReportPrinting::OnFilePrintSetup()
{
    m_services.printerChooser().setUpPage(m_printer);
}

void ReportPrinting::onFilePrintCollectionList(const Inventory& inventory)
{
    // The run reads the entries as they are now, on its thread, while the window goes on.
    auto printed = std::make_shared<const talvane::collection::EntryList>(m_doc.entries());
    InventoryPages pages(inventory, [printed](std::size_t position) -> const CBonsaiData& { return *(*printed)[position]; },
                         QDate::currentDate());
    // A list laid on its side for its width leaves the report's sheet as it was.
    const QPageLayout::Orientation orientation = m_printer.pageLayout().orientation();
    bool cancelled = false;
    {
        PrintProgressDialog counting(QApplication::activeWindow());
        counting.countingPages();
        runAside([&] { pages.fitToPrinter(m_printer); }, counting);
        cancelled = counting.wasCancelled();
    }
    m_printer.setFromTo(0, 0);
    if (!cancelled && m_services.printerChooser().choosePrinter(m_printer, 1, pages.pageCount())) {
        PrintProgressDialog progress(QApplication::activeWindow());
        ProgressFromAside aside(progress);
        PrintOutcome outcome = PrintOutcome::Printed;
        runAside([&] { outcome = printInventory(m_printer, pages, &aside); }, progress);
        if (outcome == PrintOutcome::Failed)
            m_services.prompter().ask(tr("The collection list could not be printed."), QStringLiteral("Talvane"),
                                      mb::kOk | mb::kIconExclamation);
    }
    m_printer.setPageOrientation(orientation);
}

void ReportPrinting::onFilePrintLabels(const std::vector<std::size_t>& selected, const std::vector<std::size_t>& listed)
{
    if (listed.empty()) {
        m_services.prompter().ask(tr("The collection list shows no tree to print a label for."),
                                  QStringLiteral("Talvane"), mb::kOk | mb::kIconInformation);
        return;
    }
    const std::vector<std::string_view> ids = talvane::collection::treeIds(m_doc.entries());
    LabelsDlg dialog(labelsOf(m_doc, selected, ids), labelsOf(m_doc, listed, ids));
    if (m_services.dialogRunner().run(dialog) != QDialog::Accepted)
        return;
    const std::vector<std::size_t>& positions = dialog.selectedOnly() ? selected : listed;
    identifyTrees(positions, ids);
    // Identifying trees changes the entries: their identifiers are read again.
    const LabelPages pages(dialog.sheet(), labelsOf(m_doc, positions, talvane::collection::treeIds(m_doc.entries())),
                           dialog.firstSlot());
    printLabelPages(pages, dialog.sheet().paper);
}

void ReportPrinting::identifyTrees(const std::vector<std::size_t>& positions, const std::vector<std::string_view>& ids)
{
    std::vector<std::size_t> unnamed;
    for (const std::size_t position : positions)
        if (ids[position].empty())
            unnamed.push_back(position);
    if (unnamed.empty())
        return;
    m_doc.history().beginMacro(unnamed.size() == 1 ? tr("Identify 1 tree for its label")
                                                   : tr("Identify %1 trees for their labels").arg(unnamed.size()));
    for (const std::size_t position : unnamed)
        m_doc.ensureTreeId(position);
    m_doc.history().endMacro();
}

void ReportPrinting::printLabelPages(const LabelPages& pages, QPageSize::PageSizeId paper)
{
    // The labels are placed from the paper's corner; the report's sheet is put back after.
    const QPageLayout layout = m_printer.pageLayout();
    const bool fullPage = m_printer.fullPage();
    m_printer.setPageLayout(QPageLayout(QPageSize(paper), QPageLayout::Portrait, QMarginsF()));
    m_printer.setFullPage(true);
    m_printer.setFromTo(0, 0);
    if (m_services.printerChooser().choosePrinter(m_printer, 1, pages.pageCount())) {
        PrintProgressDialog progress(QApplication::activeWindow());
        const auto drawPage = [&pages](QPainter& painter, int page) { pages.drawPage(painter, page); };
        if (printPages(m_printer, pages.pageCount(), drawPage, &progress) == PrintOutcome::Failed)
            m_services.prompter().ask(tr("The labels could not be printed."), QStringLiteral("Talvane"),
                                      mb::kOk | mb::kIconExclamation);
    }
    m_printer.setFullPage(fullPage);
    m_printer.setPageLayout(layout);
}
