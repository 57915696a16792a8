#include "core/collection/CollectionFile.h"

#include "core/collection/CollectionLock.h"
#include "core/collection/DiskSteps.h"
#include "core/collection/FileMetadata.h"
#include "core/collection/InPlaceSave.h"
#include "core/collection/PosixFile.h"
#include "core/collection/Sha256.h"
#include "core/collection/VersionStore.h"
#include "core/text/Words.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace talvane::collection {

namespace {

std::function<void(const std::string&)>& rollBackNoticeSink()
{
    static std::function<void(const std::string&)> sink;
    return sink;
}

CollectionSaveResult refused(SaveProblem problem, std::string reason)
{
    return {problem, std::move(reason), {}};
}

// Why this user may not replace the file, if they may not.
std::optional<std::string> notWritableReason(const std::filesystem::path& target, const struct stat& info)
{
    // Read-only to its owner means read-only, also to the superuser who could write anyway.
    if ((info.st_mode & S_IWUSR) == 0)
        return text::sayMessage(SHOWN_TEXT("it is read-only"));
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0)
        return std::nullopt;
    if (errno == EROFS)
        return text::sayMessage(SHOWN_TEXT("it is on a disk that cannot be written"));
    return text::sayMessage(SHOWN_TEXT("you may not write to it"));
}

// One checked save of a collection's bytes over the file its path leads to.
class CollectionSave {
public:
    CollectionSave(std::filesystem::path target, BytePieces bytes, bool keepVersion)
        : m_target(std::move(target)), m_bytes(std::move(bytes)), m_keepVersion(keepVersion)
    {
    }

