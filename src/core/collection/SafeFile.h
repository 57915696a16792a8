#pragma once

#include "core/collection/ByteSink.h"
#include "core/collection/FileIdentity.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace talvane::collection {

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
    std::optional<std::string> open(const std::filesystem::path& path);
    // The size the file had when it was opened.
    std::uint64_t size() const { return m_identity.size; }
    // What the file was when it was opened, without a content hash.
    const FileIdentity& identity() const { return m_identity; }
    // Reads up to `most` bytes and gives how many: 0 at the end, and also on a
    // failure, whose reason failure() then gives.
    std::size_t read(char* into, std::size_t most);
    const std::optional<std::string>& failure() const { return m_failure; }

private:
    int m_fd = -1;
    FileIdentity m_identity;
    std::optional<std::string> m_failure;
};

// Reads a regular file whole. A named pipe or a device is refused at once rather
// than waited on.
std::optional<std::string> readWholeFile(const std::filesystem::path& path, std::string& bytes);

// Replaces the file's content so that it always holds either all of the old bytes
// or all of the new: they go to a temporary file beside it, are flushed to disk, and
// only then take its place. A link is followed, so it stays a link; an existing
// file keeps its permissions, and its owner and group where this user may give them.
// On failure the file is untouched and the temporary file is removed.
std::optional<std::string> replaceFile(const std::filesystem::path& path, std::string_view bytes);
// The same with bytes that come piece by piece.
std::optional<std::string> replaceFile(const std::filesystem::path& path, const BytePieces& pieces);

// Temporary files left by an interrupted save are named "." + target name + this
// marker + six random characters; readers of a folder may ignore them. A name that
// would pass 255 bytes is shortened and given a short hash of the whole name.
inline constexpr const char* kSaveTemporaryMarker = ".saving-";

// Removes the temporary files of this collection's interrupted saves that no live
// process is writing (a writer holds a lock on its temporary while it writes); never
// anything else. Gives how many were removed.
std::size_t removeStaleTemporaries(const std::filesystem::path& collection);
// The same for the files of `folder` whose names `isTemporary` accepts.
std::size_t removeStaleTemporaries(const std::filesystem::path& folder,
                                   const std::function<bool(std::string_view name)>& isTemporary);

// The file a path leads to: links followed to the end, the folders' links resolved,
// made absolute. A path to no file yet leads to where one would be made.
std::filesystem::path resolveLinks(const std::filesystem::path& path);

// The permissions a new file is given here: 0666 less the umask.
mode_t newFileMode();

// The longest file name most file systems take, in bytes.
inline constexpr std::size_t kLongestFileName = 255;

// The first `most` bytes of a file name, cut before a character, never inside one of UTF-8's.
std::string fileNamePrefix(std::string_view name, std::size_t most);

// The name of a file kept beside the file `name`: "." + name + tail, shortened with
// a hash of `name` (so that it stays its own) where it would pass 255 bytes.
std::string sideFileName(std::string_view name, std::string_view tail);

// A new file written beside the one it is to replace under a temporary name, locked
// while it lives so that removeStaleTemporaries leaves it alone. It is removed when
// destroyed unless it took the target's place.
class SaveTemporary {
public:
    SaveTemporary() = default;
    SaveTemporary(const SaveTemporary&) = delete;
    SaveTemporary& operator=(const SaveTemporary&) = delete;
    ~SaveTemporary();

    std::optional<std::string> create(const std::filesystem::path& target,
                                      std::string_view marker = kSaveTemporaryMarker);
    int descriptor() const { return m_fd; }
    const std::filesystem::path& path() const { return m_path; }
    // Writes all of `bytes` and flushes them to disk.
    std::optional<std::string> write(std::string_view bytes);
    // The same with bytes that come piece by piece, each also given to `seen` (a hash).
    std::optional<std::string> write(const BytePieces& pieces, const ByteSink& seen = {});
    // Renames it over the target, durably.
    std::optional<std::string> replaceTarget();
    // Renames it to `name` in the same folder, durably: a file that only gets its
    // name once complete.
    std::optional<std::string> moveTo(const std::filesystem::path& name);

private:
    std::filesystem::path m_target;
    std::filesystem::path m_path;
    int m_fd = -1;
    bool m_placed = false;
};

} // namespace talvane::collection
