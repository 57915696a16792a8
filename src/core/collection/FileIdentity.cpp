#include "core/collection/FileIdentity.h"

#include "core/collection/LocalTime.h"
#include "core/collection/PosixFile.h"
#include "core/collection/SafeFile.h"
#include "core/collection/Sha256.h"
#include "core/text/Words.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace talvane::collection {

namespace {

// Opens the regular file at `path` itself for reading: a link put in its place is
// refused (ELOOP), and so is a pipe or a device, without waiting on it.
FileDescriptor openNoFollow(const std::filesystem::path& path)
{
    return FileDescriptor(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
}

std::optional<std::string> hashOf(int fd, std::string& hex)
{
    Sha256 hash;
    if (auto failure = readPieces(fd, [&hash](std::string_view piece) { hash.add(piece); }))
        return failure;
    hex = hash.hex();
    return std::nullopt;
}

} // namespace

FileIdentity identityOf(const struct stat& status, std::string contentHash)
{
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino),
            static_cast<std::uint64_t>(status.st_size),
            static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec,
            std::move(contentHash)};
}

std::optional<SaveBaseline> measureBaseline(const std::filesystem::path& path, std::string* failure)
{
    const auto fail = [failure](std::string reason) -> std::optional<SaveBaseline> {
        if (failure)
            *failure = std::move(reason);
        return std::nullopt;
    };
    SaveBaseline baseline{resolveLinks(path), std::nullopt};
    const FileDescriptor fd = openNoFollow(baseline.target);
    if (fd.get() < 0)
        return errno == ENOENT ? std::optional(baseline) : fail(systemReason(errno));
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return fail(systemReason(errno));
    if (!S_ISREG(info.st_mode))
        return fail(text::sayMessage(SHOWN_TEXT("it is not a regular file")));
    std::string hash;
    if (auto reason = hashOf(fd.get(), hash))
        return fail(*reason);
    baseline.identity = identityOf(info, std::move(hash));
    return baseline;
}

bool changedSince(const SaveBaseline& baseline)
{
    const FileDescriptor fd = openNoFollow(baseline.target);
    if (fd.get() < 0)
        return baseline.identity || errno != ENOENT;
    struct stat info {};
    if (!baseline.identity || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return true;
    const FileIdentity& was = *baseline.identity;
    FileIdentity now = identityOf(info);
    if (now.size != was.size)
        return true;
    now.contentHash = was.contentHash;
    if (now == was)
        return false;
    // Written again or replaced: only the bytes tell whether it holds something else.
    std::string hash;
    return hashOf(fd.get(), hash) || hash != was.contentHash;
}

std::filesystem::path conflictCopyPath(const std::filesystem::path& collection, std::int64_t now)
{
    const std::string marker = " (conflict " + localTimeText(now, "%Y-%m-%d %H%M") + ")";
    const std::string extension = fileNamePrefix(collection.extension().string(), kLongestFileName / 2);
    for (int copy = 1;; ++copy) {
        const std::string tail = marker + (copy == 1 ? "" : " " + std::to_string(copy)) + extension;
        // A long name gives up the end of its own part, so that the copy's name still fits.
        const std::string stem = fileNamePrefix(collection.stem().string(), kLongestFileName - tail.size());
        auto candidate = collection.parent_path() / (stem + tail);
        std::error_code ignored;
        if (!std::filesystem::exists(std::filesystem::symlink_status(candidate, ignored)))
            return candidate;
    }
}

} // namespace talvane::collection
