#pragma once

#include <string>
#include <string_view>

// A spreadsheet that opens a table runs a cell beginning with "=", "+", "-", "@", TAB
// or CR as a formula. Such a value is written with a "'" in front, which spreadsheets
// take as "plain text"; a value that already begins with quotes before one of those
// characters gets one quote more, so that reading always takes exactly one off again.
namespace talvane::csv {

std::string guardFormula(std::string_view value);

// The value guardFormula was given: one leading quote less when guardFormula would
// have put it there, otherwise the value itself.
std::string_view unguardFormula(std::string_view value);

} // namespace talvane::csv
