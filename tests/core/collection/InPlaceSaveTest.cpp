#include "collection/CollectionFile.h"
#include "collection/CollectionLock.h"
#include "collection/InPlaceSave.h"
#include "collection/VersionStore.h"

#include "core/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace {

EntryList Trees(std::size_t count, const std::string& tag)
{
    EntryList entries;
    for (std::size_t i = 0; i < count; ++i) {
        entries.push_back(std::make_unique<CBonsaiData>());
        (*entries.back())[CBonsaiData::Name] = tag + " " + std::to_string(i);
        (*entries.back())[CBonsaiData::History] = std::string(500, 'h');
    }
    return entries;
}

std::uint64_t InodeOf(const std::filesystem::path& file)
{
    struct stat info {};
    EXPECT_EQ(::stat(file.c_str(), &info), 0);
    return info.st_ino;
}

// Overwrites the file's content in place, as an in-place save stopped half-way leaves it.
void Tear(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes.substr(0, bytes.size() / 2);
}

} // namespace

TEST(InPlaceSave, AWriteStoppedHalfWayIsPutBackOnceAtTheNextOpenAndOnlyFromItsOwnCopy)
{
    TempDir dir;
    const auto file = dir / "trees.tvn";
    const std::string old = WriteCollection(Trees(3, "old"));
    ASSERT_FALSE(SaveCollectionFile(file, Trees(3, "old")));
    std::filesystem::create_hard_link(file, dir / "elsewhere.tvn");
    const auto backup = InPlaceBackupPath(file, InodeOf(file));
    EXPECT_EQ(backup, dir / (".trees.tvn.backup." + std::to_string(InodeOf(file))));

    // Torn with its complete copy beside it: put back, said once, the copy gone.
    WriteFileBytes(backup, old);
    Tear(file, WriteCollection(Trees(5, "new")));
    EntryList entries;
    std::string notice;
    ASSERT_FALSE(LoadCollectionFile(file, entries, nullptr, &notice));
    EXPECT_EQ(notice, "trees.tvn was put back as it was before a save that did not finish");
    EXPECT_EQ(WriteCollection(entries), old);
    EXPECT_EQ(ReadFileBytes(dir / "elsewhere.tvn"), old) << "put back in place: every name sees it";
    EXPECT_FALSE(std::filesystem::exists(backup));
    notice.clear();
    entries.clear();
    ASSERT_FALSE(LoadCollectionFile(file, entries, nullptr, &notice));
    EXPECT_EQ(notice, "");

    // Not put back: a copy made of another file (the collection was replaced since),
    // a copy that is not whole, a temporary, and a copy while another program holds the lock.
    Tear(file, old);
    WriteFileBytes(dir / ".trees.tvn.backup.1", old);
    WriteFileBytes(dir / ".trees.tvn.saving-Ab12Cd", old);
    WriteFileBytes(dir / ".trees.tvn.backup-Zz99Yy", old.substr(0, 100));
    EXPECT_TRUE(LoadCollectionFile(file, entries));
    EXPECT_EQ(SaveBackupsBeside(file), std::vector<std::filesystem::path>{dir / ".trees.tvn.backup.1"})
        << "only whole copies are offered";

    WriteFileBytes(backup, old);
    WriteFileBytes(LockFilePathOf(file), "4242\ntalvane\nanother-computer\n\n\n");
    EXPECT_TRUE(LoadCollectionFile(file, entries)) << "its holder may be saving it now";
    EXPECT_TRUE(std::filesystem::exists(backup));
    std::filesystem::remove(LockFilePathOf(file));
    EXPECT_FALSE(LoadCollectionFile(file, entries));
}

TEST(InPlaceSave, VersionsOfAFileWrittenInPlaceKeepItsModeAndAttributes)
{
    TempDir dir;
    const auto file = dir / "trees.tvn";
    ASSERT_FALSE(SaveCollectionFile(file, Trees(2, "old")));
    std::filesystem::create_hard_link(file, dir / "second.tvn");
    ::chmod(file.c_str(), 0640);
    const bool attributes = ::setxattr(file.c_str(), "user.grower", "Ann", 3, 0) == 0;

    ASSERT_FALSE(SaveCollectionFile(file, Trees(4, "new")));
    EXPECT_TRUE(SaveBackupsBeside(file).empty()) << "the copy goes once the new bytes are on disk";
    const auto versions = ListVersions(file);
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(ReadFileBytes(versions[0].file), WriteCollection(Trees(2, "old")));
    struct stat info {};
    ASSERT_EQ(::stat(versions[0].file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    if (attributes) {
        char value[8] = {};
        EXPECT_EQ(::getxattr(versions[0].file.c_str(), "user.grower", value, sizeof value), 3);
        EXPECT_STREQ(value, "Ann");
    }
}

TEST(InPlaceSave, AConflictCopyOfALongNameFitsTheFileSystem)
{
    TempDir dir;
    // 250 bytes with a character of two bytes across where the name must be cut.
    const std::string stem = std::string(223, 'n') + "\xC3\xA9" + std::string(21, 'x');
    const auto file = dir / (stem + ".tvn");
    ASSERT_FALSE(SaveCollectionFile(file, Trees(1, "kept")));
    const auto now = LocalSeconds(15, 12, 0);
    const auto copy = ConflictCopyPath(file, now);
    EXPECT_EQ(copy.filename().string(), std::string(223, 'n') + " (conflict 2026-12-08 1512).tvn");
    ASSERT_FALSE(SaveCollectionFile(copy, Trees(1, "copy")));
    EXPECT_EQ(ConflictCopyPath(file, now).filename().string(),
              std::string(222, 'n') + " (conflict 2026-12-08 1512) 2.tvn");
    ASSERT_FALSE(SaveCollectionFile(ConflictCopyPath(file, now), Trees(1, "copy")));
}
