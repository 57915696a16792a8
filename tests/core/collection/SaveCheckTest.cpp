#include "core/collection/CollectionFile.h"
#include "core/collection/InPlaceSave.h"
#include "core/collection/CollectionLock.h"

#include "core/collection/Sha256.h"
#include "core/collection/VersionStore.h"
#include "support/core/TempDir.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace talvane::collection;

namespace {

EntryList trees(std::size_t count, const std::string& tag)
{
    EntryList entries;
    for (std::size_t i = 0; i < count; ++i) {
        entries.push_back(std::make_unique<CBonsaiData>());
        (*entries.back())[CBonsaiData::Name] = tag + " " + std::to_string(i);
    }
    return entries;
}

// What another program does when it saves by rename: a new file takes the name.
void renameOver(const std::filesystem::path& file, const std::string& bytes)
{
    const auto other = file.parent_path() / "other-program.tmp";
    writeFileBytes(other, bytes);
    std::filesystem::rename(other, file);
}

SaveBaseline opened(const std::filesystem::path& file)
{
    EntryList entries;
    SaveBaseline baseline;
    EXPECT_FALSE(loadCollectionFile(file, entries, &baseline));
    return baseline;
}

ino_t inodeOf(const std::filesystem::path& file)
{
    struct stat info {};
    EXPECT_EQ(::stat(file.c_str(), &info), 0);
    return info.st_ino;
}

mode_t modeOf(const std::filesystem::path& file)
{
    struct stat info {};
    EXPECT_EQ(::stat(file.c_str(), &info), 0);
    return info.st_mode & 07777;
}

// What `work` gives when run by an ordinary user (nobody) in a child process.
std::string asAnotherUser(const std::function<std::string()>& work)
{
    int ends[2];
    if (::pipe(ends) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ends[0]);
        const std::string said = ::setgid(65534) == 0 && ::setuid(65534) == 0 ? work() : "cannot become nobody";
        [[maybe_unused]] const auto put = ::write(ends[1], said.data(), said.size());
        ::_exit(0);
    }
    ::close(ends[1]);
    std::string said;
    char piece[256];
    for (ssize_t got; (got = ::read(ends[0], piece, sizeof piece)) > 0;)
        said.append(piece, static_cast<std::size_t>(got));
    ::close(ends[0]);
    ::waitpid(child, nullptr, 0);
    return said;
}

// Overwrites the file's content in place, as an in-place save stopped half-way leaves it.
void tear(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes.substr(0, bytes.size() / 2);
}

} // namespace

