#include "core/csv/CsvFiles.h"

#include "core/collection/CollectionFile.h"
#include "core/collection/CollectionLock.h"
#include "core/collection/SafeFile.h"
#include "core/collection/TreeIdentity.h"

std::optional<std::string> ExportCollectionCsv(const std::filesystem::path& tvnFile,
                                               const std::filesystem::path& csvFile)
{
    EntryList entries;
    if (auto failure = LoadCollectionFile(tvnFile, entries))
        return tvnFile.string() + ": " + *failure;
    if (auto failure = ReplaceFile(csvFile, CollectionToCsv(entries)))
        return "cannot write " + csvFile.string() + ": " + *failure;
    return std::nullopt;
}

std::optional<std::string> ImportCollectionCsv(const std::filesystem::path& csvFile,
                                               const std::filesystem::path& tvnFile, CsvJournals* journals)
{
    std::string csv;
    if (auto failure = ReadWholeFile(csvFile, csv))
        return "cannot read " + csvFile.string() + ": " + *failure;
    EntryList entries;
    if (auto failure = CollectionFromCsv(csv, entries, journals))
        return csvFile.string() + ": " + *failure + "; " + tvnFile.string() + " not written";
    // Each row is a tree added: one without an identifier gets its own, ids given are kept.
    talvane::giveMissingTreeIds(entries);
    // A folder where no lock can be made is left to the save, which then says why.
    std::optional<LockHolder> holder;
    const auto lock = CommandLock::take(tvnFile, &holder);
    if (holder)
        return "cannot write " + tvnFile.string() + ": it is open by " + DescribeLockHolder(*holder) +
               "; close it there first";
    if (auto failure = SaveCollectionFile(tvnFile, entries))
        return "cannot write " + tvnFile.string() + ": " + *failure;
    return std::nullopt;
}
