#pragma once

#include "core/collection/FileIdentity.h"
#include "core/collection/PosixFile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace talvane::companion {

// Another process changing the same kept file waits for this one, so that neither
// writes back what the other has just removed. The file's folder is made when missing.
class FileLock {
public:
    enum class Waiting { Wait, DontWait };

    FileLock(const std::filesystem::path& file, Waiting waiting);

    const std::optional<std::string>& failure() const { return m_failure; }

private:
    collection::FileDescriptor m_fd;
    std::optional<std::string> m_failure;
};

// A small file of the user's own that a sharing keeps (who may use a collection is
// no other user's business): replaced whole, so that a reader never sees half of it,
// and read again only once it changed.
class KeptFile {
public:
    // What a look at the file found.
    struct Look {
        enum class State { Unchanged, Missing, Read, Unreadable };
        State state = State::Unchanged;
        std::string bytes;  // when Read
        std::string reason; // when Unreadable
    };

    explicit KeptFile(std::filesystem::path file) : m_file(std::move(file)) {}

    const std::filesystem::path& path() const { return m_file; }

    Look look();
    // Replaces the file, making its folder when missing; gives why it could not.
    std::optional<std::string> write(std::string_view bytes);

private:
    std::filesystem::path m_file;
    std::optional<collection::FileIdentity> m_seen; // what the last look read
};

} // namespace talvane::companion
