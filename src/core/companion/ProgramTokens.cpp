#include "companion/ProgramTokens.h"

#include "collection/PosixFile.h"
#include "collection/SafeFile.h"
#include "collection/Sha256.h"
#include "collection/UserFolders.h"
#include "text/ControlCharacters.h"

#include <nlohmann/json.hpp>
#include <openssl/crypto.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

namespace talvane::companion {

namespace {

constexpr int kFileVersion = 1;
constexpr std::string_view kTokenPrefix = "tvn_";

// The code points of a UTF-8 text; nothing when it is not UTF-8 (an overlong form, a
// surrogate, a cut sequence).
std::optional<std::u32string> CodePoints(std::string_view utf8)
{
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    std::u32string points;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > utf8.size())
            return std::nullopt;
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            point = (point << 6) | (next & 0x3F);
        }
        if (point < kLeast[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
            return std::nullopt;
        points += point;
        i += length;
    }
    return points;
}

std::optional<PhoneText> NameProblem(std::string_view name)
{
    const auto points = CodePoints(name);
    if (!points)
        return PhoneText(PHONE_TEXT("A program's name must be UTF-8 text."));
    if (points->find_first_not_of(U' ') == std::u32string::npos)
        return PhoneText(PHONE_TEXT("A program's name cannot be empty."));
    if (points->size() > ProgramTokens::kLongestName)
        return PhoneText(PHONE_TEXT("A program's name is at most %1 characters long."),
                         {std::to_string(ProgramTokens::kLongestName)});
    if (std::any_of(points->begin(), points->end(), text::IsControlCharacter))
        return PhoneText(PHONE_TEXT("A program's name cannot hold line breaks, tabs or other control characters."));
    return std::nullopt;
}

bool IsHash(std::string_view text)
{
    return text.size() == 64 && text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

PhoneText CannotWrite(const std::filesystem::path& file, std::string reason)
{
    return PhoneText(PHONE_TEXT("The tokens file %1 cannot be written: %2"), {file.string(), std::move(reason)});
}

// Another process changing the same file waits for this one, so that neither writes
// back a token the other has just revoked. The file's folder is made when missing.
class FileLock {
public:
    enum class Waiting { Wait, DontWait };

    FileLock(const std::filesystem::path& file, Waiting waiting)
    {
        std::error_code error;
        // Who may use a collection's API is no other user's business.
        if (std::filesystem::create_directories(file.parent_path(), error))
            std::filesystem::permissions(file.parent_path(), std::filesystem::perms::owner_all, error);
        if (error) {
            m_failure = SystemReason(error.value());
            return;
        }
        m_fd = FileDescriptor(::open((file.native() + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR));
        if (m_fd.get() < 0 || ::flock(m_fd.get(), waiting == Waiting::Wait ? LOCK_EX : LOCK_EX | LOCK_NB) != 0)
            m_failure = SystemReason(errno);
    }

    const std::optional<std::string>& failure() const { return m_failure; }

private:
    FileDescriptor m_fd;
    std::optional<std::string> m_failure;
};

} // namespace

std::filesystem::path ProgramTokens::fileFor(const std::filesystem::path& collection)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(collection, error);
    const std::string key = (error ? collection : absolute).lexically_normal().string();
    const auto config = UserFolder("XDG_CONFIG_HOME", ".config").value_or(std::filesystem::temp_directory_path());
    return config / "talvane" / "sharing" / (Sha256Hex(key).substr(0, 32) + ".json");
}

ProgramTokens::ProgramTokens(std::filesystem::path file, Clock clock) : m_file(std::move(file)), m_clock(std::move(clock)) {}

MadeToken ProgramTokens::make(std::string_view name)
{
    if (auto problem = NameProblem(name))
        return *problem;
    std::lock_guard guard(m_mutex);
    m_writeFailure.reset();
    const FileLock lock(m_file, FileLock::Waiting::Wait);
    if (lock.failure())
        return *(m_writeFailure = CannotWrite(m_file, *lock.failure()));
    refresh();
    // A file that cannot be read is never replaced by one holding only the new token.
    if (m_readFailure)
        return *m_readFailure;
    if (std::any_of(m_entries.begin(), m_entries.end(), [name](const Entry& entry) { return entry.name == name; }))
        return PhoneText(PHONE_TEXT("A program named \u201C%1\u201D already has a token."), {std::string(name)});
    std::string token = std::string(kTokenPrefix) + randomToken();
    std::vector<Entry> entries = m_entries;
    entries.push_back({std::string(name), Sha256Hex(token), now(), std::nullopt});
    if (auto failure = write(entries))
        return *(m_writeFailure = CannotWrite(m_file, *failure));
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
    const FileLock lock(m_file, FileLock::Waiting::Wait);
    if (lock.failure()) {
        m_writeFailure = CannotWrite(m_file, *lock.failure());
        return false;
    }
    refresh();
    std::vector<Entry> entries = m_entries;
    if (m_readFailure || std::erase_if(entries, [name](const Entry& entry) { return entry.name == name; }) == 0)
        return false;
    if (auto failure = write(entries)) {
        m_writeFailure = CannotWrite(m_file, *failure);
        return false;
    }
    return true;
}

std::optional<std::string> ProgramTokens::check(std::string_view bearerToken)
{
    if (bearerToken.empty())
        return std::nullopt;
    const std::string hash = Sha256Hex(bearerToken);
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
            if (NameProblem(entry.name) || !IsHash(entry.hash))
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
    struct stat status {};
    if (::stat(m_file.c_str(), &status) != 0) {
        const int error = errno;
        m_entries.clear();
        m_seen.reset();
        if (error == ENOENT || error == ENOTDIR)
            m_readFailure.reset();
        else
            m_readFailure = PhoneText(PHONE_TEXT("The tokens file %1 cannot be read: %2"), {m_file.string(), SystemReason(error)});
        return;
    }
    const FileIdentity identity = IdentityOf(status);
    if (m_seen == identity)
        return;
    std::string bytes;
    if (auto failure = ReadWholeFile(m_file, bytes)) {
        m_entries.clear();
        m_seen.reset();
        m_readFailure = PhoneText(PHONE_TEXT("The tokens file %1 cannot be read: %2"), {m_file.string(), *failure});
        return;
    }
    auto entries = readEntries(bytes);
    m_entries = entries ? std::move(*entries) : std::vector<Entry>();
    if (entries)
        m_readFailure.reset();
    else
        m_readFailure = PhoneText(PHONE_TEXT("The tokens file %1 is damaged, so none of its tokens works. It was left "
                                             "as it is: remove it to make new tokens."),
                                  {m_file.string()});
    m_seen = identity;
}

std::optional<std::string> ProgramTokens::write(const std::vector<Entry>& entries)
{
    RemoveStaleTemporaries(m_file);
    SaveTemporary temporary;
    if (auto failure = temporary.create(m_file))
        return failure;
    // The user's own, whatever the temporary was made with.
    if (::fchmod(temporary.descriptor(), S_IRUSR | S_IWUSR) != 0)
        return SystemReason(errno);
    if (auto failure = temporary.write(entriesText(entries)))
        return failure;
    if (auto failure = temporary.replaceTarget())
        return failure;
    m_entries = entries;
    m_readFailure.reset();
    // What was just written need not be read back.
    struct stat status {};
    m_seen = ::stat(m_file.c_str(), &status) == 0 ? std::optional(IdentityOf(status)) : std::nullopt;
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
    const FileLock lock(m_file, FileLock::Waiting::DontWait);
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
