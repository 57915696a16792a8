#pragma once

#include "core/report/EntryReport.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

class CBonsaiData;

namespace talvane::report {

// The pages of the report of some entries, each made when it is asked for from its
// own entry: a print of a whole collection holds the lines of one entry at a time,
// never those of every entry. The entries must stay as they are while it is used.
class ReportPager {
public:
    // With `printAll`, every entry starts on a page of its own (BuildEntryReport).
    ReportPager(std::vector<const CBonsaiData*> entries, bool printAll);

    // At least one: a report of nothing is one page with its header and footer.
    std::size_t pageCount() const { return m_pageCount; }
    // The lines of a page, counted from 1: at most 60, none past the last page. They
    // stay good until the next call.
    std::span<const std::string> pageLines(std::size_t page);

private:
    // Makes the report of the entry at `index` the one held.
    void hold(std::size_t index);

    std::vector<const CBonsaiData*> m_entries;
    bool m_printAll;
    // The page each entry's report starts on, from 1, in the entries' order.
    std::vector<std::size_t> m_firstPages;
    std::size_t m_pageCount = 1;
    std::size_t m_held;
    ReportLines m_lines;
};

} // namespace talvane::report
