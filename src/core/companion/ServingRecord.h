#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace talvane::companion {

// Where a server of a collection listens.
struct ServedAt {
    std::string bindAddress; // "0.0.0.0" for every network
    int port = 0;
};

// A note of where a collection is served, kept while it is so that another process
// (talvane-cli pair) can name the pairing address. It names the process that serves:
// a note left by one that ended without removing it is no server.
class ServingRecord {
public:
    // $XDG_RUNTIME_DIR/talvane/serving/<hash>.json, named as the collection's program
    // tokens are (ProgramTokens::fileFor); <hash>.serving.json beside them without a
    // runtime folder.
    static std::filesystem::path fileFor(const std::filesystem::path& collection);
    // Where a live process serves, as noted in `file`; nothing when none does.
    static std::optional<ServedAt> read(const std::filesystem::path& file);

    // Notes that this process serves there, from now on.
    ServingRecord(std::filesystem::path file, ServedAt at);
    // Removes the note, unless another server has noted itself since.
    ~ServingRecord();
    ServingRecord(const ServingRecord&) = delete;
    ServingRecord& operator=(const ServingRecord&) = delete;

    void moveTo(const std::string& bindAddress);

private:
    void write();

    std::filesystem::path m_file;
    ServedAt m_at;
};

} // namespace talvane::companion
