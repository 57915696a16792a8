#pragma once

#include "core/collection/CollectionFile.h"

#include <QObject>

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// Reads a large collection file on a thread of its own and hands its entries over in
// batches as they are read, so that the window shows the first tree at once and the list
// fills while the rest comes. Told on the thread that started it; stopped when destroyed.
class CollectionLoading : public QObject {
    Q_OBJECT
public:
    explicit CollectionLoading(const std::filesystem::path& file);
    ~CollectionLoading() override;
    CollectionLoading(const CollectionLoading&) = delete;
    CollectionLoading& operator=(const CollectionLoading&) = delete;

    // Waits until the first entry is read, or the reading has ended.
    void waitForFirstEntry();
    // Waits until the reading has ended.
    void finish();
    // The entries read since last asked, in file order.
    talvane::collection::EntryList takeEntries();
    // Once the reading has ended and every entry is taken.
    bool isOver();
    // Once over (or after finish()): why the file could not be read, or nothing.
    const std::optional<std::string>& failure() const { return m_failure; }
    // Once over (or after finish()): the file as it was read.
    const talvane::collection::SaveBaseline& baseline() const { return m_baseline; }
    // Known with the first entry: the words saying a save that stopped midway was rolled back.
    std::string rollBackNotice();

signals:
    // More entries were read, or the reading ended.
    void arrived();

private:
    bool handOver(talvane::collection::EntryList& batch, const std::string& rollBackNotice);

    std::mutex m_mutex;
    std::condition_variable m_changed;
    talvane::collection::EntryList m_read; // guarded by m_mutex
    bool m_firstRead = false;             // guarded by m_mutex
    bool m_ended = false;                 // guarded by m_mutex
    bool m_stopping = false;              // guarded by m_mutex
    std::string m_rollBackNotice;         // guarded by m_mutex until the first entry
    // Written by the thread before it ends; read after it is joined.
    std::optional<std::string> m_failure;
    talvane::collection::SaveBaseline m_baseline;
    std::thread m_thread;
};
