#include "printing/BatchPrint.h"

#include "collection/CollectionFile.h"
#include "framework/AnsiText.h"
#include "printing/PrintProgress.h"
#include "printing/ReportPages.h"

#include <QFile>
#include <QFileInfo>
#include <QPrinter>

#include <cstdio>

namespace {

int Fail(const QString& message)
{
    std::fprintf(stderr, "talvane: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int PrintCollectionToPdf(const QString& collection, const QString& pdf, std::optional<long long> entry)
{
    EntryList entries;
    if (const auto failure = LoadCollectionFile(QFile::encodeName(collection).toStdString(), entries))
        return Fail(QStringLiteral("cannot open the collection %1: %2").arg(collection, QString::fromStdString(*failure)));
    std::vector<const CBonsaiData*> printed;
    if (entry) {
        if (*entry < 0 || static_cast<unsigned long long>(*entry) >= entries.size())
            return Fail(QStringLiteral("%1 has no entry %2 (it has %3, counted from 0)")
                            .arg(collection)
                            .arg(*entry)
                            .arg(entries.size()));
        printed.push_back(entries[static_cast<std::size_t>(*entry)].get());
    } else {
        for (const auto& each : entries)
            printed.push_back(each.get());
    }
    ReportPager pages(std::move(printed), !entry.has_value());

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    PrintOutcome outcome;
    {
        // The count's line ends before any message follows it.
        TerminalPrintProgress progress(stderr);
        outcome = PrintReport(printer, pages, QFileInfo(collection).fileName(), &progress);
    }
    if (outcome != PrintOutcome::Printed)
        return Fail(QStringLiteral("cannot write %1").arg(pdf));
    return 0;
}
