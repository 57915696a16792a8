#pragma once

#include "collection/CollectionLock.h"

#include <QString>

#include <memory>
#include <optional>

class QLockFile;

// The lock the window keeps beside its open collection, so that a second Talvane
// knows the collection is being edited.
struct CollectionLockAttempt {
    std::unique_ptr<QLockFile> lock;     // held when the lock was taken
    std::optional<LockHolder> heldBy;    // who holds it, when a live program does
};

// Takes the lock beside `collection`; a stale lock of a program that is gone is taken
// over. Where no lock can be made (a folder the user cannot write) neither is set.
CollectionLockAttempt LockCollection(const QString& collection);
