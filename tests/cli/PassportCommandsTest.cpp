#include "core/collection/CollectionFile.h"
#include "core/collection/CollectionLock.h"
#include "core/collection/TreeIdentity.h"
#include "core/collection/VersionStore.h"
#include "core/journal/Journal.h"

#include "support/core/CompanionRun.h"
#include "support/core/JournalTestTrees.h"
#include "support/core/PhotoTestFiles.h"
#include "support/core/TempDir.h"

#include <gtest/gtest.h>

using namespace talvane::collection;

using namespace talvane::journal;

namespace {

// A giver's collection whose pine has a timeline photo (and names an album picture
// that is missing), and a receiver's collection of one tree.
class PassportCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(m_dir / "giver");
        std::filesystem::create_directories(m_dir / "receiver");
        ASSERT_FALSE(saveCollectionFile(m_dir / "giver" / "trees.tvn", twoTrees()));
        EntryList own;
        addTree(own, "Juniper", {});
        ASSERT_FALSE(saveCollectionFile(receiver(), own));
        writeJpegWithExif((m_dir / "a.jpg").string(), {.dateTimeOriginal = "2025:10:05 09:00:00"});
        const CompanionRun added = runCompanion(m_dir, "photo-add giver/trees.tvn --entry 1 a.jpg");
        ASSERT_EQ(added.status, 0) << added.err;
    }

    std::filesystem::path receiver() const { return m_dir / "receiver" / "own.tvn"; }

    TempDir m_dir;
};

TEST_F(PassportCommands, ExportThenImportAddsTheTreeWithItsPhotoAndKeepsTheCollectionAsAVersion)
{
    const CompanionRun exported = runCompanion(m_dir, "passport-export giver/trees.tvn --entry 1 Pine.tvp --giver 'Anna Ødegård'");
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out, "");
    EXPECT_EQ(exported.err, "talvane-cli: Pine.tvp: Album/pine.bmp is missing and was left out\n");

    const std::string before = readFileBytes(receiver());
    const CompanionRun imported = runCompanion(m_dir, "passport-import receiver/own.tvn Pine.tvp");
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.out, "1\tPine\tadded with 4 events and 1 picture\n");
    EXPECT_EQ(imported.err, "");

    EntryList entries;
    ASSERT_FALSE(loadCollectionFile(receiver(), entries));
    ASSERT_EQ(entries.size(), 2u);
    const auto lines = Journal::read((*entries[1])[kJournalField]).lines();
    ASSERT_TRUE(lines.back().event);
    EXPECT_EQ(lines.back().event->text, "Received from Anna \xD8" "deg\xE5rd");
    EXPECT_EQ(readFileBytes(m_dir / "receiver" / "Photos" / "2025-10-05 Pine.jpg"),
              readFileBytes(m_dir / "giver" / "Photos" / "2025-10-05 Pine.jpg"));
    const auto versions = listVersions(receiver());
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(readFileBytes(versions[0].file), before);
    EXPECT_FALSE(std::filesystem::exists(lockFilePathOf(receiver()))) << "the command's lock is gone";
}

TEST_F(PassportCommands, ABadPassportOrEntrySaysWhyOnOneLineAndWritesNothing)
{
    const std::string before = readFileBytes(receiver());
    writeFileBytes(m_dir / "junk.tvp", "not a passport at all");
    const CompanionRun junk = runCompanion(m_dir, "passport-import receiver/own.tvn junk.tvp");
    EXPECT_EQ(junk.status, 1);
    EXPECT_EQ(junk.err, "talvane-cli: junk.tvp cannot be imported: it cannot be read as a zip archive (Not a zip archive).\n");
    EXPECT_EQ(junk.out, "");

    const CompanionRun noEntry = runCompanion(m_dir, "passport-export giver/trees.tvn --entry 2 Pine.tvp");
    EXPECT_EQ(noEntry.status, 1);
    EXPECT_EQ(noEntry.err, "talvane-cli: giver/trees.tvn: there is no entry 2 (the collection has 2, counted from 0)\n");
    EXPECT_FALSE(std::filesystem::exists(m_dir / "Pine.tvp"));

    ASSERT_EQ(runCompanion(m_dir, "passport-export giver/trees.tvn --entry 1 Pine.tvp").status, 0);
    {
        const auto lock = CommandLock::take(receiver());
        ASSERT_TRUE(lock);
        const CompanionRun locked = runCompanion(m_dir, "passport-import receiver/own.tvn Pine.tvp");
        EXPECT_EQ(locked.status, 1);
        EXPECT_EQ(locked.err, "talvane-cli: receiver/own.tvn: it is open by " +
                                  describeLockHolder(*liveLockHolder(receiver())) + "; close it there first\n");
    }
    EXPECT_EQ(readFileBytes(receiver()), before);
    EXPECT_EQ(folderNames(m_dir / "receiver"), std::vector<std::string>{"own.tvn"});
}

TEST_F(PassportCommands, ATreeTheCollectionHoldsIsBroughtUpToDateUnlessACopyIsAsked)
{
    ASSERT_EQ(runCompanion(m_dir, "passport-export giver/trees.tvn --entry 1 Pine.tvp").status, 0);
    ASSERT_EQ(runCompanion(m_dir, "passport-import receiver/own.tvn Pine.tvp").status, 0);
    const std::string once = readFileBytes(receiver());
    const CompanionRun again = runCompanion(m_dir, "passport-import receiver/own.tvn Pine.tvp");
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out, "1\tPine\tup to date: nothing added\n");
    EXPECT_EQ(readFileBytes(receiver()), once);

    writeJpegWithExif((m_dir / "b.jpg").string(), {.dateTimeOriginal = "2026:04:01 10:00:00"});
    ASSERT_EQ(runCompanion(m_dir, "photo-add giver/trees.tvn --entry 1 b.jpg").status, 0);
    ASSERT_EQ(runCompanion(m_dir, "passport-export giver/trees.tvn --entry 1 Pine2.tvp").status, 0);
    const CompanionRun updated = runCompanion(m_dir, "passport-import receiver/own.tvn Pine2.tvp");
    ASSERT_EQ(updated.status, 0) << updated.err;
    EXPECT_EQ(updated.out, "1\tPine\tupdated: 1 event and 1 picture added\n");
    EXPECT_EQ(folderNames(m_dir / "receiver" / "Photos"), (std::vector<std::string>{"2025-10-05 Pine.jpg", "2026-04-01 Pine.jpg"}));

    const CompanionRun copied = runCompanion(m_dir, "passport-import receiver/own.tvn Pine2.tvp --copy");
    ASSERT_EQ(copied.status, 0) << copied.err;
    EXPECT_EQ(copied.out, "2\tPine\tadded as a separate copy with 5 events and 2 pictures\n");
    EntryList entries;
    ASSERT_FALSE(loadCollectionFile(receiver(), entries));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_NE((*entries[2])[kTreeIdField], (*entries[1])[kTreeIdField]);
    EXPECT_EQ(Journal::read((*entries[1])[kJournalField]).lines().size(), 6u) << "the update added one event";
}

} // namespace
