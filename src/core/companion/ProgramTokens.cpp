#include "core/companion/ProgramTokens.h"

#include "core/collection/Sha256.h"
#include "core/collection/UserFolders.h"
#include "core/companion/KeptFile.h"
#include "core/companion/KeptText.h"

#include <nlohmann/json.hpp>
#include <openssl/crypto.h>

#include <algorithm>

namespace talvane::companion {

namespace {

constexpr int kFileVersion = 1;
constexpr std::string_view kTokenPrefix = "tvn_";

PhoneText cannotWrite(const std::filesystem::path& file, std::string reason)
{
    return PhoneText(PHONE_TEXT("The tokens file %1 cannot be written: %2"), {file.string(), std::move(reason)});
}

} // namespace

std::filesystem::path ProgramTokens::fileFor(const std::filesystem::path& collection)
{
    return collection::collectionFileIn("XDG_CONFIG_HOME", ".config", "sharing", collection);
}

ProgramTokens::ProgramTokens(std::filesystem::path file, Clock clock) : m_kept(std::move(file)), m_clock(std::move(clock)) {}

MadeToken ProgramTokens::make(std::string_view name)
{
    if (auto problem = nameProblem(name, NameOf::Program))
        return *problem;
    std::lock_guard guard(m_mutex);
    m_writeFailure.reset();
    const FileLock lock(file(), FileLock::Waiting::Wait);
    if (lock.failure())
        return *(m_writeFailure = cannotWrite(file(), *lock.failure()));
    refresh();
    // A file that cannot be read is never replaced by one holding only the new token.
    if (m_readFailure)
        return *m_readFailure;
    if (std::any_of(m_entries.begin(), m_entries.end(), [name](const Entry& entry) { return entry.name == name; }))
        return PhoneText(PHONE_TEXT("A program named \u201C%1\u201D already has a token."), {std::string(name)});
    std::string token = std::string(kTokenPrefix) + randomToken();
    std::vector<Entry> entries = m_entries;
    entries.push_back({std::string(name), collection::sha256Hex(token), now(), std::nullopt});
    if (auto failure = write(entries))
        return *(m_writeFailure = cannotWrite(file(), *failure));
    return token;
}

std::vector<ProgramToken> ProgramTokens::list()
{
    const auto timeOf = [](std::int64_t seconds) { return std::chrono::system_clock::time_point(std::chrono::seconds(seconds)); };
    std::lock_guard guard(m_mutex);
    refresh();
    std::vector<ProgramToken> tokens;
    for (const Entry& entry : m_entries)
        tokens.push_back({entry.name, timeOf(entry.made),
                          entry.lastUsed ? std::optional(timeOf(*entry.lastUsed)) : std::nullopt});
    return tokens;
}

bool ProgramTokens::revoke(std::string_view name)
{
    std::lock_guard guard(m_mutex);
    m_writeFailure.reset();
    const FileLock lock(file(), FileLock::Waiting::Wait);
    if (lock.failure()) {
        m_writeFailure = cannotWrite(file(), *lock.failure());
        return false;
    }
    refresh();
    std::vector<Entry> entries = m_entries;
    if (m_readFailure || std::erase_if(entries, [name](const Entry& entry) { return entry.name == name; }) == 0)
        return false;
    if (auto failure = write(entries)) {
        m_writeFailure = cannotWrite(file(), *failure);
        return false;
    }
    return true;
}

std::optional<std::string> ProgramTokens::check(std::string_view bearerToken)
{
    if (bearerToken.empty())
        return std::nullopt;
    const std::string hash = collection::sha256Hex(bearerToken);
    std::lock_guard guard(m_mutex);
    refresh();
    // Every hash is compared whole, in constant time: how long the answer takes tells
    // nothing about how close a guess came.
    const Entry* found = nullptr;
    for (const Entry& entry : m_entries) {
        if (CRYPTO_memcmp(entry.hash.data(), hash.data(), hash.size()) == 0)
            found = &entry;
    }
    if (!found)
        return std::nullopt;
    std::string name = found->name;
    const std::int64_t at = now();
    if (!found->lastUsed || at - *found->lastUsed >= std::chrono::seconds(kUseNoteInterval).count())
        noteUse(hash, at);
    return name;
}

std::optional<PhoneText> ProgramTokens::failure() const
{
    std::lock_guard guard(m_mutex);
    return m_writeFailure ? m_writeFailure : m_readFailure;
}

std::optional<std::vector<ProgramTokens::Entry>> ProgramTokens::readEntries(std::string_view bytes)
{
    const auto json = nlohmann::json::parse(bytes, nullptr, false);
    try {
        if (!json.is_object() || json.at("version") != kFileVersion || !json.at("tokens").is_array())
            return std::nullopt;
        std::vector<Entry> entries;
        for (const auto& item : json.at("tokens")) {
            Entry entry{item.at("name").get<std::string>(), item.at("sha256").get<std::string>(),
                        item.at("made").get<std::int64_t>(), std::nullopt};
            if (item.contains("lastUsed"))
                entry.lastUsed = item.at("lastUsed").get<std::int64_t>();
            if (nameProblem(entry.name, NameOf::Program) || !isSha256Text(entry.hash))
                return std::nullopt;
            entries.push_back(std::move(entry));
        }
        return entries;
    } catch (const nlohmann::json::exception&) {
        return std::nullopt;
    }
}

std::string ProgramTokens::entriesText(const std::vector<Entry>& entries)
{
    nlohmann::json tokens = nlohmann::json::array();
    for (const Entry& entry : entries) {
        nlohmann::json item{{"name", entry.name}, {"sha256", entry.hash}, {"made", entry.made}};
        if (entry.lastUsed)
            item["lastUsed"] = *entry.lastUsed;
        tokens.push_back(std::move(item));
    }
    return nlohmann::json{{"version", kFileVersion}, {"tokens", std::move(tokens)}}.dump(2) + "\n";
}

void ProgramTokens::refresh()
{
    using State = KeptFile::Look::State;
    const KeptFile::Look look = m_kept.look();
    if (look.state == State::Unchanged)
        return;
    auto entries = look.state == State::Read ? readEntries(look.bytes) : std::vector<Entry>();
    m_entries = entries ? std::move(*entries) : std::vector<Entry>();
    if (look.state == State::Unreadable)
        m_readFailure = PhoneText(PHONE_TEXT("The tokens file %1 cannot be read: %2"), {file().string(), look.reason});
    else if (!entries)
        m_readFailure = PhoneText(PHONE_TEXT("The tokens file %1 is damaged, so none of its tokens works. It was left "
                                             "as it is: remove it to make new tokens."),
                                  {file().string()});
    else
        m_readFailure.reset();
}

std::optional<std::string> ProgramTokens::write(const std::vector<Entry>& entries)
{
    if (auto failure = m_kept.write(entriesText(entries)))
        return failure;
    m_entries = entries;
    m_readFailure.reset();
    return std::nullopt;
}

void ProgramTokens::noteUse(const std::string& hash, std::int64_t at)
{
    const auto noteIn = [&](std::vector<Entry>& entries) {
        const auto found = std::find_if(entries.begin(), entries.end(), [&](const Entry& entry) { return entry.hash == hash; });
        if (found != entries.end())
            found->lastUsed = at;
        return found != entries.end();
    };
    // Noted here first: a file that cannot be written is tried again an interval later,
    // not at every request.
    noteIn(m_entries);
    // A request never waits for another process: while one changes the file, the use
    // is left unwritten.
    const FileLock lock(file(), FileLock::Waiting::DontWait);
    if (lock.failure())
        return;
    refresh();
    if (!m_readFailure && noteIn(m_entries))
        write(m_entries);
}

std::int64_t ProgramTokens::now() const
{
    return std::chrono::duration_cast<std::chrono::seconds>(m_clock().time_since_epoch()).count();
}

} // namespace talvane::companion
