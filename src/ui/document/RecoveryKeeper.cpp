#include "ui/document/RecoveryKeeper.h"

#include "ui/document/TalvaneDoc.h"
#include "ui/framework/FilePaths.h"

#include <QDateTime>
#include <QFile>

#include <stdexcept>
#include <utility>

using namespace talvane::collection;

RecoveryKeeper::RecoveryKeeper(CTalvaneDoc& doc, RecoveryStore store, QObject* parent)
    : QObject(parent), m_doc(doc), m_store(std::move(store))
{
    m_writer.setMaxThreadCount(1);
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryKeeper::update);
    connect(&m_doc.history(), &QUndoStack::indexChanged, this, &RecoveryKeeper::noteChange);
    connect(&m_doc, &CDocument::modifiedChanged, this, &RecoveryKeeper::noteChange);
    connect(&m_doc, &CDocument::titleChanged, this, &RecoveryKeeper::noteChange);
}

RecoveryKeeper::~RecoveryKeeper()
{
    m_writer.waitForDone();
}

void RecoveryKeeper::noteChange()
{
    // A running timer already covers this change: restarting it would let steady
    // typing put the write off for ever.
    if (!m_timer.isActive())
        m_timer.start();
}

void RecoveryKeeper::update()
{
    m_timer.stop();
    // Half a collection is no copy of it: the keeping waits for the rest.
    if (m_doc.isLoading()) {
        noteChange();
        return;
    }
    if (!m_doc.hasUnsavedWork()) {
        m_writer.start([store = m_store] { store.remove(); });
        return;
    }
    RecoveryRecord record;
    record.collectionPath = fsPath(m_doc.pathName());
    record.title = m_doc.title().toStdString();
    record.writtenAt = QDateTime::currentSecsSinceEpoch();
    record.stagedPictures = m_doc.pictureHome().stagedFolder();
    if (const auto& baseline = m_doc.baseline())
        record.basedOn = baseline->identity;
    // The bytes are made on the writer's thread: at a hundred thousand trees they take
    // longer than the window may stop answering.
    m_writer.start([this, store = m_store, record = std::move(record), pieces = m_doc.unsavedPieces()] {
        std::optional<std::string> failure;
        try {
            failure = store.write(record, pieces);
        } catch (const std::length_error&) {
            // A text the file cannot hold cannot be kept here either; Save says why.
            return;
        }
        QMetaObject::invokeMethod(this, [this, failure = std::move(failure)] { noteWritten(failure); },
                                  Qt::QueuedConnection);
    });
}

void RecoveryKeeper::noteWritten(const std::optional<std::string>& failure)
{
    if (!failure) {
        if (std::exchange(m_failing, false))
            emit keepingResumed();
        return;
    }
    // Tried again after the delay, whether anything changes meanwhile or not.
    noteChange();
    if (!std::exchange(m_failing, true))
        emit keepingFailed(fromFsPath(m_store.ownFile().parent_path()), QString::fromStdString(*failure));
}

void RecoveryKeeper::writeNow()
{
    update();
    m_writer.waitForDone();
}

void RecoveryKeeper::discard()
{
    m_timer.stop();
    m_writer.start([store = m_store] { store.remove(); });
    m_writer.waitForDone();
}
