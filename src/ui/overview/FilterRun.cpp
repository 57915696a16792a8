#include "ui/overview/FilterRun.h"

#include <utility>

namespace {

// Entries looked at between two hand-overs: a stop is heard within a few milliseconds.
constexpr std::size_t kSliceEntries = 4096;

} // namespace

FilterRun::~FilterRun()
{
    stop();
}

void FilterRun::start(talvane::collection::EntryList snapshot, std::vector<std::size_t> positions,
                      talvane::search::EntryMatcher matcher)
{
    stop();
    m_lookedAtAll = false;
    m_thread = std::jthread([this, snapshot = std::move(snapshot), positions = std::move(positions),
                             matcher = std::move(matcher)](const std::stop_token& stop) {
        look(stop, snapshot, positions, matcher);
    });
}

void FilterRun::look(const std::stop_token& stop, const talvane::collection::EntryList& snapshot,
                     const std::vector<std::size_t>& positions, const talvane::search::EntryMatcher& matcher)
{
    std::vector<std::size_t> slice;
    for (std::size_t from = 0; from < positions.size(); from += kSliceEntries) {
        if (stop.stop_requested())
            return;
        const std::size_t to = std::min(positions.size(), from + kSliceEntries);
        for (std::size_t i = from; i < to; ++i)
            if (matcher.matches(*snapshot[positions[i]]))
                slice.push_back(positions[i]);
        if (slice.empty())
            continue;
        {
            const std::lock_guard lock(m_mutex);
            m_found.insert(m_found.end(), slice.begin(), slice.end());
        }
        slice.clear();
        QMetaObject::invokeMethod(this, &FilterRun::found, Qt::QueuedConnection);
    }
    {
        const std::lock_guard lock(m_mutex);
        m_lookedAtAll = true;
    }
    QMetaObject::invokeMethod(this, &FilterRun::found, Qt::QueuedConnection);
}

void FilterRun::stop()
{
    if (m_thread.joinable()) {
        m_thread.request_stop();
        m_thread.join();
    }
    const std::lock_guard lock(m_mutex);
    m_found.clear();
}

void FilterRun::finish()
{
    if (m_thread.joinable())
        m_thread.join();
}

std::vector<std::size_t> FilterRun::takeFound()
{
    std::vector<std::size_t> found;
    bool ended = false;
    {
        const std::lock_guard lock(m_mutex);
        found = std::exchange(m_found, {});
        ended = m_lookedAtAll;
    }
    // Everything the run found is taken: it is over.
    if (ended && m_thread.joinable())
        m_thread.join();
    return found;
}