TEST(SaveCheck, AFileChangedOnDiskSinceItWasOpenedIsNotWrittenOverUnlessTheUserSaysSo)
{
    TempDir dir;
    const auto file = dir / "trees.tvn";
    ASSERT_FALSE(saveCollectionFile(file, trees(3, "mine")));
    const std::string mine = readFileBytes(file);
    SaveBaseline baseline = opened(file);
    ASSERT_TRUE(baseline.identity);
    EXPECT_EQ(baseline.identity->contentHash, sha256Hex(mine)) << "hashed while read";
    EXPECT_EQ(baseline.identity->size, mine.size());
    EXPECT_EQ(measureBaseline(file)->identity, baseline.identity);
    EXPECT_FALSE(changedSince(baseline));
    const CollectionSaveOptions checked{.expected = &baseline};

    // The same bytes under a new inode and time: nothing to lose, the save goes on.
    renameOver(file, mine);
    EXPECT_FALSE(changedSince(baseline));
    auto saved = saveCollectionFile(file, trees(3, "mine"), checked);
    ASSERT_FALSE(saved) << saved.reason;
    EXPECT_EQ(saved.baseline.identity, measureBaseline(file)->identity) << "the next save compares with this";
    baseline = saved.baseline;

    // Another program saved by rename: only the bytes tell, the size is the same.
    const std::string theirs = writeCollection(trees(3, "MINE"));
    ASSERT_EQ(theirs.size(), mine.size());
    renameOver(file, theirs);
    EXPECT_TRUE(changedSince(baseline));
    saved = saveCollectionFile(file, trees(5, "mine"), checked);
    EXPECT_EQ(saved.problem, SaveProblem::ChangedOnDisk);
    EXPECT_EQ(saved.reason, "another program changed or replaced the file since it was opened");
    EXPECT_EQ(readFileBytes(file), theirs);

    // Copied over it: the same inode with other bytes.
    baseline = opened(file);
    const std::string copied = writeCollection(trees(4, "theirs"));
    writeFileBytes(file, copied);
    EXPECT_EQ(saveCollectionFile(file, trees(5, "mine"), checked).problem, SaveProblem::ChangedOnDisk);
    EXPECT_EQ(readFileBytes(file), copied);

    saved = saveCollectionFile(file, trees(5, "mine"), {.expected = &baseline, .overwriteChanged = true});
    ASSERT_FALSE(saved) << saved.reason;
    EXPECT_EQ(readFileBytes(file), writeCollection(trees(5, "mine")));

    baseline = saved.baseline;
    std::filesystem::remove(file);
    saved = saveCollectionFile(file, trees(6, "mine"), checked);
    EXPECT_EQ(saved.problem, SaveProblem::ChangedOnDisk);
    EXPECT_EQ(saved.reason, "the file was moved or deleted since it was opened");
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(SaveCheck, ALinkSwappedInIsRefusedWhileALinkThereAtOpenIsWrittenThrough)
{
    TempDir dir;
    const auto shared = dir / "shared.tvn";
    const auto secret = dir / "private.tvn";
    ASSERT_FALSE(saveCollectionFile(shared, trees(1, "shared")));
    ASSERT_FALSE(saveCollectionFile(secret, trees(1, "private")));
    const std::string secretBytes = readFileBytes(secret);
    const SaveBaseline sharedAtOpen = opened(shared);

    // A link put in its place is never followed, even to the very same bytes.
    std::filesystem::copy_file(shared, dir / "copy.tvn");
    std::filesystem::remove(shared);
    std::filesystem::create_symlink(dir / "copy.tvn", shared);
    EXPECT_TRUE(changedSince(sharedAtOpen));

    // Someone replaces the shared collection by a link to another user's private file.
    std::filesystem::remove(shared);
    std::filesystem::create_symlink(secret, shared);
    const auto refused = saveCollectionFile(shared, trees(2, "shared"), {.expected = &sharedAtOpen});
    EXPECT_EQ(refused.problem, SaveProblem::LinkMoved);
    EXPECT_NE(refused.reason.find(secret.string()), std::string::npos) << refused.reason;
    EXPECT_EQ(readFileBytes(secret), secretBytes);
    EXPECT_TRUE(std::filesystem::is_symlink(shared));

    const auto link = dir / "link.tvn";
    const auto real = dir / "real.tvn";
    ASSERT_FALSE(saveCollectionFile(real, trees(1, "real")));
    std::filesystem::create_symlink("real.tvn", link);
    const SaveBaseline linkAtOpen = opened(link);
    EXPECT_EQ(linkAtOpen.target, std::filesystem::canonical(real));
    const auto saved = saveCollectionFile(link, trees(2, "real"), {.expected = &linkAtOpen});
    ASSERT_FALSE(saved) << saved.reason;
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readFileBytes(real), writeCollection(trees(2, "real")));

    // The link moved to another file since.
    std::filesystem::remove(link);
    std::filesystem::create_symlink(secret, link);
    EXPECT_EQ(saveCollectionFile(link, trees(3, "real"), {.expected = &saved.baseline}).problem,
              SaveProblem::LinkMoved);
    EXPECT_EQ(readFileBytes(secret), secretBytes);
}

