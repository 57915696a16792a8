#include "companion/PhoneSessions.h"

#include <openssl/crypto.h>
#include <openssl/rand.h>

#include <algorithm>
#include <array>
#include <stdexcept>

namespace talvane::companion {

namespace {

bool sameSecret(std::string_view a, std::string_view b)
{
    return !a.empty() && a.size() == b.size() && CRYPTO_memcmp(a.data(), b.data(), a.size()) == 0;
}

bool contains(std::string_view haystack, std::string_view needle)
{
    return haystack.find(needle) != std::string_view::npos;
}

} // namespace

std::string randomToken()
{
    std::array<unsigned char, 16> bits{};
    if (RAND_bytes(bits.data(), static_cast<int>(bits.size())) != 1)
        throw std::runtime_error("the system gave no random numbers");
    static constexpr char kHex[] = "0123456789abcdef";
    std::string token;
    for (const unsigned char byte : bits) {
        token += kHex[byte >> 4];
        token += kHex[byte & 0xF];
    }
    return token;
}

std::string phoneNameFrom(std::string_view userAgent)
{
    // The order matters: Edge and Chrome also say "Safari", and Android says "Linux".
    static constexpr std::pair<std::string_view, std::string_view> kBrowsers[] = {
        {"Firefox/", "Firefox"}, {"EdgA/", "Edge"}, {"Edg/", "Edge"}, {"SamsungBrowser/", "Samsung Internet"},
        {"Chrome/", "Chrome"},   {"CriOS/", "Chrome"}, {"Safari/", "Safari"}};
    static constexpr std::pair<std::string_view, std::string_view> kSystems[] = {
        {"Android", "Android"}, {"iPhone", "iPhone"}, {"iPad", "iPad"}, {"Windows", "Windows"},
        {"Macintosh", "Mac"},   {"CrOS", "ChromeOS"}, {"Linux", "Linux"}};
    std::string_view browser = "Browser";
    for (const auto& [mark, name] : kBrowsers)
        if (contains(userAgent, mark)) {
            browser = name;
            break;
        }
    for (const auto& [mark, name] : kSystems)
        if (contains(userAgent, mark))
            return std::string(browser) + " on " + std::string(name);
    return std::string(browser);
}

PhoneSessions::PhoneSessions(Clock clock, std::size_t maxPhones) : m_clock(std::move(clock)), m_maxPhones(maxPhones) {}

std::string PhoneSessions::newPairing()
{
    std::lock_guard lock(m_mutex);
    m_pairingToken = randomToken();
    m_pairingExpires = m_clock() + kPairingLifetime;
    m_pairingUsesLeft = kPairingUses;
    return m_pairingToken;
}

std::optional<std::string> PhoneSessions::pair(std::string_view token, std::string_view userAgent, std::string_view address)
{
    std::string secret = randomToken();
    {
        std::lock_guard lock(m_mutex);
        const auto now = m_clock();
        if (!sameSecret(token, m_pairingToken) || now >= m_pairingExpires || m_pairingUsesLeft <= 0 ||
            m_sessions.size() >= m_maxPhones)
            return std::nullopt;
        --m_pairingUsesLeft;
        Session session;
        session.secret = secret;
        session.grant = {randomToken(), randomToken(), randomToken()};
        session.phone = {session.grant.handle, phoneNameFrom(userAgent), std::string(address), now};
        m_sessions.push_back(std::move(session));
    }
    changed();
    return secret;
}

PhoneSessions::Session* PhoneSessions::sessionOf(std::string_view secret)
{
    for (Session& session : m_sessions)
        if (sameSecret(session.secret, secret))
            return &session;
    return nullptr;
}

std::optional<SessionGrant> PhoneSessions::find(std::string_view secret)
{
    std::optional<SessionGrant> grant;
    {
        std::lock_guard lock(m_mutex);
        if (Session* session = sessionOf(secret)) {
            session->phone.lastRequest = m_clock();
            grant = session->grant;
        }
    }
    if (grant)
        changed();
    return grant;
}

std::optional<SessionGrant> PhoneSessions::findByCalendarKey(std::string_view key)
{
    std::lock_guard lock(m_mutex);
    for (const Session& session : m_sessions)
        if (sameSecret(session.grant.calendarKey, key))
            return session.grant;
    return std::nullopt;
}

bool SentKeys::claim(std::string_view key)
{
    if (key.empty())
        return true;
    if (std::any_of(m_keys.begin(), m_keys.end(), [key](const std::string& held) { return sameSecret(held, key); }))
        return false;
    m_keys.emplace_back(key);
    if (m_keys.size() > kKept)
        m_keys.pop_front();
    return true;
}

void SentKeys::release(std::string_view key)
{
    const auto found =
        std::find_if(m_keys.begin(), m_keys.end(), [key](const std::string& held) { return sameSecret(held, key); });
    if (found != m_keys.end())
        m_keys.erase(found);
}

FormCheck PhoneSessions::claimWrite(std::string_view secret, std::string_view formToken, std::string_view key)
{
    std::lock_guard lock(m_mutex);
    Session* session = sessionOf(secret);
    if (!session || !sameSecret(session->grant.formToken, formToken))
        return FormCheck::Refused;
    return session->sentWrites.claim(key) ? FormCheck::Accepted : FormCheck::Replayed;
}

void PhoneSessions::releaseWrite(std::string_view secret, std::string_view key)
{
    std::lock_guard lock(m_mutex);
    if (Session* session = sessionOf(secret))
        session->sentWrites.release(key);
}

bool PhoneSessions::isOwnForm(std::string_view secret, std::string_view formToken)
{
    std::lock_guard lock(m_mutex);
    Session* session = sessionOf(secret);
    return session && sameSecret(session->grant.formToken, formToken);
}

std::string PhoneSessions::pairingToken() const
{
    std::lock_guard lock(m_mutex);
    return m_pairingToken;
}

std::vector<PairedPhone> PhoneSessions::phones() const
{
    std::lock_guard lock(m_mutex);
    std::vector<PairedPhone> phones;
    for (const Session& session : m_sessions)
        phones.push_back(session.phone);
    return phones;
}

bool PhoneSessions::disconnect(std::string_view handle)
{
    bool found = false;
    {
        std::lock_guard lock(m_mutex);
        const auto kept = std::remove_if(m_sessions.begin(), m_sessions.end(),
                                         [handle](const Session& session) { return sameSecret(session.grant.handle, handle); });
        found = kept != m_sessions.end();
        m_sessions.erase(kept, m_sessions.end());
    }
    if (found)
        changed();
    return found;
}

void PhoneSessions::disconnectAll()
{
    {
        std::lock_guard lock(m_mutex);
        m_sessions.clear();
        m_pairingToken.clear();
        m_pairingUsesLeft = 0;
    }
    changed();
}

void PhoneSessions::changed() const
{
    if (m_onChange)
        m_onChange();
}

} // namespace talvane::companion
