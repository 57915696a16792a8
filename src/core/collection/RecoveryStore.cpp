#include "core/collection/RecoveryStore.h"

#include "core/collection/DiskSteps.h"
#include "core/collection/PosixFile.h"
#include "core/collection/SafeFile.h"
#include "core/collection/UserFolders.h"
#include "core/text/Words.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <set>
#include <signal.h>
#include <unistd.h>

namespace talvane::collection {

namespace {

constexpr std::string_view kFirstLine = "Talvane recovery 1\n";
constexpr std::string_view kSuffix = ".recovery";
constexpr std::string_view kStagingFolder = "staging";

// A header line holds one value: a line break inside a path or title is written as
// a visible escape so that it cannot end the header early.
std::string escapeValue(std::string_view value)
{
    std::string out;
    for (const char c : value) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

std::string unescapeValue(std::string_view value)
{
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            out += value[i + 1] == 'n' ? '\n' : value[i + 1];
            ++i;
        } else {
            out += value[i];
        }
    }
    return out;
}

template <typename Number = std::int64_t>
Number toNumber(std::string_view text)
{
    Number value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// "device inode size modified-ns hash"
std::string identityText(const FileIdentity& identity)
{
    return std::to_string(identity.device) + " " + std::to_string(identity.inode) + " " +
           std::to_string(identity.size) + " " + std::to_string(identity.modifiedNs) + " " + identity.contentHash;
}

std::optional<FileIdentity> readIdentity(std::string_view text)
{
    std::vector<std::string_view> parts;
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        parts.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    if (parts.size() != 5 || parts[4].size() != 64)
        return std::nullopt;
    return FileIdentity{toNumber<std::uint64_t>(parts[0]), toNumber<std::uint64_t>(parts[1]),
                        toNumber<std::uint64_t>(parts[2]), toNumber(parts[3]), std::string(parts[4])};
}

// Reads the header of a recovery file; gives where the collection's bytes begin.
std::optional<std::size_t> parseHeader(std::string_view bytes, RecoveryRecord& record)
{
    if (bytes.substr(0, kFirstLine.size()) != kFirstLine)
        return std::nullopt;
    std::size_t at = kFirstLine.size();
    while (at < bytes.size()) {
        const std::size_t end = bytes.find('\n', at);
        if (end == std::string_view::npos)
            return std::nullopt;
        const std::string_view line = bytes.substr(at, end - at);
        at = end + 1;
        if (line.empty())
            return at;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return std::nullopt;
        const std::string_view key = line.substr(0, equals);
        const std::string value = unescapeValue(line.substr(equals + 1));
        if (key == "path")
            record.collectionPath = value;
        else if (key == "title")
            record.title = value;
        else if (key == "pid")
            record.pid = toNumber(value);
        else if (key == "written")
            record.writtenAt = toNumber(value);
        else if (key == "based-on")
            record.basedOn = readIdentity(value);
        else if (key == "pictures")
            record.stagedPictures = value;
    }
    return std::nullopt;
}

bool isRunning(std::int64_t pid)
{
    if (pid <= 0 || pid == ::getpid())
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

} // namespace

RecoveryStore::RecoveryStore(std::filesystem::path folder) : m_folder(std::move(folder)) {}

std::filesystem::path RecoveryStore::defaultFolder()
{
    return userFolder("XDG_STATE_HOME", ".local/state").value_or(std::filesystem::temp_directory_path()) / "talvane" /
           "recovery";
}

std::filesystem::path RecoveryStore::ownFile() const
{
    return m_folder / (std::to_string(::getpid()) + std::string(kSuffix));
}

std::optional<std::string> RecoveryStore::write(const RecoveryRecord& record, std::string_view collectionBytes) const
{
    return write(record, [collectionBytes](const ByteSink& sink) { return sink(collectionBytes); });
}

std::optional<std::string> RecoveryStore::write(const RecoveryRecord& record, const BytePieces& collectionBytes) const
{
    std::error_code error;
    std::filesystem::create_directories(m_folder, error);
    if (error)
        return systemReason(error.value());
    std::string bytes(kFirstLine);
    bytes += "path=" + escapeValue(record.collectionPath.string()) + "\n";
    bytes += "title=" + escapeValue(record.title) + "\n";
    bytes += "pid=" + std::to_string(::getpid()) + "\n";
    bytes += "written=" + std::to_string(record.writtenAt) + "\n";
    if (record.basedOn)
        bytes += "based-on=" + identityText(*record.basedOn) + "\n";
    if (!record.stagedPictures.empty())
        bytes += "pictures=" + escapeValue(record.stagedPictures.string()) + "\n";
    bytes += "\n";
    return replaceFile(ownFile(), [&](const ByteSink& sink) { return sink(bytes) && collectionBytes(sink); });
}

void RecoveryStore::remove() const
{
    diskRemove(ownFile().c_str());
}

std::vector<RecoveryRecord> RecoveryStore::leftBehind() const
{
    std::vector<RecoveryRecord> found;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(m_folder, error)) {
        const auto name = item.path().filename().string();
        if (name.size() <= kSuffix.size() || name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0)
            continue;
        // The header is short: the first few kilobytes always hold it.
        std::string bytes;
        InputFile file;
        if (file.open(item.path()))
            continue;
        bytes.resize(std::min<std::uint64_t>(file.size(), 64 * 1024));
        bytes.resize(file.read(bytes.data(), bytes.size()));
        RecoveryRecord record;
        record.file = item.path();
        if (!parseHeader(bytes, record) || isRunning(record.pid))
            continue;
        found.push_back(std::move(record));
    }
    std::sort(found.begin(), found.end(),
              [](const RecoveryRecord& a, const RecoveryRecord& b) { return a.writtenAt > b.writtenAt; });
    return found;
}

std::optional<std::string> RecoveryStore::readCollection(const RecoveryRecord& record, std::string& bytes)
{
    if (auto failure = readWholeFile(record.file, bytes))
        return failure;
    RecoveryRecord header;
    const auto start = parseHeader(bytes, header);
    if (!start)
        return text::sayMessage(SHOWN_TEXT("it is not a Talvane recovery file"));
    bytes.erase(0, *start);
    return std::nullopt;
}

void RecoveryStore::discard(const RecoveryRecord& record)
{
    diskRemove(record.file.c_str());
    std::error_code error;
    if (!record.stagedPictures.empty())
        std::filesystem::remove_all(record.stagedPictures, error);
}

std::filesystem::path RecoveryStore::stagingFolder() const
{
    return m_folder / kStagingFolder / std::to_string(::getpid());
}

void RecoveryStore::removeStrayStaging() const
{
    std::set<std::filesystem::path> named;
    for (const RecoveryRecord& record : leftBehind())
        named.insert(record.stagedPictures);
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(m_folder / kStagingFolder, error)) {
        const std::string name = item.path().filename().string();
        const std::int64_t pid = toNumber(name);
        if (pid != ::getpid() && !isRunning(pid) && !named.contains(item.path()))
            std::filesystem::remove_all(item.path(), error);
    }
}

} // namespace talvane::collection
