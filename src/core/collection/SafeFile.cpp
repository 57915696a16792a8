#include "core/collection/SafeFile.h"

#include "core/collection/DiskSteps.h"
#include "core/collection/FileMetadata.h"
#include "core/collection/PosixFile.h"
#include "core/collection/Sha256.h"
#include "core/text/Words.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace talvane::collection {

namespace {

// What mkostemp replaces with random characters.
constexpr std::string_view kRandomPart = "XXXXXX";

std::filesystem::path folderOf(const std::filesystem::path& file)
{
    return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

std::string temporaryPattern(const std::filesystem::path& target, std::string_view marker)
{
    return sideFileName(target.filename().string(), std::string(marker) + std::string(kRandomPart));
}

bool takeLock(int fd, int how)
{
    int result = 0;
    while ((result = ::flock(fd, how)) != 0 && errno == EINTR) {
    }
    return result == 0;
}

} // namespace

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

InputFile::~InputFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::optional<std::string> InputFile::open(const std::filesystem::path& path)
{
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        return systemReason(errno);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return systemReason(errno);
    if (!S_ISREG(info.st_mode))
        return text::sayMessage(SHOWN_TEXT("it is not a regular file"));
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd.release();
    m_identity = identityOf(info);
    m_failure.reset();
    return std::nullopt;
}

std::size_t InputFile::read(char* into, std::size_t most)
{
    std::size_t done = 0;
    while (done < most && !m_failure) {
        const ssize_t got = ::read(m_fd, into + done, most - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            m_failure = systemReason(errno);
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path, std::string& bytes)
{
    InputFile file;
    if (auto failure = file.open(path))
        return failure;
    bytes.resize(static_cast<std::size_t>(file.size()));
    bytes.resize(file.read(bytes.data(), bytes.size()));
    return file.failure();
}

std::filesystem::path resolveLinks(const std::filesystem::path& path)
{
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::absolute(path, error);
    if (error)
        return path;
    // Followed one link at a time, so that a link to where no file is yet still
    // leads there. Its folder is resolved first: ".." in a link goes up from there.
    for (int hop = 0; hop < 40 && std::filesystem::is_symlink(resolved, error); ++hop) {
        const auto to = std::filesystem::read_symlink(resolved, error);
        if (error)
            break;
        resolved = std::filesystem::weakly_canonical(resolved.parent_path(), error) / to;
    }
    const auto folder = std::filesystem::weakly_canonical(resolved.parent_path(), error);
    return error ? resolved.lexically_normal() : folder / resolved.filename();
}

std::string sideFileName(std::string_view name, std::string_view tail)
{
    std::string whole = "." + std::string(name) + std::string(tail);
    if (whole.size() <= kLongestFileName)
        return whole;
    const std::string hash = "~" + sha256Hex(name).substr(0, 12);
    return "." + fileNamePrefix(name, kLongestFileName - 1 - hash.size() - tail.size()) + hash + std::string(tail);
}

std::string fileNamePrefix(std::string_view name, std::size_t most)
{
    if (name.size() <= most)
        return std::string(name);
    while (most > 0 && (static_cast<unsigned char>(name[most]) & 0xC0) == 0x80)
        --most;
    return std::string(name.substr(0, most));
}

SaveTemporary::~SaveTemporary()
{
    if (m_fd < 0)
        return;
    if (!m_placed)
        diskRemove(m_path.c_str());
    ::close(m_fd);
}

std::optional<std::string> SaveTemporary::create(const std::filesystem::path& target, std::string_view marker)
{
    const auto folder = folderOf(target);
    // A stale-file sweep may take a temporary in the moment between its making and
    // its lock, and remove it: then it is made again.
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::string name = (folder / temporaryPattern(target, marker)).string();
        FileDescriptor fd(::mkostemp(name.data(), O_CLOEXEC));
        if (fd.get() < 0)
            return systemReason(errno);
        struct stat info {};
        if (!takeLock(fd.get(), LOCK_EX) || ::fstat(fd.get(), &info) != 0) {
            const int error = errno;
            ::unlink(name.c_str());
            return systemReason(error);
        }
        if (info.st_nlink == 0)
            continue;
        m_target = target;
        m_path = name;
        m_fd = fd.release();
        return std::nullopt;
    }
    return systemReason(EAGAIN);
}

std::optional<std::string> SaveTemporary::write(std::string_view bytes)
{
    return write([bytes](const ByteSink& sink) { return sink(bytes); });
}

std::optional<std::string> SaveTemporary::write(const BytePieces& pieces, const ByteSink& seen)
{
    // A refusal of the hash is no failure of the disk: it never comes.
    int failure = EIO;
    const bool written = pieces([&](std::string_view piece) {
        if (!writeAll(m_fd, piece)) {
            failure = errno;
            return false;
        }
        return !seen || seen(piece);
    });
    if (!written)
        return systemReason(failure);
    if (diskFlush(m_fd) != 0)
        return systemReason(errno);
    return std::nullopt;
}

std::optional<std::string> SaveTemporary::replaceTarget()
{
    return moveTo(m_target);
}

std::optional<std::string> SaveTemporary::moveTo(const std::filesystem::path& name)
{
    if (diskRename(m_path.c_str(), name.c_str()) != 0)
        return systemReason(errno);
    m_placed = true;
    // Makes the rename itself durable; a failure here no longer endangers either file.
    syncFolder(folderOf(name));
    return std::nullopt;
}

std::optional<std::string> replaceFile(const std::filesystem::path& path, std::string_view bytes)
{
    return replaceFile(path, [bytes](const ByteSink& sink) { return sink(bytes); });
}

std::optional<std::string> replaceFile(const std::filesystem::path& path, const BytePieces& pieces)
{
    const auto target = resolveLinks(path);
    removeStaleTemporaries(target);
    SaveTemporary temporary;
    if (auto failure = temporary.create(target))
        return failure;
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    // Only the superuser may give the file back to another owner: others make it theirs.
    if (replacing)
        keepOwner(temporary.descriptor(), old);
    if (::fchmod(temporary.descriptor(), replacing ? old.st_mode & 07777 : newFileMode()) != 0)
        return systemReason(errno);
    if (auto failure = temporary.write(pieces))
        return failure;
    return temporary.replaceTarget();
}

std::size_t removeStaleTemporaries(const std::filesystem::path& folder,
                                   const std::function<bool(std::string_view name)>& isTemporary)
{
    std::size_t removed = 0;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const auto& file = it->path();
        if (!isTemporary(file.filename().native()))
            continue;
        FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat info {};
        // A writer holds its lock until its temporary is in place or removed.
        if (fd.get() >= 0 && ::fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode) &&
            takeLock(fd.get(), LOCK_EX | LOCK_NB) && diskRemove(file.c_str()) == 0)
            ++removed;
    }
    return removed;
}

std::size_t removeStaleTemporaries(const std::filesystem::path& collection)
{
    const auto target = resolveLinks(collection);
    const std::string pattern = temporaryPattern(target, kSaveTemporaryMarker);
    const std::string_view prefix = std::string_view(pattern).substr(0, pattern.size() - kRandomPart.size());
    return removeStaleTemporaries(folderOf(target), [&](std::string_view name) {
        return name.size() == pattern.size() && name.substr(0, prefix.size()) == prefix;
    });
}

} // namespace talvane::collection
