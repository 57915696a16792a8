#pragma once

#include "core/collection/CollectionLock.h"

#include <QString>

#include <memory>
#include <optional>

class QLockFile;

// The window's hold on its open collection: the lock file beside the file, which a
// second Talvane finds through the same name or a symbolic link, and the lock on the
// file itself, which it finds through a hard link.
class WindowLock {
public:
    WindowLock(std::unique_ptr<QLockFile> lockFile, talvane::collection::FileLock onFile);
    ~WindowLock();
    // After a save: a new file renamed into place is locked in its turn.
    void follow(const QString& collection);

private:
    std::unique_ptr<QLockFile> m_lockFile;
    talvane::collection::FileLock m_onFile;
};

struct CollectionLockAttempt {
    std::unique_ptr<WindowLock> lock;    // held when the lock was taken
    std::optional<talvane::collection::LockHolder> heldBy;    // who holds it, when a live program does
};

// Takes the lock of `collection`; a stale lock of a program that is gone is taken
// over. Where no lock can be made (a folder the user cannot write) neither is set.
CollectionLockAttempt lockCollection(const QString& collection);

// Removes the lock file left by another computer, whose program cannot be checked
// from here, and takes the lock in its place.
CollectionLockAttempt takeOverCollectionLock(const QString& collection);

// How long the holder has held the lock, as "3 days ago".
QString lockAgeText(const talvane::collection::LockHolder& holder);
