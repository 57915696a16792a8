#pragma once

#include "core/companion/PairedPhones.h"

#include <chrono>
#include <cstddef>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvane::companion {

// 128 random bits as 32 lowercase hex digits, from the system's random source.
std::string randomToken();

// A short name for a phone from its browser's User-Agent: "Chrome on Android".
std::string phoneNameFrom(std::string_view userAgent);

// A phone paired with this sharing, as the sharing window lists it.
struct PairedPhone {
    std::string handle; // names the phone for Disconnect; grants nothing
    std::string name;
    std::string address; // of its last request to this sharing; empty before one
    std::chrono::system_clock::time_point paired;
    std::chrono::system_clock::time_point lastRequest;
};

// What a request proves it may do, once its session cookie was found.
struct SessionGrant {
    std::string handle;
    std::string formToken;   // every form carries it, so no other site can post one
    std::string calendarKey; // in the calendar's address, which a calendar fetches without cookies
    std::string name;        // the phone's, as the sharing window lists it
};

enum class FormCheck {
    Accepted,
    Replayed, // this very write was sent before: nothing is done twice
    Refused,  // not this session's form token
};

// The keys of the writes one caller sent lately (an Idempotency-Key each), so that a
// write sent again is not made twice. Keys are compared in constant time.
class SentKeys {
public:
    static constexpr std::size_t kKept = 64;
    // False when the key was sent before; an empty key is never a repeat.
    bool claim(std::string_view key);
    // Forgets a write that was accepted but changed nothing, so that sending it again
    // is tried again rather than called a repeat.
    void release(std::string_view key);

private:
    std::deque<std::string> m_keys;
};

// The pairing address and the sessions of the phones paired, for one sharing. A pairing
// token opens at most kPairingUses sessions within kPairingLifetime; so does a pairing
// code another process kept (talvane-cli pair). A session lasts until the phone is
// revoked or goes a year unused, across restarts of the sharing when the phones are
// kept in a file (PairedPhones); at most `maxPhones` are paired at once. Every secret
// is compared in constant time. Safe to use from several threads.
class PhoneSessions {
public:
    static constexpr auto kPairingLifetime = PairedPhones::kCodeLifetime;
    static constexpr int kPairingUses = PairedPhones::kCodeUses;
    static constexpr std::size_t kMaxPhones = 32;

    explicit PhoneSessions(Clock clock = std::chrono::system_clock::now, std::size_t maxPhones = kMaxPhones);

    // Keeps the phones paired in that file (PairedPhones::fileFor) from now on; in
    // memory alone, for as long as this lives, when it is empty.
    void keepIn(const std::filesystem::path& file);

    // A new pairing token: the one before stops working.
    std::string newPairing();
    std::string pairingToken() const;
    // Ends the pairing token; the phones stay paired.
    void endPairing();
    // Exchanges a pairing token, or a kept pairing code, for a session: gives the
    // session's cookie secret, or nothing for a wrong, used-up or expired token or when
    // too many phones are paired.
    std::optional<std::string> pair(std::string_view token, std::string_view userAgent, std::string_view address);

    // The session of a cookie secret, noting the request's time and address.
    std::optional<SessionGrant> find(std::string_view secret, std::string_view address = {});
    bool isCalendarKey(std::string_view key);

    // Whether a write carries the session's form token and was not sent before under
    // the same key; an accepted one's key is kept.
    FormCheck claimWrite(std::string_view secret, std::string_view formToken, std::string_view key);
    void releaseWrite(std::string_view secret, std::string_view key);
    // Whether a request that changes nothing, and so needs no key, carries the
    // session's form token.
    bool isOwnForm(std::string_view secret, std::string_view formToken);

    std::vector<PairedPhone> phones();
    // Whether a paired phone's last request came from that address.
    bool knowsAddress(std::string_view address) const;
    // Revokes the phone: its session, form token and calendar key stop working.
    bool disconnect(std::string_view handle);
    // Gives why the phone was not renamed.
    std::optional<PhoneText> rename(std::string_view name, std::string_view newName);
    // Why the kept phones could not be read, or the last change written.
    std::optional<PhoneText> failure() const;

    // Called (outside the lock) when a phone pairs, is revoked or renamed, or makes a request.
    void setOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

private:
    // What this sharing saw of a paired phone.
    struct Seen {
        std::string address;
        std::chrono::system_clock::time_point lastRequest;
        SentKeys sentWrites;
    };

    // What this sharing saw of the session of a secret, when it found it and, with a
    // form token, the token is the session's.
    Seen* seenOf(std::string_view secret, std::optional<std::string_view> formToken = std::nullopt);
    void changed() const;

    Clock m_clock;
    std::size_t m_maxPhones;
    mutable std::mutex m_mutex;
    std::unique_ptr<PairedPhones> m_kept;
    std::string m_pairingToken;
    std::chrono::system_clock::time_point m_pairingExpires;
    int m_pairingUsesLeft = 0;
    std::map<std::string, Seen, std::less<>> m_seen; // by the phones' keys
    std::function<void()> m_onChange;
};

} // namespace talvane::companion
