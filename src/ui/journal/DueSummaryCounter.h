#pragma once

// moc cannot read the standard <chrono> header that dates rest on.
#ifndef Q_MOC_RUN
#include "core/journal/CalendarDate.h"
#endif

#include <QObject>
#include <QTimer>

#include <cstddef>
#include <cstdint>
#include <vector>

class CTalvaneDoc;

// Counts the care tasks due over the collection a slice of trees at a time, from the
// event loop, so that opening a large collection never waits for its journals. A
// change to the entries while it counts starts the count again. Once counted, the
// count follows every change of the entries (Add, Update, Delete, Undo, Redo, Mark
// done, a phone's change) by counting again only the tree that changed, and tells it.
class DueSummaryCounter : public QObject {
    Q_OBJECT
public:
    DueSummaryCounter(const CTalvaneDoc& doc, QObject* parent = nullptr);

    void start(talvane::journal::CalendarDate today, int withinDays);
    bool isCounting() const { return m_slices.isActive(); }

signals:
    void counted(std::size_t dueTasks, int withinDays);

private:
    void restartIfCounting();
    void countSlice();
    void appended();
    void inserted(std::size_t position);
    void removed(std::size_t position);
    void changed(std::size_t position);
    std::uint32_t countOf(std::size_t position) const;
    bool follows(std::size_t treesKnown);

    const CTalvaneDoc& m_doc;
    QTimer m_slices;
    talvane::journal::CalendarDate m_today = talvane::journal::CalendarDate::today();
    int m_withinDays = 0;
    std::size_t m_next = 0;
    std::size_t m_count = 0;
    // A whole count is done and changes are followed one tree at a time.
    bool m_following = false;
    // Each tree's share of the count, by position.
    std::vector<std::uint32_t> m_perTree;
};
