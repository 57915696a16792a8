#include "ui/document/BackgroundSave.h"

#include <utility>

using namespace talvane::collection;

BackgroundSave::~BackgroundSave()
{
    if (m_thread.joinable())
        m_thread.join();
}

void BackgroundSave::start(std::filesystem::path file, EntryList snapshot, std::optional<SaveBaseline> expected,
                           bool overwriteChanged, Done done)
{
    finish();
    m_done = std::move(done);
    const unsigned generation = ++m_generation;
    m_thread = std::thread([this, generation, file = std::move(file), snapshot = std::move(snapshot),
                            expected = std::move(expected), overwriteChanged]() mutable {
        CollectionSaveOptions options;
        options.expected = expected ? &*expected : nullptr;
        options.overwriteChanged = overwriteChanged;
        m_result = saveCollectionFile(file, snapshot, options);
        // The entries are let go here, not on the window's thread.
        snapshot.clear();
        QMetaObject::invokeMethod(this, [this, generation] { deliver(generation); }, Qt::QueuedConnection);
    });
}

void BackgroundSave::finish()
{
    deliver(m_generation);
}

void BackgroundSave::deliver(unsigned generation)
{
    // A write already told by finish() leaves its queued call nothing to do.
    if (generation != m_generation || !m_done)
        return;
    m_thread.join();
    const Done done = std::exchange(m_done, nullptr);
    done(m_result);
}
