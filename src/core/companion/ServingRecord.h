#pragma once

#include <chrono>
#include <csignal>
#include <filesystem>
#include <optional>
#include <string>

namespace talvane::companion {

// Where a server of a collection listens.
struct ServedAt {
    std::string bindAddress; // "0.0.0.0" for every network
    int port = 0;
    long pid = 0; // the process that serves there, as read from a note
    bool handsOver = false; // it lets a window that asks have the collection
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
    // Asks the process of this user that serves `collection` without a window to hand
    // it over (it then waits to take it back once no window holds it), and waits up to
    // `wait` until it has let the collection go. Gives where it served, for the window
    // to serve there; nothing when no other process serves it or it did not let go.
    static std::optional<ServedAt> askToHandOver(const std::filesystem::path& collection,
                                                 std::chrono::milliseconds wait = std::chrono::seconds(5));
    // The signal that asks a server for its collection.
    static constexpr int kHandOverSignal = SIGUSR1;

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
