#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace talvane::collection {

// The few POSIX file steps the collection's files share.

std::string systemReason(int error);

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : m_fd(fd) {}
    ~FileDescriptor();
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    int get() const { return m_fd; }
    // Hands the descriptor over: it is no longer closed here.
    int release() { return std::exchange(m_fd, -1); }
    // Closes now, so that a failure to close (a late write error) is seen.
    int close();

private:
    int m_fd;
};

// Writes all of `bytes` at the descriptor's position; false with errno set otherwise.
bool writeAll(int fd, std::string_view bytes);

// Reads an open file from its start, whatever its position, handing each piece to
// `take`. Gives the reason of a failed read.
std::optional<std::string> readPieces(int fd, const std::function<void(std::string_view)>& take);
// The whole content of an open file, from its start.
std::optional<std::string> readAllAt(int fd, std::string& bytes);

// Makes the names just created, renamed or removed in a folder durable.
void syncFolder(const std::filesystem::path& folder);

} // namespace talvane::collection
