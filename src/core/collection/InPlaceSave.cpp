#include "core/collection/InPlaceSave.h"

#include "core/collection/CollectionArchive.h"
#include "core/collection/CollectionLock.h"
#include "core/collection/DiskSteps.h"
#include "core/collection/FileMetadata.h"
#include "core/collection/PosixFile.h"
#include "core/collection/SafeFile.h"
#include "core/collection/Sha256.h"
#include "core/text/Words.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace talvane::collection {

namespace {

constexpr std::string_view kBackupTail = ".backup";

std::filesystem::path folderOf(const std::filesystem::path& file)
{
    return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

// Opens the regular file `target` itself for writing; refused when it is no longer
// the file `expected` describes.
std::optional<std::string> openSameFile(const std::filesystem::path& target, const struct stat& expected,
                                        FileDescriptor& fd)
{
    fd = FileDescriptor(::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0)
        return systemReason(errno);
    if (info.st_dev != expected.st_dev || info.st_ino != expected.st_ino)
        return text::sayMessage(SHOWN_TEXT("another program replaced the file while it was being saved"));
    return std::nullopt;
}

bool putContent(int fd, std::string_view content)
{
    return diskTruncate(fd, 0) == 0 && ::lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, content) && diskFlush(fd) == 0;
}

// Removes the copy once the file it was made of is whole again: after this the save
// counts as done.
std::optional<std::string> removeBackup(const std::filesystem::path& backup)
{
    if (diskRemove(backup.c_str()) != 0)
        return systemReason(errno);
    syncFolder(folderOf(backup));
    return std::nullopt;
}

// Writes the complete copy, flushed, and only then gives it its name. It is given the
// collection's owner, group, mode and ACL where this user may, so that whoever may
// read the collection may read its copy.
std::optional<std::string> makeBackup(const std::filesystem::path& target, int targetFd, const struct stat& status,
                                      std::string_view oldBytes, const std::filesystem::path& backup)
{
    SaveTemporary copy;
    if (auto failure = copy.create(target))
        return failure;
    keepOwner(copy.descriptor(), status);
    if (::fchmod(copy.descriptor(), status.st_mode & 07777) != 0)
        return systemReason(errno);
    keepExtendedAttributes(targetFd, copy.descriptor());
    if (auto failure = copy.write(oldBytes))
        return failure;
    return copy.moveTo(backup);
}

std::string keptBackupReason(const std::string& reason, const std::filesystem::path& backup)
{
    return text::sayMessage(SHOWN_TEXT("%1; the file as it was is kept in %2 and is put back when the collection is "
                                       "next opened"),
                            {reason, backup.string()});
}

bool holdsWholeCollection(const std::filesystem::path& file, std::string& bytes)
{
    EntryList entries;
    std::string reason;
    return !readWholeFile(file, bytes) && readCollection(bytes, entries, reason);
}

// ".name.backup.123" or, as earlier versions named theirs, ".name.backup-Ab3xYz"; for a
// long name, its shortened form with the hash of the whole name.
bool isBackupOf(std::string_view fileName, const std::string& collectionName)
{
    const auto followedByMark = [fileName](std::size_t end) {
        return end < fileName.size() && (fileName[end] == '.' || fileName[end] == '-');
    };
    const std::string whole = "." + collectionName + std::string(kBackupTail);
    if (fileName.starts_with(whole) && followedByMark(whole.size()))
        return true;
    const std::string hashed = "~" + sha256Hex(collectionName).substr(0, 12) + std::string(kBackupTail);
    const std::size_t at = fileName.find(hashed);
    return fileName.starts_with(".") && at != std::string_view::npos && followedByMark(at + hashed.size());
}

} // namespace

std::filesystem::path inPlaceBackupPath(const std::filesystem::path& target, std::uint64_t inode)
{
    return folderOf(target) /
           sideFileName(target.filename().string(), std::string(kBackupTail) + "." + std::to_string(inode));
}

std::optional<std::string> writeInPlace(const std::filesystem::path& target, const struct stat& expected,
                                        std::string_view oldBytes, std::string_view bytes, FileIdentity& written)
{
    FileDescriptor fd;
    if (auto failure = openSameFile(target, expected, fd))
        return failure;
    const auto backup = inPlaceBackupPath(target, expected.st_ino);
    if (auto failure = makeBackup(target, fd.get(), expected, oldBytes, backup))
        return failure;
    if (!putContent(fd.get(), bytes)) {
        const std::string reason = systemReason(errno);
        if (putContent(fd.get(), oldBytes) && !removeBackup(backup))
            return reason;
        return keptBackupReason(reason, backup);
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return systemReason(errno);
    // The copy still there would put the old bytes back at the next open: the save
    // has not happened until it is gone.
    if (auto failure = removeBackup(backup))
        return keptBackupReason(*failure, backup);
    written = identityOf(info, sha256Hex(bytes));
    return std::nullopt;
}

std::optional<std::string> rollBackInterruptedSave(const std::filesystem::path& collection)
{
    const auto target = resolveLinks(collection);
    struct stat status {};
    if (::stat(target.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    const auto backup = inPlaceBackupPath(target, status.st_ino);
    struct stat backupStatus {};
    if (::lstat(backup.c_str(), &backupStatus) != 0 || !S_ISREG(backupStatus.st_mode))
        return std::nullopt;
    const auto holder = liveLockHolder(target);
    if (holder && !isThisProcess(*holder))
        return std::nullopt;
    std::optional<CommandLock> lock;
    if (!holder && !(lock = CommandLock::take(target)))
        return std::nullopt;

    const std::string name = target.filename().string();
    std::string bytes;
    if (!holdsWholeCollection(backup, bytes))
        return std::nullopt;
    FileDescriptor fd;
    std::optional<std::string> failure = openSameFile(target, status, fd);
    if (!failure && !putContent(fd.get(), bytes))
        failure = systemReason(errno);
    if (!failure)
        failure = removeBackup(backup);
    if (failure)
        return text::sayMessage(SHOWN_TEXT("%1 could not be put back as it was before a save that did not finish: "
                                           "%2. Its copy is kept in %3"),
                                {name, *failure, backup.string()});
    return text::sayMessage(SHOWN_TEXT("%1 was put back as it was before a save that did not finish"), {name});
}

std::vector<std::filesystem::path> saveBackupsBeside(const std::filesystem::path& collection)
{
    const auto target = resolveLinks(collection);
    const std::string name = target.filename().string();
    std::vector<std::pair<std::filesystem::file_time_type, std::filesystem::path>> found;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folderOf(target), error), end; !error && it != end; it.increment(error)) {
        std::string bytes;
        std::error_code timeError;
        if (isBackupOf(it->path().filename().native(), name) && holdsWholeCollection(it->path(), bytes))
            found.emplace_back(std::filesystem::last_write_time(it->path(), timeError), it->path());
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<std::filesystem::path> backups;
    for (auto& [time, path] : found)
        backups.push_back(std::move(path));
    return backups;
}

} // namespace talvane::collection
