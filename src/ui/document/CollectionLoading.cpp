#include "ui/document/CollectionLoading.h"

#include <utility>

using namespace talvane::collection;

CollectionLoading::CollectionLoading(const std::filesystem::path& file)
{
    m_thread = std::thread([this, file] {
        EntryList unused;
        std::string notice;
        auto failure = loadCollectionFile(file, unused, &m_baseline, &notice,
                                          [this, &notice](EntryList& batch) { return handOver(batch, notice); });
        {
            const std::lock_guard lock(m_mutex);
            m_failure = std::move(failure);
            if (!m_firstRead)
                m_rollBackNotice = std::move(notice);
            m_ended = true;
        }
        m_changed.notify_all();
        QMetaObject::invokeMethod(this, &CollectionLoading::arrived, Qt::QueuedConnection);
    });
}

CollectionLoading::~CollectionLoading()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    finish();
}

bool CollectionLoading::handOver(EntryList& batch, const std::string& rollBackNotice)
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_stopping)
            return false;
        // A save stopped midway is rolled back before the first entry is read.
        if (!m_firstRead)
            m_rollBackNotice = rollBackNotice;
        m_read.insert(m_read.end(), std::make_move_iterator(batch.begin()), std::make_move_iterator(batch.end()));
        m_firstRead = true;
    }
    m_changed.notify_all();
    QMetaObject::invokeMethod(this, &CollectionLoading::arrived, Qt::QueuedConnection);
    return true;
}

void CollectionLoading::waitForFirstEntry()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_firstRead || m_ended; });
}

void CollectionLoading::finish()
{
    if (m_thread.joinable())
        m_thread.join();
}

EntryList CollectionLoading::takeEntries()
{
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_read, {});
}

bool CollectionLoading::isOver()
{
    const std::lock_guard lock(m_mutex);
    return m_ended && m_read.empty();
}

std::string CollectionLoading::rollBackNotice()
{
    const std::lock_guard lock(m_mutex);
    return m_rollBackNotice;
}
