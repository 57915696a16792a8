#include "core/collection/CollectionFile.h"
#include "core/collection/CollectionLock.h"
#include "core/collection/InPlaceSave.h"

#include "support/core/BmpTestFiles.h"
#include "support/core/CompanionRun.h"
#include "support/core/JournalTestTrees.h"
#include "support/core/PhotoTestFiles.h"
#include "support/core/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace talvane::collection;

namespace {

// A folder with a collection, another collection, and open.tvn: a file (empty, so
// not read as a collection) whose lock this test holds, as the window would.
class WritingCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(saveCollectionFile(m_dir / "trees.tvn", twoTrees()));
        EntryList other;
        addTree(other, "Juniper", {});
        ASSERT_FALSE(saveCollectionFile(m_dir / "other.tvn", other));
        writeFileBytes(m_dir / "open.tvn", "");
        ASSERT_TRUE(m_lock);
    }

    // The command fails with the message, writes nothing and leaves the file as it was.
    void expectRefused(const std::string& arguments, const std::string& file, const std::string& message)
    {
        const std::string before = readFileBytes(m_dir / file);
        const auto names = folderNames(m_dir.path());
        const CompanionRun run = runCompanion(m_dir, arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_EQ(run.err, "talvane-cli: " + message + "; nothing written\n") << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_EQ(readFileBytes(m_dir / file), before) << arguments;
        EXPECT_EQ(folderNames(m_dir.path()), names) << arguments;
    }

    // The same for every command writing something other than a collection.
    void expectCollectionsKept(const std::string& arguments, const std::string& command, const std::string& writes)
    {
        const std::string refused = ": " + command + " writes " + writes + ", not a collection";
        for (const char* collection : {"trees.tvn", "other.tvn"})
            expectRefused(arguments + collection, collection, collection + (" is a Talvane collection" + refused));
        expectRefused(arguments + "open.tvn", "open.tvn",
                      "open.tvn is a collection open by " + describeLockHolder(*liveLockHolder(m_dir / "open.tvn")) + refused);
    }

    // An older file of the command's own kind, or an empty one, is replaced.
    void expectWritten(const std::string& arguments, const std::string& file)
    {
        for (const char* older : {"an older output\n", ""}) {
            writeFileBytes(m_dir / file, older);
            const CompanionRun run = runCompanion(m_dir, arguments);
            EXPECT_EQ(run.status, 0) << arguments << ": " << run.err;
            EXPECT_NE(readFileBytes(m_dir / file), older) << arguments;
        }
    }

    TempDir m_dir;
    std::optional<CommandLock> m_lock = CommandLock::take(m_dir / "open.tvn");
};

TEST_F(WritingCommands, ExportAndImportNeverWriteOverACollectionOrTheirInput)
{
    expectCollectionsKept("export trees.tvn ", "export", "a CSV table");
    expectWritten("export trees.tvn trees.csv", "trees.csv");

    std::filesystem::create_symlink("trees.csv", m_dir / "link.csv");
    expectRefused("import trees.csv trees.csv", "trees.csv", "trees.csv is the file import reads");
    expectRefused("import trees.csv link.csv", "trees.csv", "link.csv is trees.csv, the file import reads");
    const CompanionRun imported = runCompanion(m_dir, "import trees.csv other.tvn");
    EXPECT_EQ(imported.status, 0) << "a collection may replace a collection: " << imported.err;
    EntryList entries;
    ASSERT_FALSE(loadCollectionFile(m_dir / "other.tvn", entries));
    EXPECT_EQ(entries.size(), 2u);
}

TEST_F(WritingCommands, ExportThenImportKeepsEachTreesPlaceByteForByte)
{
    EntryList entries = twoTrees();
    addTree(entries, "Juniper", {});
    const std::string places[] = {"=Bench, \"north\" \xE9t\xE9\tgreenhouse\t6", "Shelf\tlean-to\tx", ""};
    for (std::size_t tree = 0; tree < entries.size(); ++tree)
        (*entries[tree])[112] = places[tree];
    ASSERT_FALSE(saveCollectionFile(m_dir / "placed.tvn", entries));
    ASSERT_EQ(runCompanion(m_dir, "export placed.tvn placed.csv").status, 0);
    const CompanionRun imported = runCompanion(m_dir, "import placed.csv back.tvn");
    ASSERT_EQ(imported.status, 0) << imported.err;
    EntryList back;
    ASSERT_FALSE(loadCollectionFile(m_dir / "back.tvn", back));
    ASSERT_EQ(back.size(), entries.size());
    for (std::size_t tree = 0; tree < entries.size(); ++tree)
        EXPECT_EQ(std::string((*back[tree])[112]), places[tree]) << "a formula's sign, quotes, a kind this version "
                                                                     "does not know";
}

