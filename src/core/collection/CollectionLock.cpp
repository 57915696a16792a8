#include "core/collection/CollectionLock.h"

#include "core/collection/LocalTime.h"
#include "core/collection/PosixFile.h"
#include "core/collection/SafeFile.h"
#include "core/text/Words.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <pwd.h>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

namespace talvane::collection {

namespace {

std::string thisHost()
{
    char name[HOST_NAME_MAX + 1] = {};
    ::gethostname(name, sizeof name - 1);
    return name;
}

// The program a process runs, named as QLockFile names it: the file name of its
// executable. Nothing when that cannot be read (a process of another user).
std::optional<std::string> programOf(std::int64_t pid)
{
    std::error_code error;
    std::string executable = std::filesystem::read_symlink("/proc/" + std::to_string(pid) + "/exe", error).string();
    if (error)
        return std::nullopt;
    constexpr std::string_view kDeleted = " (deleted)";
    if (executable.ends_with(kDeleted))
        executable.resize(executable.size() - kDeleted.size());
    return std::filesystem::path(executable).filename().string();
}

std::string userName(uid_t uid)
{
    std::vector<char> buffer(16384);
    passwd entry {};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return found->pw_name;
    return std::to_string(uid);
}

// QLockFile's lines: process id, program, host, then the machine and boot ids, which
// it only compares when given.
std::string lockContent()
{
    return std::to_string(::getpid()) + "\n" + programOf(::getpid()).value_or("") + "\n" + thisHost() + "\n\n\n";
}

// Reads a lock: the first lines of its file, its owner and its time.
std::optional<LockHolder> readLock(const std::filesystem::path& file)
{
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    // A lock that cannot be read is still a lock: its holder is unknown.
    if ((fd.get() >= 0 ? ::fstat(fd.get(), &info) : ::lstat(file.c_str(), &info)) != 0)
        return std::nullopt;
    LockHolder holder;
    holder.user = userName(info.st_uid);
    holder.since = info.st_mtim.tv_sec;
    char text[1024];
    const ssize_t got = fd.get() >= 0 ? ::pread(fd.get(), text, sizeof text, 0) : -1;
    std::vector<std::string> lines(1);
    for (ssize_t i = 0; i < got && lines.size() <= 3; ++i) {
        if (text[i] == '\n')
            lines.emplace_back();
        else
            lines.back() += text[i];
    }
    lines.resize(3);
    // A lock being written has no process id yet.
    char* end = nullptr;
    const long long pid = std::strtoll(lines[0].c_str(), &end, 10);
    if (!lines[0].empty() && *end == '\0' && pid > 0)
        holder.pid = pid;
    holder.program = lines[1];
    holder.host = lines[2];
    return holder;
}

// A lock of this host whose process is gone, or whose process id now belongs to
// another program.
bool isStale(const LockHolder& holder)
{
    if (holder.pid <= 0 || !onThisHost(holder))
        return false;
    if (::kill(static_cast<pid_t>(holder.pid), 0) != 0 && errno == ESRCH)
        return true;
    const auto program = programOf(holder.pid);
    return program && *program != holder.program;
}

// The processes holding a flock on the file `info` describes, as the system lists them:
// "1: FLOCK  ADVISORY  WRITE 8300 fe:00:10952962 0 EOF" (device numbers in hex); the
// line of a lock still waiting has "->" where the kind stands.
std::vector<std::int64_t> flockHolders(const struct stat& info)
{
    std::vector<std::int64_t> pids;
    std::ifstream locks("/proc/locks");
    std::string line;
    while (std::getline(locks, line)) {
        std::istringstream fields(line);
        std::string number, kind, mode, access, device;
        std::int64_t pid = 0;
        if (!(fields >> number >> kind >> mode >> access >> pid >> device) || kind != "FLOCK")
            continue;
        unsigned deviceMajor = 0, deviceMinor = 0;
        unsigned long long inode = 0;
        if (std::sscanf(device.c_str(), "%x:%x:%llu", &deviceMajor, &deviceMinor, &inode) == 3 &&
            deviceMajor == major(info.st_dev) && deviceMinor == minor(info.st_dev) && inode == info.st_ino)
            pids.push_back(pid);
    }
    return pids;
}

// A process of this host as the holder of a lock: its program, and its owner as the
// user. The system shows 0 for a process it hides from this one (another container).
LockHolder processHolder(std::int64_t pid)
{
    LockHolder holder;
    holder.pid = pid;
    holder.host = thisHost();
    holder.program = programOf(pid).value_or("");
    struct stat info {};
    if (pid > 0 && ::stat(("/proc/" + std::to_string(pid)).c_str(), &info) == 0)
        holder.user = userName(info.st_uid);
    return holder;
}

// Who holds a FileLock on the file the path leads to; another process before this one.
std::optional<LockHolder> fileLockHolder(const std::filesystem::path& collection)
{
    struct stat info {};
    if (::stat(collection.c_str(), &info) != 0)
        return std::nullopt;
    const auto pids = flockHolders(info);
    if (pids.empty())
        return std::nullopt;
    const auto other = std::find_if(pids.begin(), pids.end(), [](std::int64_t pid) { return pid != ::getpid(); });
    return processHolder(other != pids.end() ? *other : pids.front());
}

FileDescriptor openToLock(const std::filesystem::path& collection)
{
    return FileDescriptor(::open(collection.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
}

bool lockWhole(int fd)
{
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

// Removes a stale lock, unless its holder still holds the lock on its file as
// QLockFile and CommandLock do.
void removeStaleLock(const std::filesystem::path& file)
{
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() >= 0 && ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0)
        ::unlink(file.c_str());
}

} // namespace

std::filesystem::path lockFilePathOf(const std::filesystem::path& collection)
{
    const auto target = resolveLinks(collection);
    return target.parent_path() / sideFileName(target.filename().string(), ".lock");
}

std::optional<LockHolder> liveLockHolder(const std::filesystem::path& collection)
{
    if (auto holder = readLock(lockFilePathOf(collection)); holder && !isStale(*holder))
        return holder;
    return fileLockHolder(collection);
}

bool onThisHost(const LockHolder& holder)
{
    return holder.host.empty() || holder.host == thisHost();
}

bool isThisProcess(const LockHolder& holder)
{
    return holder.pid == ::getpid() && onThisHost(holder);
}

std::string describeLockHolder(const LockHolder& holder)
{
    using text::sayMessage;
    const std::string who = holder.user.empty() ? sayMessage(SHOWN_TEXT("someone")) : holder.user;
    const std::string user = holder.host.empty() ? who : sayMessage(SHOWN_TEXT("%1 on %2"), {who, holder.host});
    std::string process = holder.pid > 0 ? sayMessage(SHOWN_TEXT("process %1"), {std::to_string(holder.pid)})
                                         : sayMessage(SHOWN_TEXT("process unknown"));
    if (!holder.program.empty())
        process = holder.program + ", " + process;
    // A lock on the file itself does not say when it was taken.
    if (holder.since == 0)
        return user + " (" + process + ")";
    return sayMessage(SHOWN_TEXT("%1 (%2) since %3"), {user, process, localTimeText(holder.since, "%Y-%m-%d %H:%M")});
}

std::optional<FileLock> FileLock::take(const std::filesystem::path& collection, std::optional<LockHolder>* heldBy)
{
    FileDescriptor fd = openToLock(collection);
    if (fd.get() < 0 || lockWhole(fd.get()))
        return FileLock(std::move(fd));
    if (errno != EWOULDBLOCK)
        return FileLock(FileDescriptor());
    if (heldBy)
        *heldBy = fileLockHolder(collection).value_or(LockHolder{});
    return std::nullopt;
}

void FileLock::follow(const std::filesystem::path& collection)
{
    FileDescriptor fd = openToLock(collection);
    struct stat now {};
    struct stat held {};
    if (fd.get() < 0 || ::fstat(fd.get(), &now) != 0)
        return;
    if (m_fd.get() >= 0 && ::fstat(m_fd.get(), &held) == 0 && held.st_dev == now.st_dev && held.st_ino == now.st_ino)
        return;
    m_fd = lockWhole(fd.get()) ? std::move(fd) : FileDescriptor();
}

std::optional<CommandLock> CommandLock::take(const std::filesystem::path& collection,
                                             std::optional<LockHolder>* heldBy)
{
    if (heldBy)
        heldBy->reset();
    const auto file = lockFilePathOf(collection);
    for (int attempt = 0; attempt < 3; ++attempt) {
        FileDescriptor fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.get() >= 0) {
            ::flock(fd.get(), LOCK_EX | LOCK_NB);
            // Another name of the same file may be open elsewhere.
            auto onFile = FileLock::take(collection, heldBy);
            if (!onFile || !writeAll(fd.get(), lockContent())) {
                ::unlink(file.c_str());
                return std::nullopt;
            }
            return CommandLock(file, fd.release(), std::move(*onFile));
        }
        if (errno != EEXIST)
            return std::nullopt;
        if (auto holder = liveLockHolder(collection)) {
            if (heldBy)
                *heldBy = std::move(holder);
            return std::nullopt;
        }
        removeStaleLock(file);
    }
    return std::nullopt;
}

CommandLock::CommandLock(CommandLock&& other) noexcept
    : m_file(std::move(other.m_file)), m_fd(std::exchange(other.m_fd, -1)), m_onFile(std::move(other.m_onFile))
{
}

CommandLock& CommandLock::operator=(CommandLock&& other) noexcept
{
    if (this != &other) {
        release();
        m_file = std::move(other.m_file);
        m_fd = std::exchange(other.m_fd, -1);
        m_onFile = std::move(other.m_onFile);
    }
    return *this;
}

CommandLock::~CommandLock()
{
    release();
}

void CommandLock::release()
{
    if (m_fd < 0)
        return;
    ::unlink(m_file.c_str());
    ::close(std::exchange(m_fd, -1));
}

} // namespace talvane::collection
