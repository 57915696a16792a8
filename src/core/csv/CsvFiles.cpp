#include "core/csv/CsvFiles.h"

#include "core/collection/CollectionFile.h"
#include "core/collection/CollectionLock.h"
#include "core/collection/SafeFile.h"

#include <algorithm>
#include <cstdint>

namespace talvane::csv {

namespace {

// The table is read a piece at a time: only a piece and a row are held besides the entries.
constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

// Reads the table's entries, each row without a tree identifier given its own. The file
// is read to the size it had when opened, and to its end even once the table is refused,
// as if it were read whole first: a file that cannot be read is said to be so.
std::optional<std::string> readTable(const std::filesystem::path& csvFile, const std::filesystem::path& tvnFile,
                                     collection::EntryList& entries, CsvJournals* journals)
{
    const auto cannotRead = [&](const std::string& reason) { return "cannot read " + csvFile.string() + ": " + reason; };
    collection::InputFile file;
    if (auto failure = file.open(csvFile))
        return cannotRead(*failure);
    CollectionCsvReader reader(MissingTreeIds::Given);
    std::string piece(kPieceBytes, '\0');
    for (std::uint64_t left = file.size(); left > 0;) {
        const std::size_t got = file.read(piece.data(), static_cast<std::size_t>(std::min<std::uint64_t>(left, piece.size())));
        if (got == 0)
            break;
        reader.read(std::string_view(piece.data(), got));
        left -= got;
    }
    if (file.failure())
        return cannotRead(*file.failure());
    if (auto failure = reader.finish(entries, journals))
        return csvFile.string() + ": " + *failure + "; " + tvnFile.string() + " not written";
    return std::nullopt;
}

} // namespace

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
    collection::EntryList entries;
    if (auto failure = readTable(csvFile, tvnFile, entries, journals))
        return failure;
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
