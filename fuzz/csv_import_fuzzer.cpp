// Feeds arbitrary bytes to the table import. A table read in pieces, cut anywhere, must
// give exactly what it gives read whole (the same entries, or the same refusal), or a
// large import would differ from a small one; and a table that reads must export to one
// that reads to the same entries, or exporting and importing would change a collection.
#include "core/collection/CollectionArchive.h"
#include "core/csv/CollectionCsv.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

using namespace talvane;

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "csv_import_fuzzer: %s\n", what);
    std::abort();
}

// The outcome of a reading, comparable as bytes: the refusal, or the collection.
std::string outcome(const std::optional<std::string>& refusal, const collection::EntryList& entries)
{
    return refusal ? "refused: " + *refusal : collection::writeCollection(entries);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The first byte chooses the length of the pieces, so that every cut is tried.
    if (size == 0)
        return 0;
    const std::size_t pieceBytes = 1 + data[0] % 16;
    const std::string_view table(reinterpret_cast<const char*>(data) + 1, size - 1);

    collection::EntryList whole;
    const auto wholeRefusal = csv::collectionFromCsv(table, whole);

    csv::CollectionCsvReader reader;
    for (std::size_t at = 0; at < table.size(); at += pieceBytes)
        reader.read(table.substr(at, pieceBytes));
    collection::EntryList pieces;
    const auto piecesRefusal = reader.finish(pieces);
    if (outcome(wholeRefusal, whole) != outcome(piecesRefusal, pieces))
        fail("a table read in pieces differs from the table read whole");

    if (wholeRefusal)
        return 0;
    collection::EntryList again;
    if (csv::collectionFromCsv(csv::collectionToCsv(whole), again))
        fail("an exported table is refused");
    if (collection::writeCollection(again) != collection::writeCollection(whole))
        fail("an exported table reads to other entries");
    return 0;
}
