#include "core/companion/PhoneSessions.h"

#include "core/collection/Sha256.h"

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

// The form token and the calendar key follow from the session's secret, each through a
// hash of its own: a restart finds them again from the cookie alone, and the file of
// paired phones keeps only hashes, from which none of them can be made.
struct SessionSecrets {
    std::string key; // what the file names the session by
    std::string formToken;
    std::string calendarKey;
};

SessionSecrets secretsOf(std::string_view secret)
{
    const auto derived = [secret](std::string_view use) { return collection::sha256Hex(std::string(use) + std::string(secret)).substr(0, 32); };
    return {collection::sha256Hex(secret), derived("form "), derived("calendar ")};
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

PhoneSessions::PhoneSessions(Clock clock, std::size_t maxPhones)
    : m_clock(std::move(clock)), m_maxPhones(maxPhones), m_kept(std::make_unique<PairedPhones>("", m_clock))
{
}

void PhoneSessions::keepIn(const std::filesystem::path& file)
{
    std::lock_guard lock(m_mutex);
    m_kept = std::make_unique<PairedPhones>(file, m_clock);
    m_seen.clear();
}

std::string PhoneSessions::newPairing()
{
    std::lock_guard lock(m_mutex);
    m_pairingToken = randomToken();
    m_pairingExpires = m_clock() + kPairingLifetime;
    m_pairingUsesLeft = kPairingUses;
    return m_pairingToken;
}

std::string PhoneSessions::pairingToken() const
{
    std::lock_guard lock(m_mutex);
    return m_pairingToken;
}

void PhoneSessions::endPairing()
{
    std::lock_guard lock(m_mutex);
    m_pairingToken.clear();
    m_pairingUsesLeft = 0;
}

std::optional<std::string> PhoneSessions::pair(std::string_view token, std::string_view userAgent, std::string_view address)
{
    std::string secret = randomToken();
    const SessionSecrets secrets = secretsOf(secret);
    {
        std::lock_guard lock(m_mutex);
        const auto now = m_clock();
        const bool shownToken = sameSecret(token, m_pairingToken) && now < m_pairingExpires && m_pairingUsesLeft > 0;
        // Any other token may be a code another process kept for this collection.
        const auto kept = m_kept->add({secrets.key, collection::sha256Hex(secrets.calendarKey), phoneNameFrom(userAgent)},
                                      m_maxPhones, shownToken ? std::nullopt : std::optional(token));
        if (!kept)
            return std::nullopt;
        if (shownToken)
            --m_pairingUsesLeft;
        Seen& seen = m_seen[kept->key];
        seen.address = address;
        seen.lastRequest = now;
    }
    changed();
    return secret;
}

std::optional<SessionGrant> PhoneSessions::find(std::string_view secret, std::string_view address)
{
    if (secret.empty())
        return std::nullopt;
    const SessionSecrets secrets = secretsOf(secret);
    std::string name;
    {
        std::lock_guard lock(m_mutex);
        const auto kept = m_kept->find(secrets.key);
        if (!kept) {
            // Revoked by another process, or gone a year unused: its writes are forgotten.
            m_seen.erase(secrets.key);
            return std::nullopt;
        }
        name = kept->name;
        Seen& seen = m_seen[secrets.key];
        seen.lastRequest = m_clock();
        if (!address.empty())
            seen.address = address;
    }
    changed();
    return SessionGrant{secrets.key, secrets.formToken, secrets.calendarKey, std::move(name)};
}

bool PhoneSessions::isCalendarKey(std::string_view key)
{
    std::lock_guard lock(m_mutex);
    return !key.empty() && m_kept->findByCalendar(collection::sha256Hex(key));
}

PhoneSessions::Seen* PhoneSessions::seenOf(std::string_view secret, std::optional<std::string_view> formToken)
{
    if (secret.empty())
        return nullptr;
    const SessionSecrets secrets = secretsOf(secret);
    if (formToken && !sameSecret(secrets.formToken, *formToken))
        return nullptr;
    const auto seen = m_seen.find(secrets.key);
    return seen == m_seen.end() ? nullptr : &seen->second;
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
    Seen* seen = seenOf(secret, formToken);
    if (!seen)
        return FormCheck::Refused;
    return seen->sentWrites.claim(key) ? FormCheck::Accepted : FormCheck::Replayed;
}

void PhoneSessions::releaseWrite(std::string_view secret, std::string_view key)
{
    std::lock_guard lock(m_mutex);
    if (Seen* seen = seenOf(secret))
        seen->sentWrites.release(key);
}

bool PhoneSessions::isOwnForm(std::string_view secret, std::string_view formToken)
{
    std::lock_guard lock(m_mutex);
    return seenOf(secret, formToken) != nullptr;
}

std::vector<PairedPhone> PhoneSessions::phones()
{
    std::lock_guard lock(m_mutex);
    std::vector<PairedPhone> phones;
    for (const KeptPhone& kept : m_kept->list()) {
        PairedPhone phone{kept.key, kept.name, {}, kept.paired, kept.lastRequest};
        if (const auto seen = m_seen.find(kept.key); seen != m_seen.end()) {
            phone.address = seen->second.address;
            phone.lastRequest = std::max(phone.lastRequest, seen->second.lastRequest);
        }
        phones.push_back(std::move(phone));
    }
    return phones;
}

bool PhoneSessions::knowsAddress(std::string_view address) const
{
    std::lock_guard lock(m_mutex);
    return std::any_of(m_seen.begin(), m_seen.end(), [address](const auto& seen) { return seen.second.address == address; });
}

bool PhoneSessions::disconnect(std::string_view handle)
{
    bool found = false;
    {
        std::lock_guard lock(m_mutex);
        found = m_kept->revokeKey(handle);
        if (const auto seen = m_seen.find(handle); seen != m_seen.end())
            m_seen.erase(seen);
    }
    if (found)
        changed();
    return found;
}

std::optional<PhoneText> PhoneSessions::rename(std::string_view name, std::string_view newName)
{
    std::optional<PhoneText> refusal;
    {
        std::lock_guard lock(m_mutex);
        refusal = m_kept->rename(name, newName);
    }
    if (!refusal)
        changed();
    return refusal;
}

std::optional<PhoneText> PhoneSessions::failure() const
{
    std::lock_guard lock(m_mutex);
    return m_kept->failure();
}

void PhoneSessions::changed() const
{
    if (m_onChange)
        m_onChange();
}

} // namespace talvane::companion
