#include "core/collection/VersionStore.h"

#include "core/collection/DiskSteps.h"
#include "core/collection/FileMetadata.h"
#include "core/collection/LocalTime.h"
#include "core/collection/PosixFile.h"
#include "core/collection/SafeFile.h"
#include "core/collection/Sha256.h"
#include "core/collection/UserFolders.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace talvane::collection {

namespace {

constexpr std::size_t kNewestKept = 10;
constexpr std::int64_t kDailyWindow = 30 * 24 * 60 * 60;
constexpr const char* kLocalFolder = ".talvane-versions";
// In the user's data folder, the versions of one collection lie beside this note of
// its path: their folder is named by a hash of the path.
constexpr const char* kPathNote = "collection.txt";
constexpr std::string_view kExtension = ".tvn";
constexpr const char* kStampFormat = "%Y-%m-%d %H%M%S";
constexpr std::string_view kStampShape = "0000-00-00 000000";

struct Version {
    std::filesystem::path file;
    std::string stamp;      // the local time of its name
    unsigned sequence = 1;  // the how-manieth version of that second
    std::int64_t savedAt = 0;
};

int number(std::string_view digits)
{
    int value = 0;
    for (char digit : digits)
        value = value * 10 + (digit - '0');
    return value;
}

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "2026-12-08 151200.tvn", "2026-12-08 151200 2.tvn"; nothing for any other name.
std::optional<Version> readVersionName(const std::filesystem::path& file)
{
    const std::string name = file.filename().string();
    if (name.size() < kStampShape.size() + kExtension.size() || !name.ends_with(kExtension))
        return std::nullopt;
    const std::string_view stamp = std::string_view(name).substr(0, kStampShape.size());
    for (std::size_t i = 0; i < stamp.size(); ++i) {
        if (kStampShape[i] == '0' ? !allDigits(stamp.substr(i, 1)) : stamp[i] != kStampShape[i])
            return std::nullopt;
    }
    Version version{file, std::string(stamp)};
    const std::string_view rest =
        std::string_view(name).substr(stamp.size(), name.size() - stamp.size() - kExtension.size());
    if (!rest.empty()) {
        if (rest[0] != ' ' || rest.size() > 6 || !allDigits(rest.substr(1)) || number(rest.substr(1)) < 2)
            return std::nullopt;
        version.sequence = static_cast<unsigned>(number(rest.substr(1)));
    }
    std::tm local {};
    local.tm_year = number(stamp.substr(0, 4)) - 1900;
    local.tm_mon = number(stamp.substr(5, 2)) - 1;
    local.tm_mday = number(stamp.substr(8, 2));
    local.tm_hour = number(stamp.substr(11, 2));
    local.tm_min = number(stamp.substr(13, 2));
    local.tm_sec = number(stamp.substr(15, 2));
    local.tm_isdst = -1;
    version.savedAt = std::mktime(&local);
    return version;
}

void newestFirst(std::vector<Version>& versions)
{
    std::sort(versions.begin(), versions.end(), [](const Version& a, const Version& b) {
        return a.savedAt != b.savedAt ? a.savedAt > b.savedAt : a.sequence > b.sequence;
    });
}

void addVersionsIn(const std::filesystem::path& folder, std::vector<Version>& versions)
{
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (auto version = readVersionName(it->path()))
            versions.push_back(std::move(*version));
    }
}

std::vector<Version> versionsIn(const std::filesystem::path& folder)
{
    std::vector<Version> versions;
    addVersionsIn(folder, versions);
    newestFirst(versions);
    return versions;
}

std::string nextVersionName(const std::vector<Version>& versions, std::int64_t now)
{
    const std::string stamp = localTimeText(now, kStampFormat);
    unsigned sequence = 1;
    for (const Version& version : versions) {
        if (version.stamp == stamp)
            sequence = std::max(sequence, version.sequence + 1);
    }
    return stamp + (sequence > 1 ? " " + std::to_string(sequence) : "") + std::string(kExtension);
}

struct VersionFolder {
    std::filesystem::path path;
    bool inDataHome = false;
};

// Beside the collection first, then in the user's data folder.
std::vector<VersionFolder> versionFoldersOf(const std::filesystem::path& target)
{
    std::vector<VersionFolder> folders{{target.parent_path() / kLocalFolder / target.filename(), false}};
    if (const auto dataHome = userFolder("XDG_DATA_HOME", ".local/share"))
        folders.push_back({*dataHome / "talvane" / "versions" / sha256Hex(target.string()).substr(0, 16), true});
    return folders;
}

