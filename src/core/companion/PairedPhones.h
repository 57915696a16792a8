#pragma once

#include "core/companion/KeptFile.h"
#include "core/companion/PhoneWords.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace talvane::companion {

using Clock = std::function<std::chrono::system_clock::time_point()>;

// A phone paired with a collection, as the lists show it.
struct KeptPhone {
    std::string key; // SHA-256 of its session's secret: names the phone, grants nothing
    std::string name;
    std::chrono::system_clock::time_point paired;
    std::chrono::system_clock::time_point lastRequest;
};

// A phone about to be paired: the hashes its session's secrets are checked by, and the
// name its browser suggests.
struct PhoneToPair {
    std::string key;          // SHA-256 of the session's secret
    std::string calendarHash; // SHA-256 of the session's calendar key
    std::string name;
};

// The new pairing code's text, or why none was made.
using MadeCode = std::variant<std::string, PhoneText>;

// The phones paired with one collection, so that each is paired once: a phone stays
// paired until it is revoked, or until it goes a year without a request. They are kept
// in a file of their own beside the program's settings, never in the collection: only
// the hashes of each phone's secrets are written, with its name and times, and the
// pairing codes another process made, hashed too, with their expiry and uses left. The
// file is read again whenever it changed, so that a phone revoked or paired by another
// process is refused, or served, at its next request. Safe to use from several threads.
class PairedPhones {
public:
    static constexpr auto kUnusedLifetime = std::chrono::days(365);
    // A pairing code pairs at most kCodeUses phones within kCodeLifetime.
    static constexpr auto kCodeLifetime = std::chrono::minutes(10);
    static constexpr int kCodeUses = 5;
    // A phone's last request is written at most this often.
    static constexpr auto kRequestNoteInterval = std::chrono::hours(1);

    // <hash>.phones.json beside the collection's program tokens (ProgramTokens::fileFor).
    static std::filesystem::path fileFor(const std::filesystem::path& collection);

    // Kept in memory alone, for as long as this lives, when `file` is empty: an untitled
    // collection has no settings to keep them beside.
    explicit PairedPhones(std::filesystem::path file, Clock clock = std::chrono::system_clock::now);

    const std::filesystem::path& file() const { return m_kept.path(); }

    // A new pairing code that any server of the collection accepts while it is valid.
    MadeCode makeCode();
    // Pairs the phone under its name, or the name followed by a number when another phone
    // has it, while fewer than `maxPhones` are paired. With a `code`, only when it is a
    // kept pairing code that is still valid, one of whose uses it takes; without, the
    // caller has checked a code of its own. Nothing when the phone is not paired.
    std::optional<KeptPhone> add(const PhoneToPair& phone, std::size_t maxPhones, std::optional<std::string_view> code);
    // The phone of a session key or a calendar key's hash, its request noted.
    std::optional<KeptPhone> find(std::string_view key);
    std::optional<KeptPhone> findByCalendar(std::string_view calendarHash);
    std::vector<KeptPhone> list();
    // False when no phone of that name (or key) is paired, or the file could not be written.
    bool revoke(std::string_view name);
    bool revokeKey(std::string_view key);
    // Gives why the phone was not renamed.
    std::optional<PhoneText> rename(std::string_view name, std::string_view newName);

    // Why the file could not be read at the last look, or written by the last change;
    // nothing when it could, or when there is no file (no phones).
    std::optional<PhoneText> failure() const;

private:
    struct Phone {
        std::string key;
        std::string calendarHash;
        std::string name;
        std::int64_t paired = 0;
        std::int64_t lastRequest = 0;
    };
    struct Code {
        std::string hash; // SHA-256 of the code
        std::int64_t expires = 0;
        int usesLeft = 0;
    };
    struct Kept {
        std::vector<Phone> phones;
        std::vector<Code> codes;
    };

    static std::optional<Kept> readKept(std::string_view bytes);
    static std::string keptText(const Kept& kept);
    static KeptPhone shown(const Phone& phone);

    void refresh();
    // Reads the file again under its lock, drops what has expired, and writes what
    // `edit` made of the rest when it gives true. False when nothing was written.
    bool change(const std::function<bool(Kept&)>& edit, FileLock::Waiting waiting = FileLock::Waiting::Wait);
    std::optional<std::string> write(const Kept& kept);
    void dropExpired(Kept& kept) const;
    std::optional<KeptPhone> findWith(std::string Phone::*hash, std::string_view value);
    bool removeWith(std::string Phone::*field, std::string_view value);
    void noteRequest(const std::string& key, std::int64_t at);
    std::int64_t now() const;

    KeptFile m_kept;
    Clock m_clock;
    mutable std::mutex m_mutex;
    Kept m_entries;
    std::optional<PhoneText> m_readFailure;  // at the last look
    std::optional<PhoneText> m_writeFailure; // of the last change
};

} // namespace talvane::companion
