#include "core/picture/FileSource.h"

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kPathNotFound = 3;
constexpr int kOpenFailed = 4;
constexpr int kAccessRefused = 5;

// Block sizes are 32-bit signed, so a file of 2 GiB or more cannot be held.
constexpr off_t kMaxFileSize = 0x7FFFFFFF;

// POSIX reports a missing file and a missing directory alike (ENOENT); the
// directory part of the path tells them apart.
int codeForOpenError(int error, const std::filesystem::path& fileName)
{
    switch (error) {
    case EACCES:
    case EPERM:
    case ETXTBSY:
        return kAccessRefused;
    case ENOTDIR:
        return kPathNotFound;
    case ENOENT: {
        const std::filesystem::path directory = fileName.parent_path();
        std::error_code ignored;
        if (!directory.empty() && !std::filesystem::is_directory(directory, ignored))
            return kPathNotFound;
        return kOpenFailed;
    }
    default:
        return kOpenFailed;
    }
}

} // namespace

CFileSource::~CFileSource()
{
    if (m_hFile >= 0)
        CFileSource::Close();
}

int CFileSource::OpenFile(const std::filesystem::path& fileName)
{
    if (m_hFile >= 0)
        Close();
    // Non-blocking, so that a named pipe or a device is refused at once
    // instead of waiting for a writer.
    m_hFile = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_hFile < 0)
        return codeForOpenError(errno, fileName);

    struct stat status {};
    if (::fstat(m_hFile, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size == 0
        || status.st_size > kMaxFileSize) {
        releaseHandles();
        return kAccessRefused;
    }
    void* view = ::mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ, MAP_PRIVATE, m_hFile, 0);
    if (view == MAP_FAILED) {
        releaseHandles();
        return kAccessRefused;
    }
    m_hMapping = view;
    Open(fileName.string(), static_cast<const std::uint8_t*>(view), static_cast<std::int32_t>(status.st_size));
    return 0;
}

void CFileSource::Close()
{
    releaseHandles();
    CDataSource::Close();
}

void CFileSource::releaseHandles()
{
    if (m_hMapping != nullptr) {
        ::munmap(m_hMapping, static_cast<std::size_t>(GetSize()));
        m_hMapping = nullptr;
    }
    if (m_hFile >= 0) {
        ::close(m_hFile);
        m_hFile = -1;
    }
}
