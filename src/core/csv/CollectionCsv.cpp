#include "core/csv/CollectionCsv.h"

#include "core/collection/FieldCatalogue.h"
#include "core/collection/TreeIdentity.h"
#include "core/csv/Csv.h"
#include "core/csv/FormulaGuard.h"
#include "core/journal/Journal.h"
#include "core/journal/JournalFormat.h"
#include "core/text/Windows1252.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>
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
std::optional<std::string> mapColumns(const csv::RowValues& header, std::vector<std::size_t>& fields)
{
    std::vector<std::string> unknown;
    std::vector<std::string> repeated;
    std::array<bool, kFieldCount> seen{};
    for (const auto name : header) {
        const auto field = columnField(name);
        if (!field)
            unknown.emplace_back(name);
        else if (!seen[*field])
            seen[*field] = true;
        else if (std::find(repeated.begin(), repeated.end(), name) == repeated.end())
            repeated.emplace_back(name);
        fields.push_back(field.value_or(kFieldCount));
    }
    std::string message;
    appendNamed(message, "unknown", unknown);
    appendNamed(message, "repeated", repeated);
    if (message.empty())
        return std::nullopt;
    return message;
}

bool isAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }

// Where the run of characters starting at `from` that are, or are not, plain ASCII ends.
std::size_t runEnd(std::string_view text, std::size_t from, bool ascii)
{
    while (from < text.size() && isAscii(text[from]) == ascii)
        ++from;
    return from;
}

// The value's Windows-1252 bytes, or nothing with the character they cannot hold. Plain
// ASCII is the same bytes in both, and a byte below 0x80 is never part of another
// character's UTF-8: so runs of ASCII are taken as they are, and utf8ToCp1252Strict
// converts each run between them as it would inside the whole value. A value of plain
// ASCII, the most common, is given back itself; others are written into `converted`.
std::optional<std::string_view> windows1252Of(std::string_view value, std::string& converted,
                                              text::Utf8ConversionError& error)
{
    std::size_t pos = runEnd(value, 0, true);
    if (pos == value.size())
        return value;
    converted.assign(value.substr(0, pos));
    while (pos < value.size()) {
        const std::size_t end = runEnd(value, pos, false);
        const auto bytes = text::utf8ToCp1252Strict(value.substr(pos, end - pos), &error);
        if (!bytes) {
            // Each character before the run is one byte of `converted`.
            error.characterIndex += converted.size();
            return std::nullopt;
        }
        converted += *bytes;
        pos = runEnd(value, end, true);
        converted.append(value.substr(end, pos - end));
    }
    return converted;
}

// True when the text is a journal whose every line is an event.
bool isWholeJournal(std::string_view fieldText)
{
    using namespace talvane::journal;
    bool whole = true;
    const bool journal = forEachJournalLine(fieldText, [&whole](std::string_view line) {
        whole = whole && parseEventLine(line).has_value();
    });
    return journal && whole;
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

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
    CollectionCsvReader reader;
    reader.read(csv);
    return reader.finish(entries, journals);
}

CollectionCsvReader::CollectionCsvReader(MissingTreeIds ids)
    : m_ids(ids), m_rows([this](const csv::RowValues& values) { takeRow(values); })
{
}

void CollectionCsvReader::read(std::string_view piece)
{
    if (!m_started) {
        const std::size_t taken = std::min(piece.size(), kUtf8Mark.size() - m_head.size());
        m_head.append(piece.substr(0, taken));
        piece.remove_prefix(taken);
        if (m_head.size() < kUtf8Mark.size())
            return;
        startRows();
    }
    m_rows.read(piece);
}

std::optional<std::string> CollectionCsvReader::finish(collection::EntryList& entries, CsvJournals* journals)
{
    if (!m_started)
        startRows();
    if (auto failure = m_rows.finish())
        return failure;
    if (m_rowCount == 0)
        return std::string("the file is empty: a header row naming the columns is needed");
    if (m_refusal)
        return m_refusal;
    std::move(m_entries.begin(), m_entries.end(), std::back_inserter(entries));
    m_entries.clear();
    if (journals)
        *journals = std::move(m_journals);
    return std::nullopt;
}

// A leading byte order mark is skipped.
void CollectionCsvReader::startRows()
{
    m_started = true;
    if (m_head != kUtf8Mark)
        m_rows.read(m_head);
}

// The header is row 1. After a refusal the rows are only read on, so that a malformed
// table further down is refused as such, as when the whole table is read first.
void CollectionCsvReader::takeRow(const csv::RowValues& values)
{
    const std::size_t rowNumber = ++m_rowCount;
    if (m_refusal)
        return;
    std::optional<std::string> failure;
    if (rowNumber == 1) {
        failure = mapColumns(values, m_fields);
        m_converted.resize(m_fields.size());
    } else {
        failure = addEntry(values, rowNumber);
    }
    if (failure)
        refuse(std::move(*failure));
}

std::optional<std::string> CollectionCsvReader::addEntry(const csv::RowValues& values, std::size_t rowNumber)
{
    const auto where = [rowNumber] { return "row " + std::to_string(rowNumber); };
    if (values.size() != m_fields.size())
        return where() + " has " + counted(values.size(), "value") + " where the header row has " +
               counted(m_fields.size(), "column");
    // A new entry's values stand for the columns left out: empty texts, and "-1"
    // (neither Interior nor Exterior) when there is no IntExt column.
    std::array<std::string_view, kFieldCount> texts{};
    texts[CBonsaiData::IntExt] = "-1";
    for (std::size_t i = 0; i < values.size(); ++i) {
        text::Utf8ConversionError error{};
        const auto bytes = windows1252Of(csv::unguardFormula(values[i]), m_converted[i], error);
        if (!bytes)
            return where() + ", column \"" + allColumnNames()[m_fields[i]] + "\": character " +
                   std::to_string(error.characterIndex + 1) + " cannot be held in Windows-1252 (or is not UTF-8)";
        texts[m_fields[i]] = *bytes;
    }
    // A journal that a spreadsheet wrote with LF line breaks is read as the CR LF journal
    // it was; one that cannot be read whole is noted and kept as it is.
    using talvane::journal::kJournalField;
    if (auto restored = talvane::journal::withLineBreaksRestored(texts[kJournalField])) {
        m_restoredJournal = std::move(*restored);
        texts[kJournalField] = m_restoredJournal;
        ++m_journals.restored;
    }
    if (!isWholeJournal(texts[kJournalField]))
        m_journals.unreadableRows.push_back(rowNumber);
    m_entries.push_back(m_ids == MissingTreeIds::Given ? entryWithTreeId(texts) : CBonsaiData::fromTexts(texts));
    return std::nullopt;
}

// A row whose identifier is empty, or held by an earlier row, gets a new one; any
// other text is kept as given.
std::unique_ptr<CBonsaiData> CollectionCsvReader::entryWithTreeId(std::array<std::string_view, kFieldCount>& texts)
{
    const std::string_view given = texts[collection::kTreeIdField];
    if (m_treeIds.needsNewId(given)) {
        m_newTreeId = collection::newTreeId();
        texts[collection::kTreeIdField] = m_newTreeId;
    }
    auto entry = CBonsaiData::fromTexts(texts);
    m_treeIds.note(std::as_const(*entry)[collection::kTreeIdField]);
    return entry;
}

// What was read is no longer needed.
void CollectionCsvReader::refuse(std::string message)
{
    m_refusal = std::move(message);
    m_treeIds.clear();
    m_entries.clear();
}

} // namespace talvane::csv
