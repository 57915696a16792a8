#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/collection/TreeIdentity.h"
#include "core/csv/Csv.h"

#include <array>
#include <cstddef>
#include <memory>
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

// What becomes of a row without a tree identifier in Spare113.
enum class MissingTreeIds {
    Left,
    // Given by the rule of collection::TreeIdsSeen, row by row: each entry is
    // then made once with all its texts, which a later write of one field would not be.
    Given,
};

// Reads a table that arrives piece by piece, cut anywhere, exactly as collectionFromCsv
// reads it whole: the same entries and the same refusals (a malformed table is refused
// as such even after a row that would be). Only the row being read is held besides the
// entries made, so a large table is never whole in memory.
class CollectionCsvReader {
public:
    explicit CollectionCsvReader(MissingTreeIds ids = MissingTreeIds::Left);
    CollectionCsvReader(const CollectionCsvReader&) = delete;
    CollectionCsvReader& operator=(const CollectionCsvReader&) = delete;

    void read(std::string_view piece);
    // After the last piece: appends the entries read and gives nothing, or gives the
    // refusal and leaves `entries` as it was. Called once.
    std::optional<std::string> finish(collection::EntryList& entries, CsvJournals* journals = nullptr);

private:
    void startRows();
    void takeRow(const csv::RowValues& values);
    std::optional<std::string> addEntry(const csv::RowValues& values, std::size_t rowNumber);
    std::unique_ptr<CBonsaiData> entryWithTreeId(std::array<std::string_view, CBonsaiData::kFieldCount>& texts);
    void refuse(std::string message);

    MissingTreeIds m_ids;
    csv::RowReader m_rows;
    // The first bytes, held until they tell whether the table starts with a byte order mark.
    std::string m_head;
    bool m_started = false;
    std::size_t m_rowCount = 0;
    // The field of each column.
    std::vector<std::size_t> m_fields;
    // The Windows-1252 texts of the current row's columns that are not plain ASCII.
    std::vector<std::string> m_converted;
    std::string m_restoredJournal;
    std::string m_newTreeId;
    collection::EntryList m_entries;
    // The identifiers the entries made so far hold: views into their texts.
    collection::TreeIdsSeen m_treeIds;
    CsvJournals m_journals;
    std::optional<std::string> m_refusal;
};

} // namespace talvane::csv
