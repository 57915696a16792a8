#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CBonsaiData;

namespace talvane::report {

// The report of entries as fixed-width lines of at most 70 characters, 60 to a page.
using ReportLines = std::vector<std::string>;

inline constexpr std::size_t kReportPageLines = 60;
inline constexpr std::size_t kReportLineWidth = 70;

} // namespace talvane::report

// Appends one entry's report; a null entry appends nothing. While the whole
// collection is reported (printAll), each entry fills its last page.
void BuildEntryReport(const CBonsaiData* entry, talvane::report::ReportLines& lines, bool printAll);
// Appends a multi-line text, one report line per line of the text.
void AddReportText(std::string_view text, talvane::report::ReportLines& lines);
// Appends one line, wrapped at a space into lines of at most 70 characters.
void AddReportLine(std::string_view text, talvane::report::ReportLines& lines);
