#include "core/report/ReportPager.h"

#include <algorithm>

namespace talvane::report {

ReportPager::ReportPager(std::vector<const CBonsaiData*> entries, bool printAll)
    : m_entries(std::move(entries)), m_printAll(printAll), m_held(m_entries.size())
{
    m_firstPages.reserve(m_entries.size());
    std::size_t pages = 0;
    for (const CBonsaiData* entry : m_entries) {
        m_firstPages.push_back(pages + 1);
        m_lines.clear();
        BuildEntryReport(entry, m_lines, m_printAll);
        pages += (m_lines.size() + kReportPageLines - 1) / kReportPageLines;
    }
    m_pageCount = std::max<std::size_t>(pages, 1);
    // The lines of the last entry counted are not kept: the first page asked for makes its own.
    ReportLines().swap(m_lines);
}

std::span<const std::string> ReportPager::pageLines(std::size_t page)
{
    const auto after = std::upper_bound(m_firstPages.begin(), m_firstPages.end(), page);
    if (page == 0 || after == m_firstPages.begin())
        return {};
    const std::size_t index = static_cast<std::size_t>(after - m_firstPages.begin()) - 1;
    hold(index);
    const std::size_t first = (page - m_firstPages[index]) * kReportPageLines;
    if (first >= m_lines.size())
        return {};
    return std::span<const std::string>(m_lines).subspan(first, std::min(kReportPageLines, m_lines.size() - first));
}

void ReportPager::hold(std::size_t index)
{
    if (m_held == index)
        return;
    m_lines.clear();
    BuildEntryReport(m_entries[index], m_lines, m_printAll);
    m_held = index;
}

} // namespace talvane::report
