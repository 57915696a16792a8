#include "collection/PosixFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::string SystemReason(int error) { return std::strerror(error); }

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

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
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

std::optional<std::string> ReadPieces(int fd, const std::function<void(std::string_view)>& take)
{
    char piece[1 << 16];
    for (off_t at = 0;;) {
        const ssize_t got = ::pread(fd, piece, sizeof piece, at);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return SystemReason(errno);
        if (got == 0)
            return std::nullopt;
        take(std::string_view(piece, static_cast<std::size_t>(got)));
        at += got;
    }
}

std::optional<std::string> ReadAllAt(int fd, std::string& bytes)
{
    bytes.clear();
    struct stat info {};
    if (::fstat(fd, &info) == 0)
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    return ReadPieces(fd, [&bytes](std::string_view piece) { bytes += piece; });
}

void SyncFolder(const std::filesystem::path& folder)
{
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}
