#pragma once

#include "core/collection/CollectionFile.h"

#include <QObject>

#include <filesystem>
#include <functional>
#include <optional>
#include <thread>

// Writes a collection's file from a snapshot on a thread of its own, so that the window
// answers while the bytes go to disk. The snapshot never changes underneath the write:
// its entries are shared, and whoever changes one changes a copy. The outcome is told
// on the thread that started the write, from its event loop or from finish().
class BackgroundSave : public QObject {
    Q_OBJECT
public:
    using Done = std::function<void(const talvane::collection::CollectionSaveResult&)>;

    BackgroundSave() = default;
    ~BackgroundSave() override;
    BackgroundSave(const BackgroundSave&) = delete;
    BackgroundSave& operator=(const BackgroundSave&) = delete;

    // Writes `snapshot` to `file`, comparing the file with `expected` first as every save
    // does; `done` hears the outcome. Only one write runs at a time.
    void start(std::filesystem::path file, talvane::collection::EntryList snapshot,
               std::optional<talvane::collection::SaveBaseline> expected, bool overwriteChanged, Done done);
    bool isRunning() const { return m_done != nullptr; }
    // Waits for the write under way, if any, and tells its outcome now.
    void finish();

private:
    void deliver(unsigned generation);

    std::thread m_thread;
    talvane::collection::CollectionSaveResult m_result;
    Done m_done;
    unsigned m_generation = 0;
};
