#pragma once

#include "core/collection/PosixFile.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace talvane::collection {

// The lock kept beside an open collection, in the format Qt's QLockFile writes
// (process id, program name, host name, one a line), so that the window (which holds
// it through QLockFile) and talvane-cli see each other's locks. It lies beside the
// file the path leads to, so that every symbolic link to the file finds the same lock.
std::filesystem::path lockFilePathOf(const std::filesystem::path& collection);

struct LockHolder {
    std::int64_t pid = 0;
    std::string program;
    std::string host;
    std::string user;       // the lock file's owner, or the holding process's
    std::int64_t since = 0; // the lock file's modification time, seconds since the epoch; 0 unknown
};

// Who holds the collection's lock, when a live process does: the lock file's holder,
// else the process holding a FileLock on the file through any of its names. A lock
// file of a process that is gone (same host, no such process) is stale and not counted.
std::optional<LockHolder> liveLockHolder(const std::filesystem::path& collection);

// True for a lock this very process holds: the window saving the collection it has open.
bool isThisProcess(const LockHolder& holder);

// True for a holder on this computer, whose process can be checked.
bool onThisHost(const LockHolder& holder);

// "user on host (talvane, process 1234) since 2026-12-08 15:12"; without the time
// where it is unknown.
std::string describeLockHolder(const LockHolder& holder);

// A lock on the collection file itself (flock on its inode) that every writer holds
// beside its lock file: a hard link in another folder has a lock file of its own, but
// shares this one. The system drops it with its process, so it is never stale.
class FileLock {
public:
    // Locks the file `collection` leads to; fails (nullopt, with the holder in `heldBy`)
    // while another holds it, this process through another name included. A file not
    // there yet, or on a file system without such locks, gives a lock holding nothing.
    static std::optional<FileLock> take(const std::filesystem::path& collection,
                                        std::optional<LockHolder>* heldBy = nullptr);
    // A save that renamed a new file into place left the lock on the old one: the file
    // the path leads to now is locked in its stead.
    void follow(const std::filesystem::path& collection);

private:
    explicit FileLock(FileDescriptor fd) : m_fd(std::move(fd)) {}
    FileDescriptor m_fd;
};

// A lock a command takes while it writes a collection; released when destroyed. Takes
// over a stale lock; fails (nullopt, with the holder in `heldBy`) while a live one exists.
class CommandLock {
public:
    static std::optional<CommandLock> take(const std::filesystem::path& collection, std::optional<LockHolder>* heldBy = nullptr);
    CommandLock(CommandLock&&) noexcept;
    CommandLock& operator=(CommandLock&&) noexcept;
    ~CommandLock();
    // After a save of the collection: see FileLock::follow.
    void follow(const std::filesystem::path& collection) { m_onFile.follow(collection); }
private:
    CommandLock(std::filesystem::path file, int fd, FileLock onFile)
        : m_file(std::move(file)), m_fd(fd), m_onFile(std::move(onFile))
    {
    }
    void release();
    std::filesystem::path m_file;
    // Held open with a lock on it, which QLockFile also takes before it removes a stale lock.
    int m_fd = -1;
    FileLock m_onFile;
};

} // namespace talvane::collection
