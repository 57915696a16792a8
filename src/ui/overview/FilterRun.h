#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/search/EntryMatcher.h"

#include <QObject>

#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

// Looks for the entries a filter keeps on a thread of its own, over a snapshot of the
// collection, and hands them over in the order given as they are found: the window
// never waits for a filter, and a newer one stops the older at once.
class FilterRun : public QObject {
    Q_OBJECT
public:
    FilterRun() = default;
    ~FilterRun() override;
    FilterRun(const FilterRun&) = delete;
    FilterRun& operator=(const FilterRun&) = delete;

    // Looks at the entries at `positions` of `snapshot`, in that order. A run under way
    // stops first, and nothing more of it is handed over.
    void start(talvane::collection::EntryList snapshot, std::vector<std::size_t> positions,
               talvane::search::EntryMatcher matcher);
    void stop();
    // Until every position found is taken.
    bool isRunning() const { return m_thread.joinable(); }
    // Waits until every position is looked at: the next takeFound() takes the rest.
    void finish();
    // The positions found since last asked, in order.
    std::vector<std::size_t> takeFound();

signals:
    // More positions were found, or the run ended: told on the thread that started it.
    void found();

private:
    void look(const std::stop_token& stop, const talvane::collection::EntryList& snapshot,
              const std::vector<std::size_t>& positions, const talvane::search::EntryMatcher& matcher);

    std::jthread m_thread;
    std::mutex m_mutex;
    std::vector<std::size_t> m_found;
    bool m_lookedAtAll = true; // guarded by m_mutex
};
