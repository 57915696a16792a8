#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvane::companion {

using Clock = std::function<std::chrono::system_clock::time_point()>;

// 128 random bits as 32 lowercase hex digits, from the system's random source.
std::string randomToken();

// A short name for a phone from its browser's User-Agent: "Chrome on Android".
std::string phoneNameFrom(std::string_view userAgent);

// A phone paired with this sharing, as the sharing window lists it.
struct PairedPhone {
    std::string handle; // names the phone for Disconnect; grants nothing
    std::string name;
    std::string address;
    std::chrono::system_clock::time_point lastRequest;
};

// What a request proves it may do, once its session cookie was found.
struct SessionGrant {
    std::string handle;
    std::string formToken;   // every form carries it, so no other site can post one
    std::string calendarKey; // in the calendar's address, which a calendar fetches without cookies
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

// The pairing address and the sessions it opened, for one sharing. A pairing token
// opens at most kPairingUses sessions within kPairingLifetime; a session lasts while the
// sharing does, until the phone is disconnected; at most `maxPhones` are paired at once.
// Every secret is compared in constant time. Safe to use from several threads.
class PhoneSessions {
public:
    static constexpr auto kPairingLifetime = std::chrono::minutes(10);
    static constexpr int kPairingUses = 5;
    static constexpr std::size_t kMaxPhones = 32;

    explicit PhoneSessions(Clock clock = std::chrono::system_clock::now, std::size_t maxPhones = kMaxPhones);

    // A new pairing token: the one before stops working.
    std::string newPairing();
    std::string pairingToken() const;
    // Exchanges a pairing token for a session: gives the session's cookie secret, or
    // nothing for a wrong, used-up or expired token or when too many phones are paired.
    std::optional<std::string> pair(std::string_view token, std::string_view userAgent, std::string_view address);

    // The session of a cookie secret, noting the request's time.
    std::optional<SessionGrant> find(std::string_view secret);
    std::optional<SessionGrant> findByCalendarKey(std::string_view key);

    // Whether a write carries the session's form token and was not sent before under
    // the same key; an accepted one's key is kept.
    FormCheck claimWrite(std::string_view secret, std::string_view formToken, std::string_view key);
    void releaseWrite(std::string_view secret, std::string_view key);
    // Whether a request that changes nothing, and so needs no key, carries the
    // session's form token.
    bool isOwnForm(std::string_view secret, std::string_view formToken);

    std::vector<PairedPhone> phones() const;
    bool disconnect(std::string_view handle);
    void disconnectAll();

    // Called (outside the lock) when a phone pairs, is disconnected, or makes a request.
    void setOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

private:
    struct Session {
        std::string secret;
        SessionGrant grant;
        PairedPhone phone;
        SentKeys sentWrites;
    };

    Session* sessionOf(std::string_view secret);
    void changed() const;

    Clock m_clock;
    std::size_t m_maxPhones;
    mutable std::mutex m_mutex;
    std::string m_pairingToken;
    std::chrono::system_clock::time_point m_pairingExpires;
    int m_pairingUsesLeft = 0;
    std::vector<Session> m_sessions;
    std::function<void()> m_onChange;
};

} // namespace talvane::companion
