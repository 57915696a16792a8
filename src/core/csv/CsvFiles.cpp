#include "core/csv/CsvFiles.h"

#include "core/collection/CollectionFile.h"
#include "core/collection/CollectionLock.h"
#include "core/collection/SafeFile.h"
#include "core/collection/TreeIdentity.h"

namespace talvane::csv {

std::optional<std::string> exportCollectionCsv(const std::filesystem::path& tvnFile,
                                               const std::filesystem::path& csvFile)
{
    collection::EntryList entries;
    if (auto failure = collection::loadCollectionFile(tvnFile, entries))
        return tvnFile.string() + ": " + *failure;
    if (auto failure = collection::replaceFile(csvFile, collectionToCsv(entries)))
        return "cannot write " + csvFile.string() + ": " + *failure;
    return std::nullopt;
}

std::optional<std::string> importCollectionCsv(const std::filesystem::path& csvFile,
                                               const std::filesystem::path& tvnFile, CsvJournals* journals)
{
    std::string csv;
    if (auto failure = collection::readWholeFile(csvFile, csv))
        return "cannot read " + csvFile.string() + ": " + *failure;
    collection::EntryList entries;
    if (auto failure = collectionFromCsv(csv, entries, journals))
        return csvFile.string() + ": " + *failure + "; " + tvnFile.string() + " not written";
    // Each row is a tree added: one without an identifier gets its own, ids given are kept.
    talvane::collection::giveMissingTreeIds(entries);
    // A folder where no lock can be made is left to the save, which then says why.
    std::optional<collection::LockHolder> holder;
    const auto lock = collection::CommandLock::take(tvnFile, &holder);
    if (holder)
        return "cannot write " + tvnFile.string() + ": it is open by " + collection::describeLockHolder(*holder) +
               "; close it there first";
    if (auto failure = collection::saveCollectionFile(tvnFile, entries))
        return "cannot write " + tvnFile.string() + ": " + *failure;
    return std::nullopt;
}

} // namespace talvane::csv
