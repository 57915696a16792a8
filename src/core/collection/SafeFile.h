#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Whole-file reading and writing for the program's own files. Each gives nothing on
// success, or the reason of the failure in words a user can act on.

// A regular file open for reading, start to end.
class InputFile {
public:
    InputFile() = default;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    // A named pipe or a device is refused at once rather than waited on.
    std::optional<std::string> Open(const std::filesystem::path& path);
    // The size the file had when it was opened.
    std::uint64_t Size() const { return m_size; }
    // Reads up to `most` bytes and gives how many: 0 at the end, and also on a
    // failure, whose reason Failure() then gives.
    std::size_t Read(char* into, std::size_t most);
    const std::optional<std::string>& Failure() const { return m_failure; }

private:
    int m_fd = -1;
    std::uint64_t m_size = 0;
    std::optional<std::string> m_failure;
};

// Reads a regular file whole. A named pipe or a device is refused at once rather
// than waited on.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, std::string& bytes);

// Replaces the file's content so that it always holds either all of the old bytes
// or all of the new: they go to a temporary file beside it, are flushed to disk, and
// only then take its place. A link is followed, so it stays a link; an existing
// file keeps its permissions. On failure the file is untouched and the temporary
// file is removed.
std::optional<std::string> ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

// Temporary files left by an interrupted save are named "." + target name + this
// marker + six random characters; readers of a folder may ignore them.
inline constexpr const char* kSaveTemporaryMarker = ".saving-";

// Removes the temporary files of this collection's interrupted saves that no live
// process is writing (a writer holds a lock on its temporary while it writes); never
// anything else. Gives how many were removed.
std::size_t RemoveStaleTemporaries(const std::filesystem::path& collection);
