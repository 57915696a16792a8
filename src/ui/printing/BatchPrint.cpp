#include "ui/printing/BatchPrint.h"

#include <QCoreApplication>

#include "core/collection/CollectionFile.h"
#include "ui/framework/AnsiText.h"
#include "ui/printing/InventoryPages.h"
#include "ui/printing/PrintProgress.h"
#include "ui/printing/ReportPages.h"
#include "core/search/EntryOrder.h"
#include "core/text/Windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QPrinter>

#include <cstdio>
#include <functional>
#include <memory>

using namespace talvane::collection;
using namespace talvane::report;

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "talvane: %s\n", qPrintable(message));
    return 1;
}

std::optional<int> readCollection(const QString& collection, EntryList& entries)
{
    if (const auto failure = loadCollectionFile(QFile::encodeName(collection).toStdString(), entries))
        return fail(QCoreApplication::translate("BatchPrint", "cannot open the collection %1: %2").arg(collection, QString::fromStdString(*failure)));
    return std::nullopt;
}

std::unique_ptr<QPrinter> pdfPrinter(const QString& pdf)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(pdf);
    return printer;
}

// Runs a print with its count of pages on standard error.
int printToPdf(const QString& pdf, const std::function<PrintOutcome(PrintProgress&)>& print)
{
    PrintOutcome outcome;
    {
        // The count's line ends before any message follows it.
        TerminalPrintProgress progress(stderr);
        outcome = print(progress);
    }
    if (outcome != PrintOutcome::Printed)
        return fail(QCoreApplication::translate("BatchPrint", "cannot write %1").arg(pdf));
    return 0;
}

} // namespace

int printCollectionToPdf(const QString& collection, const QString& pdf, std::optional<long long> entry)
{
    EntryList entries;
    if (const auto failed = readCollection(collection, entries))
        return *failed;
    std::vector<const CBonsaiData*> printed;
    if (entry) {
        if (*entry < 0 || static_cast<unsigned long long>(*entry) >= entries.size())
            return fail(QCoreApplication::translate("BatchPrint", "%1 has no entry %2 (it has %3, counted from 0)")
                            .arg(collection)
                            .arg(*entry)
                            .arg(entries.size()));
        printed.push_back(entries[static_cast<std::size_t>(*entry)].get());
    } else {
        for (const auto& each : entries)
            printed.push_back(each.get());
    }
    ReportPager pages(std::move(printed), !entry.has_value());

    const auto printer = pdfPrinter(pdf);
    return printToPdf(pdf, [&](PrintProgress& progress) {
        return printReport(*printer, pages, QFileInfo(collection).fileName(), &progress);
    });
}

int printInventoryToPdf(const QString& collection, const QString& pdf, const QString& find)
{
    EntryList entries;
    if (const auto failed = readCollection(collection, entries))
        return *failed;
    Inventory inventory;
    inventory.title = QFileInfo(collection).fileName();
    inventory.total = entries.size();
    inventory.filterWords = find.simplified();
    for (std::size_t column = 0; column < talvane::search::kListColumnCount; ++column)
        inventory.columns.push_back(static_cast<talvane::search::ListColumn>(column));
    // A word Windows-1252 cannot hold is in no entry.
    if (const auto words = talvane::text::utf8ToCp1252Strict(find.toStdString()))
        inventory.positions = talvane::search::findEntries(entries, talvane::search::EntryMatcher(*words));
    InventoryPages pages(std::move(inventory), [&](std::size_t position) -> const CBonsaiData& { return *entries[position]; },
                         QDate::currentDate());
    const auto printer = pdfPrinter(pdf);
    pages.fitToPrinter(*printer);
    return printToPdf(pdf, [&](PrintProgress& progress) { return printInventory(*printer, pages, &progress); });
}