std::optional<std::string> prepareFolder(const VersionFolder& folder, const std::filesystem::path& target)
{
    std::error_code error;
    std::filesystem::create_directories(folder.path, error);
    if (error)
        return error.message();
    if (::access(folder.path.c_str(), W_OK) != 0)
        return systemReason(errno);
    if (folder.inDataHome) {
        std::filesystem::permissions(folder.path, std::filesystem::perms::owner_all, error);
        if (!std::filesystem::exists(folder.path / kPathNote, error))
            return replaceFile(folder.path / kPathNote, target.string() + "\n");
    }
    return std::nullopt;
}

// Removes what the newest 10 and the newest of each of the last 30 days do not need,
// and what interrupted writes of versions left.
void prune(const std::filesystem::path& folder, std::int64_t now)
{
    removeStaleTemporaries(folder, [](std::string_view name) {
        return name.starts_with(".") && name.find(kSaveTemporaryMarker) != std::string_view::npos;
    });
    const std::vector<Version> versions = versionsIn(folder);
    std::set<std::string> days;
    for (std::size_t i = 0; i < versions.size(); ++i) {
        const Version& version = versions[i];
        const bool newestOfItsDay =
            version.savedAt > now - kDailyWindow && days.insert(version.stamp.substr(0, 10)).second;
        if (i >= kNewestKept && !newestOfItsDay)
            diskRemove(version.file.c_str());
    }
}

using PutVersion = std::function<std::optional<std::string>(const std::filesystem::path& target,
                                                            const std::filesystem::path& version)>;

std::optional<std::string> keepAs(const std::filesystem::path& collection, std::int64_t now, const PutVersion& put)
{
    const auto target = resolveLinks(collection);
    std::optional<std::string> failure;
    for (const VersionFolder& folder : versionFoldersOf(target)) {
        failure = prepareFolder(folder, target);
        if (!failure)
            failure = put(target, folder.path / nextVersionName(versionsIn(folder.path), now));
        if (!failure) {
            syncFolder(folder.path);
            prune(folder.path, now);
            return std::nullopt;
        }
    }
    return failure;
}

// In both folders, newest first.
std::vector<Version> allVersionsOf(const std::filesystem::path& collection)
{
    std::vector<Version> versions;
    for (const VersionFolder& folder : versionFoldersOf(resolveLinks(collection)))
        addVersionsIn(folder.path, versions);
    newestFirst(versions);
    return versions;
}

std::uint64_t treesIn(InputFile& file)
{
    unsigned char count[6] = {};
    const std::size_t got = file.read(reinterpret_cast<char*>(count), sizeof count);
    if (got < 2)
        return 0;
    const std::uint32_t word = count[0] | (count[1] << 8);
    if (word != 0xFFFF)
        return word;
    if (got < 6)
        return 0;
    return count[2] | (count[3] << 8) | (count[4] << 16) | (static_cast<std::uint64_t>(count[5]) << 24);
}

} // namespace

std::optional<std::string> keepVersion(const std::filesystem::path& collection, std::string_view bytes, std::int64_t now)
{
    return keepAs(collection, now, [bytes](const std::filesystem::path& target, const std::filesystem::path& version) {
        // A version is read by whoever may read the collection, and no one else: it
        // takes the collection's owner, group and ACL where this user may give them.
        const FileDescriptor old(::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        struct stat status {};
        const bool known = old.get() >= 0 && ::fstat(old.get(), &status) == 0;
        SaveTemporary temporary;
        if (auto failure = temporary.create(version))
            return failure;
        if (known) {
            keepOwner(temporary.descriptor(), status);
            keepExtendedAttributes(old.get(), temporary.descriptor());
        }
        if (::fchmod(temporary.descriptor(), known ? status.st_mode & 0666 : 0600) != 0)
            return std::optional(systemReason(errno));
        if (auto failure = temporary.write(bytes))
            return failure;
        return temporary.replaceTarget();
    });
}

std::optional<std::string> keepVersionByLink(const std::filesystem::path& collection, std::int64_t now)
{
    return keepAs(collection, now, [](const std::filesystem::path& target, const std::filesystem::path& version) {
        if (diskLink(target.c_str(), version.c_str()) != 0)
            return std::optional(systemReason(errno));
        return std::optional<std::string>();
    });
}

std::vector<std::filesystem::path> versionsLinkedTo(const std::filesystem::path& collection, const struct stat& status)
{
    std::vector<std::filesystem::path> linked;
    for (const Version& version : allVersionsOf(collection)) {
        struct stat info {};
        if (::lstat(version.file.c_str(), &info) == 0 && info.st_dev == status.st_dev && info.st_ino == status.st_ino)
            linked.push_back(version.file);
    }
    return linked;
}

std::vector<KeptVersion> listVersions(const std::filesystem::path& collection)
{
    const std::vector<Version> versions = allVersionsOf(collection);
    std::vector<KeptVersion> kept;
    for (const Version& version : versions) {
        InputFile file;
        if (file.open(version.file))
            continue;
        kept.push_back({version.file, version.savedAt, treesIn(file), file.size()});
    }
    return kept;
}

} // namespace talvane::collection
