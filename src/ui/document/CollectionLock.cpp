#include "document/CollectionLock.h"

#include <QFile>
#include <QLockFile>

CollectionLockAttempt LockCollection(const QString& collection)
{
    const std::filesystem::path path = QFile::encodeName(collection).toStdString();
    CollectionLockAttempt attempt;
    auto lock = std::make_unique<QLockFile>(QFile::decodeName(LockFilePathOf(path).c_str()));
    // Only a lock whose program is gone is stale, however old it is: a collection may
    // stay open for days.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        attempt.lock = std::move(lock);
        return attempt;
    }
    if (lock->error() != QLockFile::LockFailedError)
        return attempt;
    attempt.heldBy = LiveLockHolder(path);
    if (!attempt.heldBy) {
        // It went between the two looks; say what Qt saw rather than nothing.
        LockHolder holder;
        qint64 pid = 0;
        QString host;
        QString program;
        lock->getLockInfo(&pid, &host, &program);
        holder.pid = pid;
        holder.host = host.toStdString();
        holder.program = program.toStdString();
        attempt.heldBy = holder;
    }
    return attempt;
}
