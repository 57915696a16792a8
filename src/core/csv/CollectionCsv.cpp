#include "core/csv/CollectionCsv.h"

#include "core/collection/FieldCatalogue.h"
#include "core/csv/Csv.h"
#include "core/csv/FormulaGuard.h"
#include "core/journal/Journal.h"
#include "core/journal/JournalFormat.h"
#include "core/text/Windows1252.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

namespace talvane::csv {

namespace {

constexpr std::size_t kFieldCount = CBonsaiData::kFieldCount;

using ColumnNames = std::array<std::string, kFieldCount>;
using FieldOrder = std::array<std::size_t, kFieldCount>;

// Indexed by field: its own name, or "Spare" and the index for a spare field.
const ColumnNames& allColumnNames()
{
    static const ColumnNames names = [] {
        ColumnNames made;
        for (const auto& field : talvane::collection::allFields())
            made[field.index] = field.isSpare() ? "Spare" + std::to_string(field.index) : std::string(field.name);
        return made;
    }();
    return names;
}

// The used fields first, so that a spreadsheet opens on the columns people read;
// the spare ones after them. Each group keeps index order.
const FieldOrder& exportOrder()
{
    static const FieldOrder order = [] {
        FieldOrder made;
        for (std::size_t i = 0; i < kFieldCount; ++i)
            made[i] = i;
        std::stable_partition(made.begin(), made.end(), [](std::size_t i) { return !talvane::collection::field(i).isSpare(); });
        return made;
    }();
    return order;
}

std::optional<std::size_t> columnField(std::string_view name)
{
    const auto& names = allColumnNames();
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - names.begin());
}

std::string counted(std::size_t count, const char* noun)
{
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// Adds `unknown columns: "A", "B"` (or the like) to a message, when there are names.
void appendNamed(std::string& message, const char* what, const std::vector<std::string>& names)
{
    if (names.empty())
        return;
    if (!message.empty())
        message += "; ";
    message += std::string(what) + (names.size() == 1 ? " column:" : " columns:");
    for (std::size_t i = 0; i < names.size(); ++i)
        message += (i == 0 ? " \"" : ", \"") + names[i] + "\"";
}

// Gives the field of each header column, or the reason the header is refused.
std::optional<std::string> mapColumns(const csv::Row& header, std::vector<std::size_t>& fields)
{
    std::vector<std::string> unknown;
    std::vector<std::string> repeated;
    std::array<bool, kFieldCount> seen{};
    for (const auto& name : header) {
        const auto field = columnField(name);
        if (!field)
            unknown.push_back(name);
        else if (!seen[*field])
            seen[*field] = true;
        else if (std::find(repeated.begin(), repeated.end(), name) == repeated.end())
            repeated.push_back(name);
        fields.push_back(field.value_or(kFieldCount));
    }
    std::string message;
    appendNamed(message, "unknown", unknown);
    appendNamed(message, "repeated", repeated);
    if (message.empty())
        return std::nullopt;
    return message;
}

// Stores one data row, numbered as the file counts rows, into `entry`.
std::optional<std::string> fillEntry(const csv::Row& row, std::size_t rowNumber, const std::vector<std::size_t>& fields,
                                     CBonsaiData& entry)
{
    const std::string where = "row " + std::to_string(rowNumber);
    if (row.size() != fields.size())
        return where + " has " + counted(row.size(), "value") + " where the header row has " +
               counted(fields.size(), "column");
    for (std::size_t i = 0; i < row.size(); ++i) {
        text::Utf8ConversionError error{};
        auto bytes = text::utf8ToCp1252Strict(csv::unguardFormula(row[i]), &error);
        if (!bytes)
            return where + ", column \"" + allColumnNames()[fields[i]] + "\": character " +
                   std::to_string(error.characterIndex + 1) + " cannot be held in Windows-1252 (or is not UTF-8)";
        entry[fields[i]] = std::move(*bytes);
    }
    return std::nullopt;
}

// Reads a journal that a spreadsheet wrote with LF line breaks as the CR LF journal it
// was, and notes a tree whose journal cannot be read whole.
void readJournal(CBonsaiData& entry, std::size_t rowNumber, CsvJournals& journals)
{
    using namespace talvane::journal;
    if (auto restored = withLineBreaksRestored(entry[kJournalField])) {
        entry[kJournalField] = *restored;
        ++journals.restored;
    }
    const Journal journal = Journal::read(entry[kJournalField]);
    if (journal.isForeign() || journal.unreadableLineCount() > 0)
        journals.unreadableRows.push_back(rowNumber);
}

std::string_view withoutByteOrderMark(std::string_view text)
{
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    if (text.starts_with(kUtf8Mark))
        text.remove_prefix(kUtf8Mark.size());
    return text;
}

} // namespace

std::string collectionToCsv(const collection::EntryList& entries)
{
    csv::Row row(kFieldCount);
    std::string out;
    for (std::size_t column = 0; column < kFieldCount; ++column)
        row[column] = allColumnNames()[exportOrder()[column]];
    csv::appendRow(out, row);
    for (const auto& entry : entries) {
        for (std::size_t column = 0; column < kFieldCount; ++column)
            row[column] = csv::guardFormula(text::cp1252ToUtf8((*entry)[exportOrder()[column]]));
        csv::appendRow(out, row);
    }
    return out;
}

std::optional<std::string> collectionFromCsv(std::string_view csv, collection::EntryList& entries, CsvJournals* journals)
{
    std::vector<csv::Row> rows;
    if (auto failure = csv::readRows(withoutByteOrderMark(csv), rows))
        return failure;
    if (rows.empty())
        return std::string("the file is empty: a header row naming the columns is needed");
    std::vector<std::size_t> fields;
    if (auto failure = mapColumns(rows.front(), fields))
        return failure;
    collection::EntryList read;
    CsvJournals journalsRead;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        // A new entry's values stand for the columns left out: empty texts, and "-1"
        // (neither Interior nor Exterior) when there is no IntExt column.
        auto entry = std::make_unique<CBonsaiData>();
        if (auto failure = fillEntry(rows[r], r + 1, fields, *entry))
            return failure;
        readJournal(*entry, r + 1, journalsRead);
        read.push_back(std::move(entry));
    }
    std::move(read.begin(), read.end(), std::back_inserter(entries));
    if (journals)
        *journals = std::move(journalsRead);
    return std::nullopt;
}

} // namespace talvane::csv
