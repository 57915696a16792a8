#pragma once

#include "core/companion/KeptFile.h"
#include "core/companion/PhoneSessions.h"
#include "core/companion/PhoneWords.h"

#include <chrono>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace talvane::companion {

// A program that may use the companion's JSON API, as the lists show it: its token
// itself is never kept.
struct ProgramToken {
    std::string name;
    std::chrono::system_clock::time_point made;
    std::optional<std::chrono::system_clock::time_point> lastUsed;
};

// The new token's text, shown once, or why none was made.
using MadeToken = std::variant<std::string, PhoneText>;

// The API tokens of one collection's programs (a home dashboard, a script), kept in a
// file of their own beside the program's settings: only the SHA-256 of each token is
// written, with its program's name and times. The file is read again whenever it
// changed, so that a token made or revoked by another process works, or stops
// working, at the next request. Safe to use from several threads.
class ProgramTokens {
public:
    // A token's last use is written at most this often.
    static constexpr auto kUseNoteInterval = std::chrono::hours(1);

    // $XDG_CONFIG_HOME/talvane/sharing/<hash of the collection's path>.json.
    static std::filesystem::path fileFor(const std::filesystem::path& collection);

    explicit ProgramTokens(std::filesystem::path file, Clock clock = std::chrono::system_clock::now);

    const std::filesystem::path& file() const { return m_kept.path(); }

    // A new token for the program: a name of 1 to 60 characters, without control
    // characters, that no other token has.
    MadeToken make(std::string_view name);
    std::vector<ProgramToken> list();
    // False when no program of that name has a token, or the file could not be written.
    bool revoke(std::string_view name);
    // The name of the program whose token this is, or nothing.
    std::optional<std::string> check(std::string_view bearerToken);

    // Why the file could not be read at the last look, or written by the last make or
    // revoke; nothing when it could, or when there is no file (no tokens).
    std::optional<PhoneText> failure() const;

private:
    struct Entry {
        std::string name;
        std::string hash; // SHA-256 of the token, lower-case hex
        std::int64_t made = 0;
        std::optional<std::int64_t> lastUsed;
    };

    static std::optional<std::vector<Entry>> readEntries(std::string_view bytes);
    static std::string entriesText(const std::vector<Entry>& entries);

    void refresh();
    std::optional<std::string> write(const std::vector<Entry>& entries);
    void noteUse(const std::string& hash, std::int64_t now);
    std::int64_t now() const;

    KeptFile m_kept;
    Clock m_clock;
    mutable std::mutex m_mutex;
    std::vector<Entry> m_entries;
    std::optional<PhoneText> m_readFailure;  // at the last look
    std::optional<PhoneText> m_writeFailure; // of the last make or revoke
};

} // namespace talvane::companion
