#pragma once

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

} // namespace talvane::csv
