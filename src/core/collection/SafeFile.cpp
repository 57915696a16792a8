#include "collection/SafeFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

std::string SystemReason(int error) { return std::strerror(error); }

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }
    // Hands the descriptor over: it is no longer closed here.
    int Release() { return std::exchange(m_fd, -1); }
    // Closes now, so that a failure to close (a late write error) is seen.
    int Close()
    {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

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

std::filesystem::path Target(const std::filesystem::path& path)
{
    std::error_code ignored;
    if (std::filesystem::is_symlink(path, ignored)) {
        const auto resolved = std::filesystem::weakly_canonical(path, ignored);
        if (!ignored)
            return resolved;
    }
    return path;
}

mode_t NewFileMode(const std::filesystem::path& target)
{
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

InputFile::~InputFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::optional<std::string> InputFile::Open(const std::filesystem::path& path)
{
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        return SystemReason(errno);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return SystemReason(errno);
    if (!S_ISREG(info.st_mode))
        return std::string("it is not a regular file");
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd.Release();
    m_size = static_cast<std::uint64_t>(info.st_size);
    m_failure.reset();
    return std::nullopt;
}

std::size_t InputFile::Read(char* into, std::size_t most)
{
    std::size_t done = 0;
    while (done < most && !m_failure) {
        const ssize_t got = ::read(m_fd, into + done, most - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            m_failure = SystemReason(errno);
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, std::string& bytes)
{
    InputFile file;
    if (auto failure = file.Open(path))
        return failure;
    bytes.resize(static_cast<std::size_t>(file.Size()));
    bytes.resize(file.Read(bytes.data(), bytes.size()));
    return file.Failure();
}

std::optional<std::string> ReplaceFile(const std::filesystem::path& path, std::string_view bytes)
{
    const auto target = Target(path);
    const auto folder = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string temporary = (folder / ("." + target.filename().string() + kSaveTemporaryMarker + "XXXXXX")).string();
    FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (fd.get() < 0)
        return SystemReason(errno);

    const auto abandon = [&temporary](int error) {
        ::unlink(temporary.c_str());
        return SystemReason(error);
    };
    if (::fchmod(fd.get(), NewFileMode(target)) != 0 || !WriteAll(fd.get(), bytes) || ::fsync(fd.get()) != 0)
        return abandon(errno);
    if (fd.Close() != 0)
        return abandon(errno);
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        return abandon(errno);
    // Make the rename itself durable; a failure here no longer endangers either file.
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
    return std::nullopt;
}