TEST(SaveCheck, ASaveKeepsTheModeAndHardLinksAndRefusesAReadOnlyFile)
{
    TempDir dir;
    const auto file = dir / "trees.tvn";
    ASSERT_FALSE(saveCollectionFile(file, trees(1, "first")));
    for (const mode_t mode : {0600, 0640}) {
        ASSERT_EQ(::chmod(file.c_str(), mode), 0);
        ASSERT_FALSE(saveCollectionFile(file, trees(2, "mode")));
        EXPECT_EQ(modeOf(file), mode);
    }

    const auto otherName = dir / "also.tvn";
    std::filesystem::create_hard_link(file, otherName);
    const ino_t inode = inodeOf(file);
    const std::string before = readFileBytes(file);
    ASSERT_FALSE(saveCollectionFile(file, trees(3, "linked")));
    EXPECT_EQ(readFileBytes(file), writeCollection(trees(3, "linked")));
    EXPECT_EQ(readFileBytes(otherName), readFileBytes(file));
    EXPECT_EQ(inodeOf(file), inode) << "written in place";
    EXPECT_EQ(std::filesystem::hard_link_count(file), 2u);
    EXPECT_EQ(folderNames(dir.path()), (std::vector<std::string>{".talvane-versions", "also.tvn", "trees.tvn"}))
        << "the backup is gone";
    const auto versions = listVersions(file);
    ASSERT_FALSE(versions.empty());
    EXPECT_EQ(readFileBytes(versions.front().file), before) << "copied before the file was written in place";

    // Read-only by its mode: refused even for the superuser, who could write it.
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    const std::string readOnly = readFileBytes(file);
    const auto refused = saveCollectionFile(file, trees(4, "refused"), {});
    EXPECT_EQ(refused.problem, SaveProblem::NotWritable);
    EXPECT_EQ(refused.reason, "it is read-only");
    EXPECT_EQ(readFileBytes(file), readOnly);
    EXPECT_EQ(modeOf(file), 0444u);
}

