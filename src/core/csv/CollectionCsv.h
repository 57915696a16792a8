#pragma once

#include "core/collection/CollectionArchive.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvane::csv {

// A collection as a UTF-8 CSV table, for spreadsheets and scripts: a header row
// naming the columns, then one row per entry.

// All 115 fields: the 52 used ones under their own names in index order, then the
// spare ones in index order as "Spare10" … "Spare114". Each entry's bytes are turned
// from Windows-1252 into UTF-8, and a value a spreadsheet would run as a formula is
// written behind a quote (see csv/FormulaGuard.h).
std::string collectionToCsv(const collection::EntryList& entries);

// What an import made of the journals (Spare114) of the table's trees.
struct CsvJournals {
    // Journals whose line breaks a spreadsheet had turned into LF, read as the CR LF
    // journals they were.
    std::size_t restored = 0;
    // The rows, as the file counts them, whose journal still cannot be read whole: not
    // a journal at all, or with lines that are no event. They are kept as they are.
    std::vector<std::size_t> unreadableRows;
};

// Reads a table in that form and appends its entries. Columns may come in any order
// or be left out; a leading UTF-8 byte order mark is skipped, and so is the quote in
// front of a formula-like value. Unknown or repeated column names, a row whose value
// count differs from the header's, and a character Windows-1252 cannot hold are
// refused: the result says why, naming the columns, or the row (the header is row 1)
// and column. `entries` is then left as it was. `journals`, where given, is told what
// became of the journals read.
std::optional<std::string> collectionFromCsv(std::string_view csv, collection::EntryList& entries, CsvJournals* journals = nullptr);

} // namespace talvane::csv