TEST_F(WritingCommands, DueWritesItsCalendarNowhereElse)
{
    expectCollectionsKept("due trees.tvn --ics ", "due", "a calendar");
    expectWritten("due trees.tvn --ics care.ics", "care.ics");
}

TEST_F(WritingCommands, GuideConversionsNeverWriteOverACollectionOrTheirInput)
{
    writeFileBytes(m_dir / "plain.txt", "Acer palmatum\r\n");
    expectCollectionsKept("guide-encode plain.txt ", "guide-encode", "a species guide");
    expectRefused("guide-encode plain.txt ./plain.txt", "plain.txt", "./plain.txt is plain.txt, the file guide-encode reads");
    expectWritten("guide-encode plain.txt esspef.dat", "esspef.dat");
    expectCollectionsKept("guide-decode esspef.dat ", "guide-decode", "a plain guide text");
    expectRefused("guide-decode esspef.dat esspef.dat", "esspef.dat", "esspef.dat is the file guide-decode reads");
}

TEST_F(WritingCommands, BmpWritesItsPictureNowhereElse)
{
    BmpFile picture;
    picture.pixels = paddedRow(byteString({1, 2, 3}));
    writeFileBytes(m_dir / "a.bmp", picture.bytes());
    expectCollectionsKept("bmp a.bmp --out ", "bmp", "a PAM picture");
    expectRefused("bmp a.bmp --out a.bmp", "a.bmp", "a.bmp is the file bmp reads");
    expectWritten("bmp a.bmp --out a.pam", "a.pam");
}

TEST_F(WritingCommands, PassportsNeverTakeACollectionsPlace)
{
    expectCollectionsKept("passport-export trees.tvn --entry 1 ", "passport-export", "a passport");
    expectWritten("passport-export trees.tvn --entry 1 Pine.tvp", "Pine.tvp");
    expectRefused("passport-import trees.tvn trees.tvn", "trees.tvn", "trees.tvn is the file passport-import reads");
}

TEST_F(WritingCommands, PhotoAddWaitsForTheCollectionsLock)
{
    writeJpegWithExif((m_dir / "a.jpg").string(), {});
    const std::string before = readFileBytes(m_dir / "trees.tvn");
    const auto lock = CommandLock::take(m_dir / "trees.tvn");
    ASSERT_TRUE(lock);
    const CompanionRun run = runCompanion(m_dir, "photo-add trees.tvn --entry 1 a.jpg");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "talvane-cli: trees.tvn: it is open by " +
                           describeLockHolder(*liveLockHolder(m_dir / "trees.tvn")) + "; close it there first\n");
    EXPECT_EQ(readFileBytes(m_dir / "trees.tvn"), before);
    EXPECT_FALSE(std::filesystem::exists(m_dir / "Photos"));
}

} // namespace

TEST(CommandsOpeningACollection, PutBackASaveThatStoppedAndSaySoOnce)
{
    TempDir dir;
    const auto file = dir / "trees.tvn";
    ASSERT_FALSE(saveCollectionFile(file, twoTrees()));
    const std::string whole = readFileBytes(file);
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    writeFileBytes(inPlaceBackupPath(file, info.st_ino), whole);
    std::filesystem::resize_file(file, whole.size() / 2);

    const CompanionRun first = runCompanion(dir, "dump trees.tvn");
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.err, "talvane-cli: trees.tvn was put back as it was before a save that did not finish.\n");
    EXPECT_EQ(readFileBytes(file), whole);
    const CompanionRun second = runCompanion(dir, "dump trees.tvn");
    EXPECT_EQ(second.err, "");
    EXPECT_EQ(second.out, first.out);
}