TEST(SaveCheck, AnotherUsersFileIsWrittenInPlaceWhereItIsSharedAndRefusedWhereNot)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the superuser can give files to another user to save over";
    TempDir dir;
    std::filesystem::permissions(dir.path(), std::filesystem::perms::all);
    const auto shared = dir / "shared.tvn";
    const auto others = dir / "others.tvn";
    ASSERT_FALSE(saveCollectionFile(shared, trees(1, "shared")));
    ASSERT_FALSE(saveCollectionFile(others, trees(1, "others")));
    ASSERT_EQ(::chmod(shared.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(others.c_str(), 0644), 0);
    const ino_t inode = inodeOf(shared);
    const std::string othersBytes = readFileBytes(others);

    const std::string said = asAnotherUser([&] {
        const auto sharedSave = saveCollectionFile(shared, trees(2, "shared"), {});
        const auto othersSave = saveCollectionFile(others, trees(2, "others"), {});
        return sharedSave.reason + "|" + std::to_string(static_cast<int>(othersSave.problem)) + "|" +
               othersSave.reason;
    });
    EXPECT_EQ(said, "|" + std::to_string(static_cast<int>(SaveProblem::NotWritable)) + "|you may not write to it");
    EXPECT_EQ(readFileBytes(shared), writeCollection(trees(2, "shared")));
    struct stat info {};
    ASSERT_EQ(::stat(shared.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 0u) << "the file stays its owner's";
    EXPECT_EQ(info.st_ino, inode);
    EXPECT_EQ(info.st_mode & 07777, 0666u);
    EXPECT_EQ(readFileBytes(others), othersBytes);
}

TEST(SaveCheck, ASaveKeepsExtendedAttributes)
{
    TempDir dir;
    const auto file = dir / "trees.tvn";
    ASSERT_FALSE(saveCollectionFile(file, trees(1, "first")));
    if (::setxattr(file.c_str(), "user.talvane.test", "kept", 4, 0) != 0)
        GTEST_SKIP() << "this file system takes no user attributes: " << std::strerror(errno);
    const ino_t inode = inodeOf(file);
    ASSERT_FALSE(saveCollectionFile(file, trees(2, "second")));
    char value[16] = {};
    EXPECT_EQ(::getxattr(file.c_str(), "user.talvane.test", value, sizeof value), 4);
    EXPECT_STREQ(value, "kept");
    EXPECT_NE(inodeOf(file), inode) << "a file whose attributes can be copied is replaced by rename";
}

TEST(SaveCheck, AFileNameOf255BytesSavesThroughShortenedTemporaries)
{
    TempDir dir;
    const std::string name = std::string(251, 'n') + ".tvn";
    const auto file = dir / name;
    ASSERT_FALSE(saveCollectionFile(file, trees(1, "first")));
    ASSERT_FALSE(saveCollectionFile(file, trees(2, "second"), {.keepVersion = false}));
    EXPECT_EQ(readFileBytes(file), writeCollection(trees(2, "second")));
    EXPECT_EQ(folderNames(dir.path()), std::vector<std::string>{name});

    const auto twin = dir / (std::string(251, 'n') + ".tv2");
    SaveTemporary left, leftByTwin;
    ASSERT_FALSE(left.create(file));
    ASSERT_FALSE(leftByTwin.create(twin));
    const std::string temporary = left.path().filename().string();
    EXPECT_LE(temporary.size(), 255u);
    EXPECT_EQ(temporary.substr(0, 100), "." + name.substr(0, 99));
    const std::string twinTemporary = leftByTwin.path().filename().string();
    EXPECT_NE(temporary.substr(0, temporary.size() - 6), twinTemporary.substr(0, twinTemporary.size() - 6))
        << "the hash keeps the temporaries of two long names apart";
}

TEST(SaveCheck, OnlyThisCollectionsTemporariesThatNoWriterHoldsAreRemoved)
{
    TempDir dir;
    const auto file = dir / "trees.tvn";
    ASSERT_FALSE(saveCollectionFile(file, trees(1, "first")));
    // Another collection's, one of a collection named "trees.tvn.saving-x.tvn", the
    // backup of an interrupted write in place, and a file of the user's.
    const std::vector<std::string> kept = {".other.tvn.saving-AAAAAA", ".trees.tvn.backup-CCCCCC",
                                           ".trees.tvn.saving-x.tvn.saving-BBBBBB", "notes.txt", "trees.tvn"};
    for (const auto& name : {".other.tvn.saving-AAAAAA", ".trees.tvn.saving-x.tvn.saving-BBBBBB",
                             ".trees.tvn.backup-CCCCCC", "notes.txt", ".trees.tvn.saving-DDDDDD",
                             ".trees.tvn.saving-EEEEEE"})
        writeFileBytes(dir / name, "left");

    // A live writer, in another process, holds its temporary.
    int ready[2], done[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(done), 0);
    const pid_t writer = ::fork();
    if (writer == 0) {
        const int fd = ::open((dir / ".trees.tvn.saving-EEEEEE").c_str(), O_RDONLY);
        const char signal = ::flock(fd, LOCK_EX) == 0 ? 'y' : 'n';
        [[maybe_unused]] auto put = ::write(ready[1], &signal, 1);
        char end;
        [[maybe_unused]] auto got = ::read(done[0], &end, 1);
        ::_exit(0);
    }
    char signal = 0;
    ASSERT_EQ(::read(ready[0], &signal, 1), 1);
    ASSERT_EQ(signal, 'y');

    EXPECT_EQ(removeStaleTemporaries(file), 1u);
    auto expected = kept;
    expected.insert(expected.begin() + 2, ".trees.tvn.saving-EEEEEE");
    EXPECT_EQ(folderNames(dir.path()), expected);

    ASSERT_EQ(::write(done[1], "x", 1), 1);
    int status = 0;
    ::waitpid(writer, &status, 0);
    // Every save sweeps them too.
    ASSERT_FALSE(saveCollectionFile(file, trees(2, "second"), {.keepVersion = false}));
    EXPECT_EQ(folderNames(dir.path()), kept);

    // The shortened temporaries of a long name are this collection's too.
    const auto longFile = dir / (std::string(250, 'l') + ".tvn");
    std::filesystem::path leftover;
    {
        SaveTemporary interrupted;
        ASSERT_FALSE(interrupted.create(longFile));
        leftover = interrupted.path();
        EXPECT_EQ(removeStaleTemporaries(longFile), 0u) << "held while it lives";
    }
    writeFileBytes(leftover, "left by a save that stopped");
    EXPECT_EQ(removeStaleTemporaries(file), 0u);
    EXPECT_EQ(removeStaleTemporaries(longFile), 1u);
    EXPECT_EQ(folderNames(dir.path()), kept);
}

TEST(SaveCheck, AConflictCopyIsNamedBesideTheCollectionByTheTime)
{
    TempDir dir;
    const std::int64_t now = localSeconds(15, 12, 40);
    const auto collection = dir / "sample.tvn";
    EXPECT_EQ(conflictCopyPath(collection, now), dir / "sample (conflict 2026-12-08 1512).tvn");
    writeFileBytes(dir / "sample (conflict 2026-12-08 1512).tvn", "");
    EXPECT_EQ(conflictCopyPath(collection, now), dir / "sample (conflict 2026-12-08 1512) 2.tvn");
    writeFileBytes(dir / "sample (conflict 2026-12-08 1512) 2.tvn", "");
    EXPECT_EQ(conflictCopyPath(collection, now), dir / "sample (conflict 2026-12-08 1512) 3.tvn");

    // A name of 250 bytes gives up the end of its own part, never half a character.
    const auto longName = dir / (std::string(223, 'n') + "\xC3\xA9" + std::string(21, 'x') + ".tvn");
    EXPECT_EQ(conflictCopyPath(longName, now).filename().string(), std::string(223, 'n') + " (conflict 2026-12-08 1512).tvn");
    ASSERT_FALSE(saveCollectionFile(conflictCopyPath(longName, now), trees(1, "copy")));
    EXPECT_EQ(conflictCopyPath(longName, now).filename().string(),
              std::string(222, 'n') + " (conflict 2026-12-08 1512) 2.tvn");
}

TEST(SaveCheck, AWriteStoppedHalfWayIsPutBackOnceAtTheNextOpenAndOnlyFromItsOwnCopy)
{
    TempDir dir;
    const auto file = dir / "trees.tvn";
    const std::string old = writeCollection(trees(3, "old"));
    ASSERT_FALSE(saveCollectionFile(file, trees(3, "old")));
    std::filesystem::create_hard_link(file, dir / "elsewhere.tvn");
    const auto backup = inPlaceBackupPath(file, inodeOf(file));
    EXPECT_EQ(backup, dir / (".trees.tvn.backup." + std::to_string(inodeOf(file))));

    // Torn with its complete copy beside it: put back, said once, the copy gone.
    writeFileBytes(backup, old);
    tear(file, writeCollection(trees(5, "new")));
    EntryList entries;
    std::string notice;
    ASSERT_FALSE(loadCollectionFile(file, entries, nullptr, &notice));
    EXPECT_EQ(notice, "trees.tvn was put back as it was before a save that did not finish");
    EXPECT_EQ(writeCollection(entries), old);
    EXPECT_EQ(readFileBytes(dir / "elsewhere.tvn"), old) << "put back in place: every name sees it";
    EXPECT_FALSE(std::filesystem::exists(backup));
    notice.clear();
    entries.clear();
    ASSERT_FALSE(loadCollectionFile(file, entries, nullptr, &notice));
    EXPECT_EQ(notice, "");

    // Not put back: a copy made of another file (the collection was replaced since),
    // a copy that is not whole, a temporary, and a copy while another program holds the lock.
    tear(file, old);
    writeFileBytes(dir / ".trees.tvn.backup.1", old);
    writeFileBytes(dir / ".trees.tvn.saving-Ab12Cd", old);
    writeFileBytes(dir / ".trees.tvn.backup-Zz99Yy", old.substr(0, 100));
    EXPECT_TRUE(loadCollectionFile(file, entries));
    EXPECT_EQ(saveBackupsBeside(file), std::vector<std::filesystem::path>{dir / ".trees.tvn.backup.1"})
        << "only whole copies are offered";

    writeFileBytes(backup, old);
    writeFileBytes(lockFilePathOf(file), "4242\ntalvane\nanother-computer\n\n\n");
    EXPECT_TRUE(loadCollectionFile(file, entries)) << "its holder may be saving it now";
    EXPECT_TRUE(std::filesystem::exists(backup));
    std::filesystem::remove(lockFilePathOf(file));
    EXPECT_FALSE(loadCollectionFile(file, entries));
}

TEST(SaveCheck, VersionsOfAFileWrittenInPlaceKeepItsModeAndAttributes)
{
    TempDir dir;
    const auto file = dir / "trees.tvn";
    ASSERT_FALSE(saveCollectionFile(file, trees(2, "old")));
    std::filesystem::create_hard_link(file, dir / "second.tvn");
    ::chmod(file.c_str(), 0640);
    const bool attributes = ::setxattr(file.c_str(), "user.grower", "Ann", 3, 0) == 0;

    ASSERT_FALSE(saveCollectionFile(file, trees(4, "new")));
    EXPECT_TRUE(saveBackupsBeside(file).empty()) << "the copy goes once the new bytes are on disk";
    const auto versions = listVersions(file);
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(readFileBytes(versions[0].file), writeCollection(trees(2, "old")));
    struct stat info {};
    ASSERT_EQ(::stat(versions[0].file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    if (attributes) {
        char value[8] = {};
        EXPECT_EQ(::getxattr(versions[0].file.c_str(), "user.grower", value, sizeof value), 3);
        EXPECT_STREQ(value, "Ann");
    }
}
