#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Comma-separated values as RFC 4180 has them. Values are byte strings: only the
// comma, the double quote, CR and LF mean anything here, so any encoding passes
// through, NUL bytes included.
namespace talvane::csv {

using Row = std::vector<std::string>;

// Appends one row: values separated by commas, ended by CR LF. A value holding a
// comma, a quote, CR or LF is put in quotes with its quotes doubled; its line breaks
// are kept exactly. A row of no values cannot be told from a row of one empty value.
void appendRow(std::string& out, const Row& row);

// Reads every row of `text`. Rows end with CR LF or LF; the last one may end with
// nothing. Malformed input (a quote that is never closed, a quote inside an unquoted
// value, text after a closing quote, a CR outside quotes that does not end a row) is
// refused with a message naming the row, counted from 1 as a spreadsheet does: a row
// whose quoted value spans several lines is still one row. `rows` is only filled
// when all of `text` is read.
std::optional<std::string> readRows(std::string_view text, std::vector<Row>& rows);

// The values of one row as read, valid until the next row is read.
using RowValues = std::vector<std::string_view>;

// Reads a text that arrives piece by piece exactly as readRows reads it whole, cut
// anywhere, and hands over each row as soon as it ends: only the row being read is
// held, so a large table is never whole in memory.
class RowReader {
public:
    using RowSink = std::function<void(const RowValues& values)>;

    explicit RowReader(RowSink sink) : m_sink(std::move(sink)) {}

    // Reads the next piece of the text. After a refusal nothing more is read.
    void read(std::string_view piece);
    // Ends the text: hands over its last row, which may end with nothing, and gives
    // readRows's refusal of the text, if any.
    std::optional<std::string> finish();

private:
    enum class State {
        RowStart,       // nothing of the row read yet
        ValueStart,     // after a comma
        Plain,          // in a value that does not start with a quote
        Quoted,         // in a quoted value
        AfterQuote,     // after a quote in a quoted value: its end, or the first of two
        CarriageReturn, // after a CR that follows a value: a LF must end the row
        Refused,
    };

    // Ends a value at `c`, which follows it outside quotes; gives false for a
    // character that cannot follow a value.
    bool endValueAt(char c);
    void endRow();
    void refuse(const char* what);

    RowSink m_sink;
    State m_state = State::RowStart;
    std::size_t m_row = 1;
    // The row's values, one after the other, and where each ends.
    std::string m_bytes;
    std::vector<std::size_t> m_ends;
    RowValues m_values;
    std::optional<std::string> m_refusal;
};

} // namespace talvane::csv
