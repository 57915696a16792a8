#pragma once

#include "core/collection/RecoveryStore.h"

#include <QObject>
#include <QThreadPool>
#include <QTimer>

class CTalvaneDoc;

// Keeps the unsaved work of the open collection in a recovery file, a few seconds
// after each change: the changes of that span are written at once, the typing never
// waits for the disk (the file is written on a thread of its own), and a collection
// with nothing unsaved has no recovery file. A file that cannot be written is tried
// again every kDelayMs, changes or not, until it can.
class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int kDelayMs = 3000;

    RecoveryKeeper(CTalvaneDoc& doc, talvane::collection::RecoveryStore store, QObject* parent = nullptr);
    ~RecoveryKeeper() override;

    // Something changed: the recovery file follows within kDelayMs.
    void noteChange();
    // Brings the recovery file up to date now, and waits until it is on disk.
    void writeNow();
    // Nothing is left to recover (a clean exit): the file goes.
    void discard();

    const talvane::collection::RecoveryStore& store() const { return m_store; }

signals:
    // The recovery file could not be written, for the first time since it last could:
    // until it can, a crash loses the unsaved work. `folder` is where it is kept.
    void keepingFailed(const QString& folder, const QString& reason);
    // It was written again after failing.
    void keepingResumed();

private:
    void update();
    // Told on the window's thread how a write ended: nothing when it succeeded.
    void noteWritten(const std::optional<std::string>& failure);

    CTalvaneDoc& m_doc;
    talvane::collection::RecoveryStore m_store;
    QTimer m_timer;
    // One thread, so that the writes and the removal reach the disk in order.
    QThreadPool m_writer;
    bool m_failing = false;
};
