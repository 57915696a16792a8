#include "core/collection/PosixFile.h"

#include "core/collection/DiskSteps.h"
#include "core/text/Words.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <utility>
#include <sys/stat.h>
#include <unistd.h>

namespace talvane::collection {

namespace {

// The reasons a grower meets when saving, in the C library's English: the program says
// them in its own language whatever the system's. Others are the library's own.
constexpr std::pair<int, const char*> kSystemReasons[] = {
    {ENOSPC, SHOWN_TEXT("No space left on device")},
    {EDQUOT, SHOWN_TEXT("Disk quota exceeded")},
    {EACCES, SHOWN_TEXT("Permission denied")},
    {EPERM, SHOWN_TEXT("Operation not permitted")},
    {EROFS, SHOWN_TEXT("Read-only file system")},
    {ENOENT, SHOWN_TEXT("No such file or directory")},
    {ENOTDIR, SHOWN_TEXT("Not a directory")},
    {EISDIR, SHOWN_TEXT("Is a directory")},
    {EIO, SHOWN_TEXT("Input/output error")},
    {ENAMETOOLONG, SHOWN_TEXT("File name too long")},
    {EBUSY, SHOWN_TEXT("Device or resource busy")},
    {EFBIG, SHOWN_TEXT("File too large")},
    {ELOOP, SHOWN_TEXT("Too many levels of symbolic links")},
};

} // namespace

std::string systemReason(int error)
{
    for (const auto& [code, english] : kSystemReasons)
        if (code == error)
            return text::sayMessage(english);
    return std::strerror(error);
}

FileDescriptor::~FileDescriptor()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = other.release();
    }
    return *this;
}

int FileDescriptor::close()
{
    const int result = ::close(m_fd);
    m_fd = -1;
    return result;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t put = diskWrite(fd, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            if (put == 0)
                errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

std::optional<std::string> readPieces(int fd, const std::function<void(std::string_view)>& take)
{
    char piece[1 << 16];
    for (off_t at = 0;;) {
        const ssize_t got = ::pread(fd, piece, sizeof piece, at);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return systemReason(errno);
        if (got == 0)
            return std::nullopt;
        take(std::string_view(piece, static_cast<std::size_t>(got)));
        at += got;
    }
}

std::optional<std::string> readAllAt(int fd, std::string& bytes)
{
    bytes.clear();
    struct stat info {};
    if (::fstat(fd, &info) == 0)
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    return readPieces(fd, [&bytes](std::string_view piece) { bytes += piece; });
}

void syncFolder(const std::filesystem::path& folder)
{
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        diskFlush(dir.get());
}

} // namespace talvane::collection
