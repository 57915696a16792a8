#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// The lock kept beside an open collection, in the format Qt's QLockFile writes
// (process id, program name, host name, one a line), so that the window (which holds
// it through QLockFile) and talvane-cli see each other's locks.
std::filesystem::path LockFilePathOf(const std::filesystem::path& collection);

struct LockHolder {
    std::int64_t pid = 0;
    std::string program;
    std::string host;
    std::string user;       // the lock file's owner
    std::int64_t since = 0; // the lock file's modification time, seconds since the epoch
};

// Who holds the collection's lock, when a live process does. A lock of a process that
// is gone (same host, no such process) is stale and gives nullopt.
std::optional<LockHolder> LiveLockHolder(const std::filesystem::path& collection);

// True for a lock this very process holds: the window saving the collection it has open.
bool IsThisProcess(const LockHolder& holder);

// "user on host (talvane, process 1234) since 2026-12-08 15:12"
std::string DescribeLockHolder(const LockHolder& holder);

// A lock a command takes while it writes a collection; released when destroyed. Takes
// over a stale lock; fails (nullopt, with the holder in `heldBy`) while a live one exists.
class CommandLock {
public:
    static std::optional<CommandLock> take(const std::filesystem::path& collection, std::optional<LockHolder>* heldBy = nullptr);
    CommandLock(CommandLock&&) noexcept;
    CommandLock& operator=(CommandLock&&) noexcept;
    ~CommandLock();
private:
    CommandLock(std::filesystem::path file, int fd) : m_file(std::move(file)), m_fd(fd) {}
    void release();
    std::filesystem::path m_file;
    // Held open with a lock on it, which QLockFile also takes before it removes a stale lock.
    int m_fd = -1;
};
