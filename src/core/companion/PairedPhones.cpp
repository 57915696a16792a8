#include "core/companion/PairedPhones.h"

#include "core/collection/Sha256.h"
#include "core/companion/KeptText.h"
#include "core/companion/PhoneSessions.h"
#include "core/companion/ProgramTokens.h"

#include <nlohmann/json.hpp>
#include <openssl/crypto.h>

#include <algorithm>

namespace talvane::companion {

namespace {

constexpr int kFileVersion = 1;

// Every hash is compared whole, in constant time: how long the answer takes tells
// nothing about how close a guess came.
bool sameHash(std::string_view held, std::string_view given)
{
    return held.size() == given.size() && CRYPTO_memcmp(held.data(), given.data(), held.size()) == 0;
}

std::chrono::system_clock::time_point timeOf(std::int64_t seconds)
{
    return std::chrono::system_clock::time_point(std::chrono::seconds(seconds));
}

constexpr std::int64_t secondsOf(std::chrono::seconds duration)
{
    return duration.count();
}

} // namespace

std::filesystem::path PairedPhones::fileFor(const std::filesystem::path& collection)
{
    return ProgramTokens::fileFor(collection).replace_extension(".phones.json");
}

PairedPhones::PairedPhones(std::filesystem::path file, Clock clock) : m_kept(std::move(file)), m_clock(std::move(clock)) {}

MadeCode PairedPhones::makeCode()
{
    std::string code = randomToken();
    std::lock_guard guard(m_mutex);
    const std::int64_t expires = now() + secondsOf(kCodeLifetime);
    if (!change([&](Kept& kept) {
            kept.codes.push_back({collection::sha256Hex(code), expires, kCodeUses});
            return true;
        }))
        return m_writeFailure ? *m_writeFailure : *m_readFailure;
    return code;
}

std::optional<KeptPhone> PairedPhones::add(const PhoneToPair& phone, std::size_t maxPhones,
                                          std::optional<std::string_view> code)
{
    const std::string codeHash = code ? collection::sha256Hex(*code) : std::string();
    const std::int64_t at = now();
    const auto validCode = [&](const Code& kept) {
        return sameHash(kept.hash, codeHash) && kept.expires > at && kept.usesLeft > 0;
    };
    std::lock_guard guard(m_mutex);
    // A wrong code, as a stranger guessing sends, waits for no other process.
    refresh();
    if (code && std::none_of(m_entries.codes.begin(), m_entries.codes.end(), validCode))
        return std::nullopt;
    std::optional<KeptPhone> added;
    const bool written = change([&](Kept& kept) {
        const auto used = std::find_if(kept.codes.begin(), kept.codes.end(), validCode);
        if (kept.phones.size() >= maxPhones || (code && used == kept.codes.end()))
            return false;
        if (code)
            --used->usesLeft;
        const auto taken = [&](const std::string& name) {
            return std::any_of(kept.phones.begin(), kept.phones.end(), [&](const Phone& other) { return other.name == name; });
        };
        std::string name = phone.name;
        for (int number = 2; taken(name); ++number)
            name = phone.name + " " + std::to_string(number);
        kept.phones.push_back({phone.key, phone.calendarHash, name, at, at});
        added = shown(kept.phones.back());
        return true;
    });
    return written ? added : std::nullopt;
}

std::optional<KeptPhone> PairedPhones::find(std::string_view key)
{
    return findWith(&Phone::key, key);
}

std::optional<KeptPhone> PairedPhones::findByCalendar(std::string_view calendarHash)
{
    // A calendar that still fetches is a use of the pairing, as the phone's own requests are.
    return findWith(&Phone::calendarHash, calendarHash);
}

std::optional<KeptPhone> PairedPhones::findWith(std::string Phone::*hash, std::string_view value)
{
    std::lock_guard guard(m_mutex);
    refresh();
    const std::int64_t at = now();
    const Phone* found = nullptr;
    for (const Phone& phone : m_entries.phones)
        if (sameHash(phone.*hash, value) && at - phone.lastRequest < secondsOf(kUnusedLifetime))
            found = &phone;
    if (!found)
        return std::nullopt;
    KeptPhone phone = shown(*found);
    if (at - found->lastRequest >= secondsOf(kRequestNoteInterval))
        noteRequest(found->key, at);
    return phone;
}

std::vector<KeptPhone> PairedPhones::list()
{
    std::lock_guard guard(m_mutex);
    refresh();
    Kept live = m_entries;
    dropExpired(live);
    std::vector<KeptPhone> phones;
    for (const Phone& phone : live.phones)
        phones.push_back(shown(phone));
    return phones;
}

bool PairedPhones::revoke(std::string_view name)
{
    return removeWith(&Phone::name, name);
}

bool PairedPhones::revokeKey(std::string_view key)
{
    return removeWith(&Phone::key, key);
}

bool PairedPhones::removeWith(std::string Phone::*field, std::string_view value)
{
    std::lock_guard guard(m_mutex);
    return change([&](Kept& kept) {
        return std::erase_if(kept.phones, [&](const Phone& phone) { return phone.*field == value; }) > 0;
    });
}

std::optional<PhoneText> PairedPhones::rename(std::string_view name, std::string_view newName)
{
    if (auto problem = nameProblem(newName, NameOf::Phone))
        return problem;
    std::lock_guard guard(m_mutex);
    std::optional<PhoneText> refusal;
    const bool written = change([&](Kept& kept) {
        const auto named = [&kept](std::string_view wanted) {
            return std::find_if(kept.phones.begin(), kept.phones.end(),
                                [wanted](const Phone& phone) { return phone.name == wanted; });
        };
        const auto phone = named(name);
        if (phone == kept.phones.end())
            refusal = PhoneText(PHONE_TEXT("No phone named \u201C%1\u201D is paired."), {std::string(name)});
        else if (newName != name && named(newName) != kept.phones.end())
            refusal = PhoneText(PHONE_TEXT("A phone named \u201C%1\u201D is already paired."), {std::string(newName)});
        else
            phone->name = newName;
        return !refusal;
    });
    if (refusal || written)
        return refusal;
    return m_writeFailure ? m_writeFailure : m_readFailure;
}

std::optional<PhoneText> PairedPhones::failure() const
{
    std::lock_guard guard(m_mutex);
    return m_writeFailure ? m_writeFailure : m_readFailure;
}

KeptPhone PairedPhones::shown(const Phone& phone)
{
    return {phone.key, phone.name, timeOf(phone.paired), timeOf(phone.lastRequest)};
}

std::optional<PairedPhones::Kept> PairedPhones::readKept(std::string_view bytes)
{
    const auto json = nlohmann::json::parse(bytes, nullptr, false);
    try {
        if (!json.is_object() || json.at("version") != kFileVersion || !json.at("phones").is_array() ||
            !json.at("codes").is_array())
            return std::nullopt;
        Kept kept;
        for (const auto& item : json.at("phones")) {
            Phone phone{item.at("session").get<std::string>(), item.at("calendar").get<std::string>(),
                        item.at("name").get<std::string>(), item.at("paired").get<std::int64_t>(),
                        item.at("lastRequest").get<std::int64_t>()};
            if (!isSha256Text(phone.key) || !isSha256Text(phone.calendarHash) || nameProblem(phone.name, NameOf::Phone))
                return std::nullopt;
            kept.phones.push_back(std::move(phone));
        }
        for (const auto& item : json.at("codes")) {
            Code code{item.at("sha256").get<std::string>(), item.at("expires").get<std::int64_t>(),
                      item.at("usesLeft").get<int>()};
            if (!isSha256Text(code.hash))
                return std::nullopt;
            kept.codes.push_back(std::move(code));
        }
        return kept;
    } catch (const nlohmann::json::exception&) {
        return std::nullopt;
    }
}

std::string PairedPhones::keptText(const Kept& kept)
{
    nlohmann::json phones = nlohmann::json::array();
    for (const Phone& phone : kept.phones)
        phones.push_back({{"name", phone.name},
                          {"session", phone.key},
                          {"calendar", phone.calendarHash},
                          {"paired", phone.paired},
                          {"lastRequest", phone.lastRequest}});
    nlohmann::json codes = nlohmann::json::array();
    for (const Code& code : kept.codes)
        codes.push_back({{"sha256", code.hash}, {"expires", code.expires}, {"usesLeft", code.usesLeft}});
    return nlohmann::json{{"version", kFileVersion}, {"phones", std::move(phones)}, {"codes", std::move(codes)}}.dump(2) +
           "\n";
}

void PairedPhones::refresh()
{
    if (file().empty())
        return;
    using State = KeptFile::Look::State;
    const KeptFile::Look look = m_kept.look();
    if (look.state == State::Unchanged)
        return;
    auto kept = look.state == State::Read ? readKept(look.bytes) : Kept();
    m_entries = kept ? std::move(*kept) : Kept();
    if (look.state == State::Unreadable)
        m_readFailure = PhoneText(PHONE_TEXT("The phones file %1 cannot be read: %2"), {file().string(), look.reason});
    else if (!kept)
        m_readFailure = PhoneText(PHONE_TEXT("The phones file %1 is damaged, so no phone is paired by it. It was left as "
                                             "it is: remove it to pair the phones again."),
                                  {file().string()});
    else
        m_readFailure.reset();
}

bool PairedPhones::change(const std::function<bool(Kept&)>& edit, FileLock::Waiting waiting)
{
    m_writeFailure.reset();
    std::optional<FileLock> lock;
    if (!file().empty())
        lock.emplace(file(), waiting);
    std::optional<std::string> failure;
    if (lock && lock->failure()) {
        // What need not be written now is left for another time.
        if (waiting == FileLock::Waiting::DontWait)
            return false;
        failure = lock->failure();
    } else {
        refresh();
        // A file that cannot be read is never replaced by one holding only this change.
        if (m_readFailure)
            return false;
        Kept kept = m_entries;
        dropExpired(kept);
        if (!edit(kept))
            return false;
        failure = write(kept);
    }
    if (failure)
        m_writeFailure = PhoneText(PHONE_TEXT("The phones file %1 cannot be written: %2"), {file().string(), *failure});
    return !failure;
}

std::optional<std::string> PairedPhones::write(const Kept& kept)
{
    if (!file().empty())
        if (auto failure = m_kept.write(keptText(kept)))
            return failure;
    m_entries = kept;
    m_readFailure.reset();
    return std::nullopt;
}

void PairedPhones::dropExpired(Kept& kept) const
{
    const std::int64_t at = now();
    std::erase_if(kept.phones, [at](const Phone& phone) { return at - phone.lastRequest >= secondsOf(kUnusedLifetime); });
    std::erase_if(kept.codes, [at](const Code& code) { return code.expires <= at || code.usesLeft <= 0; });
}

void PairedPhones::noteRequest(const std::string& key, std::int64_t at)
{
    const auto noteIn = [&](Kept& kept) {
        const auto found =
            std::find_if(kept.phones.begin(), kept.phones.end(), [&](const Phone& phone) { return phone.key == key; });
        if (found != kept.phones.end())
            found->lastRequest = at;
        return found != kept.phones.end();
    };
    // Held at once, so that a file that cannot be written is tried again an interval
    // later, not at every request; and a request never waits for another process.
    noteIn(m_entries);
    change(noteIn, FileLock::Waiting::DontWait);
}

std::int64_t PairedPhones::now() const
{
    return std::chrono::duration_cast<std::chrono::seconds>(m_clock().time_since_epoch()).count();
}

} // namespace talvane::companion