    // Opens what is there now; a refusal when it may not be replaced.
    std::optional<CollectionSaveResult> check()
    {
        // Every way of saving writes a file beside it: a folder that refuses is a failure.
        if (::faccessat(AT_FDCWD, m_target.parent_path().c_str(), W_OK | X_OK, AT_EACCESS) != 0)
            return refused(SaveProblem::Failed, systemReason(errno));
        m_old = FileDescriptor(::open(m_target.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (m_old.get() < 0) {
            if (errno == ELOOP)
                return refused(SaveProblem::LinkMoved,
                               text::sayMessage(SHOWN_TEXT("a link was put in place of the file %1"), {m_target.string()}));
            if (errno != ENOENT)
                return refused(SaveProblem::Failed, systemReason(errno));
            return std::nullopt;
        }
        if (::fstat(m_old.get(), &m_oldStatus) != 0)
            return refused(SaveProblem::Failed, systemReason(errno));
        if (S_ISDIR(m_oldStatus.st_mode))
            return refused(SaveProblem::Failed, systemReason(EISDIR));
        if (!S_ISREG(m_oldStatus.st_mode))
            return refused(SaveProblem::Failed, text::sayMessage(SHOWN_TEXT("it is not a regular file")));
        if (auto reason = notWritableReason(m_target, m_oldStatus))
            return refused(SaveProblem::NotWritable, *reason);
        if (m_oldStatus.st_nlink > 1)
            m_linkedVersions = versionsLinkedTo(m_target, m_oldStatus);
        return std::nullopt;
    }

    bool replacing() const { return m_old.get() >= 0; }

    // Writes the bytes; on success `written` is what the file is now.
    std::optional<std::string> run(FileIdentity& written)
    {
        SaveTemporary temporary;
        if (auto failure = temporary.create(m_target))
            return failure;
        if (!replacing()) {
            if (::fchmod(temporary.descriptor(), newFileMode()) != 0)
                return systemReason(errno);
        } else if (!keepsMetadata(temporary.descriptor())) {
            return writeInPlace(written);
        }
        // The bytes are hashed as they are written, so that they are made once.
        Sha256 hash;
        if (auto failure = temporary.write(m_bytes, [&hash](std::string_view piece) {
                hash.add(piece);
                return true;
            }))
            return failure;
        struct stat status {};
        if (::fstat(temporary.descriptor(), &status) != 0)
            return systemReason(errno);
        if (replacing() && m_keepVersion)
            keepOldFileAsVersion();
        if (auto failure = temporary.replaceTarget())
            return failure;
        written = identityOf(status, hash.hex());
        return std::nullopt;
    }

private:
    // Gives the new file what the old one carries besides its bytes; false where some
    // of it cannot be kept, or where another name of the old file would lose it.
    bool keepsMetadata(int temporary) const
    {
        return m_oldStatus.st_nlink - m_linkedVersions.size() == 1 && keepOwner(temporary, m_oldStatus) &&
               ::fchmod(temporary, m_oldStatus.st_mode & 07777) == 0 &&
               keepExtendedAttributes(m_old.get(), temporary);
    }

    std::optional<std::string> writeInPlace(FileIdentity& written)
    {
        std::string oldBytes;
        if (auto failure = readAllAt(m_old.get(), oldBytes))
            return failure;
        // A version that is another name of this file would take the new bytes too.
        for (const auto& version : m_linkedVersions)
            diskRemove(version.c_str());
        if (m_keepVersion)
            keepVersion(m_target, oldBytes, m_now);
        // Writing in place compares old and new bytes: only here are they whole in memory.
        std::string newBytes;
        m_bytes([&newBytes](std::string_view piece) {
            newBytes += piece;
            return true;
        });
        return collection::writeInPlace(m_target, m_oldStatus, oldBytes, newBytes, written);
    }

    // The file about to be renamed over becomes the newest version: a link to its
    // inode costs nothing and cannot be torn; where links are refused its bytes are
    // kept instead. A version that cannot be kept is skipped: the save goes on.
    void keepOldFileAsVersion() const
    {
        // A save stopped before its rename already kept this very file.
        if (!m_linkedVersions.empty() || !keepVersionByLink(m_target, m_now))
            return;
        std::string oldBytes;
        if (!readAllAt(m_old.get(), oldBytes))
            keepVersion(m_target, oldBytes, m_now);
    }

    std::filesystem::path m_target;
    BytePieces m_bytes;
    bool m_keepVersion;
    std::int64_t m_now = std::time(nullptr);
    FileDescriptor m_old;
    struct stat m_oldStatus {};
    std::vector<std::filesystem::path> m_linkedVersions;
};

} // namespace

void setRollBackNoticeSink(std::function<void(const std::string&)> sink)
{
    rollBackNoticeSink() = std::move(sink);
}

namespace {

// A save stopped midway is rolled back before the file is read; the caller, or else the
// sink, is told of it.
void rollBackAndTell(const std::filesystem::path& path, std::string* rollBackNotice)
{
    if (auto notice = rollBackInterruptedSave(path)) {
        if (rollBackNotice)
            *rollBackNotice = std::move(*notice);
        else if (rollBackNoticeSink())
            rollBackNoticeSink()(*notice);
    }
}

// The file as it was read, hashed to its end: bytes after the last entry are part of
// what the file holds too.
SaveBaseline baselineOfRead(const ByteFeed& feed, const InputFile& file, Sha256& hash,
                            const std::filesystem::path& target)
{
    char rest[4096];
    while (feed(rest, sizeof rest) > 0) {
    }
    FileIdentity identity = file.identity();
    identity.contentHash = hash.hex();
    return {target, std::move(identity)};
}

} // namespace

std::optional<std::string> loadCollectionFile(const std::filesystem::path& path, EntryList& entries,
                                              SaveBaseline* baseline, std::string* rollBackNotice,
                                              const EntryBatches& batches)
{
    rollBackAndTell(path, rollBackNotice);
    const auto target = baseline ? resolveLinks(path) : path;
    InputFile file;
    if (auto failure = file.open(target))
        return failure;
    // The bytes are hashed as they are read, so that the file is read once.
    std::optional<Sha256> hash;
    if (baseline)
        hash.emplace();
    const ByteFeed feed = [&file, &hash](char* into, std::size_t most) {
        const std::size_t got = file.read(into, most);
        if (hash)
            hash->add(std::string_view(into, got));
        return got;
    };
    std::string reason;
    if (readCollection(feed, file.size(), entries, reason, kReadPieceBytes, batches)) {
        if (baseline)
            *baseline = baselineOfRead(feed, file, *hash, target);
        return std::nullopt;
    }
    // A failed read ends the bytes early: its reason is the one that tells the truth.
    if (file.failure())
        return file.failure();
    return text::sayMessage(SHOWN_TEXT("it is not a valid Talvane collection (%1)"), {reason});
}

CollectionSaveResult saveCollectionFile(const std::filesystem::path& path, const EntryList& entries,
                                        const CollectionSaveOptions& options)
{
    const auto target = resolveLinks(path);
    const SaveBaseline* expected = options.expected;
    if (expected && target != expected->target)
        return refused(SaveProblem::LinkMoved,
                       text::sayMessage(SHOWN_TEXT("the path no longer leads to the file that was opened, %1, but to %2"),
                                        {expected->target.string(), target.string()}));
    if (const auto holder = liveLockHolder(path); holder && !isThisProcess(*holder))
        return refused(SaveProblem::Locked, text::sayMessage(SHOWN_TEXT("it is open by %1"), {describeLockHolder(*holder)}));
    removeStaleTemporaries(target);

    CollectionSave save(
        target, [&entries](const ByteSink& sink) { return writeCollection(entries, sink); }, options.keepVersion);
    if (auto refusal = save.check())
        return *refusal;
    if (expected && !options.overwriteChanged && changedSince(*expected))
        return refused(SaveProblem::ChangedOnDisk,
                       text::sayMessage(save.replacing() ? SHOWN_TEXT("another program changed or replaced the file since it was opened")
                                                         : SHOWN_TEXT("the file was moved or deleted since it was opened")));
    CollectionSaveResult result;
    result.baseline.target = target;
    FileIdentity written;
    try {
        if (auto failure = save.run(written))
            return refused(SaveProblem::Failed, *failure);
    } catch (const std::length_error& e) {
        // A text the format cannot hold: the temporary goes, the file stays as it was.
        return refused(SaveProblem::Failed, e.what());
    }
    result.baseline.identity = std::move(written);
    return result;
}

std::optional<std::string> saveCollectionFile(const std::filesystem::path& path, const EntryList& entries)
{
    auto result = saveCollectionFile(path, entries, CollectionSaveOptions{});
    if (result)
        return std::move(result.reason);
    return std::nullopt;
}

} // namespace talvane::collection
