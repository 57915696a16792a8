#pragma once

#include "collection/RecoveryStore.h"

#include <QObject>
#include <QThreadPool>
#include <QTimer>

class CTalvaneDoc;

// Keeps the unsaved work of the open collection in a recovery file, a few seconds
// after each change: the changes of that span are written at once, the typing never
// waits for the disk (the file is written on a thread of its own), and a collection
// with nothing unsaved has no recovery file.
class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int kDelayMs = 3000;

    RecoveryKeeper(CTalvaneDoc& doc, RecoveryStore store, QObject* parent = nullptr);
    ~RecoveryKeeper() override;

    // Something changed: the recovery file follows within kDelayMs.
    void noteChange();
    // Brings the recovery file up to date now, and waits until it is on disk.
    void writeNow();
    // Nothing is left to recover (a clean exit): the file goes.
    void discard();

    const RecoveryStore& store() const { return m_store; }

private:
    void update();

    CTalvaneDoc& m_doc;
    RecoveryStore m_store;
    QTimer m_timer;
    // One thread, so that the writes and the removal reach the disk in order.
    QThreadPool m_writer;
};
