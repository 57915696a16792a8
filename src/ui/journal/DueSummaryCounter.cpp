#include "ui/journal/DueSummaryCounter.h"

#include "ui/document/TalvaneDoc.h"
#include "core/journal/DueTasks.h"

#include <algorithm>

namespace {

// About a millisecond of work on trees with long journals: typing stays smooth.
constexpr std::size_t kTreesPerSlice = 1000;

} // namespace

DueSummaryCounter::DueSummaryCounter(const CTalvaneDoc& doc, QObject* parent) : QObject(parent), m_doc(doc)
{
    m_slices.setInterval(0);
    connect(&m_slices, &QTimer::timeout, this, &DueSummaryCounter::countSlice);
    connect(&doc, &CTalvaneDoc::entryInserted, this, &DueSummaryCounter::inserted);
    connect(&doc, &CTalvaneDoc::entryRemoved, this, &DueSummaryCounter::removed);
    connect(&doc, &CTalvaneDoc::entryChanged, this, &DueSummaryCounter::changed);
    connect(&doc, &CTalvaneDoc::entriesReset, this, &DueSummaryCounter::restartIfCounting);
    connect(&doc, &CTalvaneDoc::entriesAppended, this, &DueSummaryCounter::appended);
}

void DueSummaryCounter::start(talvane::journal::CalendarDate today, int withinDays)
{
    m_today = today;
    m_withinDays = withinDays;
    m_next = 0;
    m_count = 0;
    m_following = false;
    m_perTree.clear();
    m_perTree.reserve(m_doc.entryCount());
    m_slices.start();
}

void DueSummaryCounter::restartIfCounting()
{
    if (isCounting())
        start(m_today, m_withinDays);
}

void DueSummaryCounter::countSlice()
{
    const std::size_t end = std::min(m_doc.entryCount(), m_next + kTreesPerSlice);
    for (; m_next < end; ++m_next) {
        m_perTree.push_back(countOf(m_next));
        m_count += m_perTree.back();
    }
    if (m_next < m_doc.entryCount())
        return;
    m_slices.stop();
    m_following = true;
    emit counted(m_count, m_withinDays);
}

std::uint32_t DueSummaryCounter::countOf(std::size_t position) const
{
    return static_cast<std::uint32_t>(talvane::journal::countDueTasks(m_doc.entryAt(position), m_today, m_withinDays));
}

// Before the first count, or while one runs, a change only starts it again; a count that
// lost track of the trees counts them all again.
bool DueSummaryCounter::follows(std::size_t treesKnown)
{
    if (m_following && treesKnown == m_perTree.size())
        return true;
    if (m_following || isCounting())
        start(m_today, m_withinDays);
    return false;
}

void DueSummaryCounter::appended()
{
    // A count under way reads on to the last entry; one that was over counts on from
    // where it stopped.
    if (!m_following)
        return;
    m_following = false;
    m_slices.start();
}

void DueSummaryCounter::inserted(std::size_t position)
{
    if (!follows(m_doc.entryCount() - 1))
        return;
    m_perTree.insert(m_perTree.begin() + static_cast<std::ptrdiff_t>(position), countOf(position));
    m_count += m_perTree[position];
    emit counted(m_count, m_withinDays);
}

void DueSummaryCounter::removed(std::size_t position)
{
    if (!follows(m_doc.entryCount() + 1))
        return;
    m_count -= m_perTree[position];
    m_perTree.erase(m_perTree.begin() + static_cast<std::ptrdiff_t>(position));
    emit counted(m_count, m_withinDays);
}

void DueSummaryCounter::changed(std::size_t position)
{
    if (!follows(m_doc.entryCount()))
        return;
    const std::uint32_t now = countOf(position);
    m_count = m_count - m_perTree[position] + now;
    m_perTree[position] = now;
    emit counted(m_count, m_withinDays);
}
