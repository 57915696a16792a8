#include "core/picture/PhotoBytes.h"

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace talvane::picture {
namespace {

PhotoProblem unopenable(int error)
{
    return {PhotoFault::Unopenable, std::system_category().message(error)};
}

} // namespace

std::variant<PhotoBytes, PhotoProblem> PhotoBytes::open(const std::filesystem::path& file, std::uint64_t maxBytes)
{
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0)
        return PhotoProblem{PhotoFault::Missing};
    if (S_ISDIR(status.st_mode))
        return PhotoProblem{PhotoFault::Folder};
    if (!S_ISREG(status.st_mode))
        return PhotoProblem{PhotoFault::NotRegularFile};
    if (status.st_size == 0)
        return PhotoProblem{PhotoFault::Empty};
    if (static_cast<std::uint64_t>(status.st_size) > maxBytes)
        return PhotoProblem{PhotoFault::TooManyBytes};
    // Non-blocking, should the file have turned into a pipe since it was looked at.
    const int handle = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0)
        return unopenable(errno);
    const auto size = static_cast<std::size_t>(status.st_size);
    void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, handle, 0);
    const int mapError = errno;
    ::close(handle);
    if (mapped == MAP_FAILED)
        return unopenable(mapError);
    return PhotoBytes({static_cast<const std::uint8_t*>(mapped), size}, true);
}

std::variant<PhotoBytes, PhotoProblem> PhotoBytes::borrow(std::span<const std::uint8_t> bytes, std::uint64_t maxBytes)
{
    if (bytes.empty())
        return PhotoProblem{PhotoFault::Empty};
    if (bytes.size() > maxBytes)
        return PhotoProblem{PhotoFault::TooManyBytes};
    return PhotoBytes(bytes, false);
}

PhotoBytes::PhotoBytes(PhotoBytes&& other) noexcept : m_bytes(other.m_bytes), m_mapped(other.m_mapped)
{
    other.m_mapped = false;
}

PhotoBytes& PhotoBytes::operator=(PhotoBytes&& other) noexcept
{
    if (this != &other) {
        unmap();
        m_bytes = other.m_bytes;
        m_mapped = other.m_mapped;
        other.m_mapped = false;
    }
    return *this;
}

PhotoBytes::~PhotoBytes()
{
    unmap();
}

void PhotoBytes::unmap()
{
    if (m_mapped)
        ::munmap(const_cast<std::uint8_t*>(m_bytes.data()), m_bytes.size());
    m_mapped = false;
}

} // namespace talvane::picture
