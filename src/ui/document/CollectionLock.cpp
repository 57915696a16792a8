#include "ui/document/CollectionLock.h"

#include "ui/framework/FilePaths.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLockFile>

#include <array>

using namespace talvane::collection;

namespace {

QString lockFileOf(const QString& collection)
{
    return fromFsPath(lockFilePathOf(fsPath(collection)));
}

struct AgeUnit {
    qint64 seconds;
    const char* one;
    const char* many;
};

constexpr std::array<AgeUnit, 3> kAgeUnits = {{
    {86400, QT_TRANSLATE_NOOP("CollectionLock", "1 day ago"), QT_TRANSLATE_NOOP("CollectionLock", "%1 days ago")},
    {3600, QT_TRANSLATE_NOOP("CollectionLock", "1 hour ago"), QT_TRANSLATE_NOOP("CollectionLock", "%1 hours ago")},
    {60, QT_TRANSLATE_NOOP("CollectionLock", "1 minute ago"), QT_TRANSLATE_NOOP("CollectionLock", "%1 minutes ago")},
}};

} // namespace

WindowLock::WindowLock(std::unique_ptr<QLockFile> lockFile, FileLock onFile)
    : m_lockFile(std::move(lockFile)), m_onFile(std::move(onFile))
{
}

WindowLock::~WindowLock() = default;

void WindowLock::follow(const QString& collection)
{
    m_onFile.follow(fsPath(collection));
}

CollectionLockAttempt lockCollection(const QString& collection)
{
    const std::filesystem::path path = fsPath(collection);
    CollectionLockAttempt attempt;
    auto lockFile = std::make_unique<QLockFile>(lockFileOf(collection));
    // Only a lock whose program is gone is stale, however old it is: a collection may
    // stay open for days.
    lockFile->setStaleLockTime(0);
    if (lockFile->tryLock(0)) {
        // Another name of the same file may be open elsewhere; the lock file then goes.
        if (auto onFile = FileLock::take(path, &attempt.heldBy))
            attempt.lock = std::make_unique<WindowLock>(std::move(lockFile), std::move(*onFile));
        return attempt;
    }
    if (lockFile->error() != QLockFile::LockFailedError)
        return attempt;
    attempt.heldBy = liveLockHolder(path);
    if (!attempt.heldBy) {
        // It went between the two looks; say what Qt saw rather than nothing.
        LockHolder holder;
        qint64 pid = 0;
        QString host;
        QString program;
        lockFile->getLockInfo(&pid, &host, &program);
        holder.pid = pid;
        holder.host = host.toStdString();
        holder.program = program.toStdString();
        attempt.heldBy = holder;
    }
    return attempt;
}

CollectionLockAttempt takeOverCollectionLock(const QString& collection)
{
    QLockFile(lockFileOf(collection)).removeStaleLockFile();
    return lockCollection(collection);
}

QString lockAgeText(const LockHolder& holder)
{
    const qint64 age = QDateTime::currentSecsSinceEpoch() - holder.since;
    for (const AgeUnit& unit : kAgeUnits) {
        const qint64 count = age / unit.seconds;
        if (count == 1)
            return QCoreApplication::translate("CollectionLock", unit.one);
        if (count > 1)
            return QCoreApplication::translate("CollectionLock", unit.many).arg(count);
    }
    // A clock of the other computer ahead of this one's too.
    return QCoreApplication::translate("CollectionLock", "less than a minute ago");
}
