#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Whole-file reading and writing for the program's own files. Each gives nothing on
// success, or the reason of the failure in words a user can act on.

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
