#pragma once

// moc cannot read the standard <chrono> header that dates rest on.
#ifndef Q_MOC_RUN
#include "journal/CalendarDate.h"
#endif

#include <QObject>
#include <QTimer>

#include <cstddef>

class CTalvaneDoc;

// Counts the care tasks due over the collection a slice of trees at a time, from the
// event loop, so that opening a large collection never waits for its journals. A
// change to the entries while it counts starts the count again.
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

    const CTalvaneDoc& m_doc;
    QTimer m_slices;
    talvane::journal::CalendarDate m_today = talvane::journal::CalendarDate::today();
    int m_withinDays = 0;
    std::size_t m_next = 0;
    std::size_t m_count = 0;
};
