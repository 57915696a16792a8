#include "core/collection/CollectionFile.h"
#include "core/collection/RecoveryStore.h"
#include "ui/document/AlbumFolder.h"
#include "ui/document/TalvaneDoc.h"
#include "ui/framework/AppSettings.h"
#include "ui/framework/BaseDirectory.h"
#include "ui/framework/RecentFileList.h"

#include "support/core/TempDir.h"
#include "support/ui/ScriptedUiServices.h"

#include <gtest/gtest.h>

using namespace talvane::collection;

namespace {

QString q(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

// An untitled collection of one tree whose album names "maple.bmp", written into its album folder.
void addTreeWithPicture(CTalvaneDoc& doc, const std::string& bytes)
{
    auto entry = std::make_unique<CBonsaiData>();
    (*entry)[CBonsaiData::Name] = "Maple";
    (*entry)[CBonsaiData::Photo1] = "maple.bmp";
    doc.addEntry(std::move(entry));
    writeFileBytes(doc.pictureFolders().album / "maple.bmp", bytes);
}

} // namespace

TEST(PictureHome, AnUntitledCollectionStagesItsPicturesUntilItsFirstSaveMovesThemBesideIt)
{
    TempDir dir;
    appSettings().clear();
    setBaseDirectory(q(dir / "started-here"));
    ScriptedUiServices ui;
    RecentFileList recent;
    RecoveryStore store(dir / "recovery");
    CTalvaneDoc doc(ui.services(), recent);
    doc.pictureHome().setStagingFolder(store.stagingFolder());

    addTreeWithPicture(doc, "staged bytes");
    const auto staging = store.stagingFolder();
    EXPECT_EQ(doc.pictureHome().stagedFolder(), staging);
    EXPECT_EQ(albumFolder(doc), q(staging / "Album"));
    EXPECT_EQ(photosFolder(doc), q(staging / "Photos"));

    // The folder saved into already has another picture of that name: the collection's own
    // comes in under a new name, which its album slot takes.
    const auto home = dir / "friend";
    writeFileBytes(home / "Album" / "maple.bmp", "another tree's picture");
    ui.files.expect(q(home / "friend.tvn"));
    ASSERT_TRUE(doc.AskSaveFileName());
    EXPECT_EQ(readFileBytes(home / "Album" / "maple.bmp"), "another tree's picture");
    EXPECT_EQ(readFileBytes(home / "Album" / "maple (2).bmp"), "staged bytes");
    EXPECT_EQ(doc.entryAt(0)[CBonsaiData::Photo1], "maple (2).bmp");
    EntryList saved;
    ASSERT_FALSE(loadCollectionFile(home / "friend.tvn", saved));
    EXPECT_EQ((*saved[0])[CBonsaiData::Photo1], "maple (2).bmp");
    EXPECT_FALSE(std::filesystem::exists(staging));
    EXPECT_TRUE(doc.pictureHome().stagedFolder().empty());
    EXPECT_EQ(albumFolder(doc), q(home / "Album"));
    EXPECT_FALSE(std::filesystem::exists(dir / "started-here")) << "nothing is written in the start folder";

    // Save As into a third folder takes the pictures along and leaves them where they were too.
    std::filesystem::create_directories(dir / "moved");
    ui.files.expect(q(dir / "moved" / "friend.tvn"));
    ASSERT_TRUE(doc.AskSaveFileName());
    EXPECT_EQ(readFileBytes(dir / "moved" / "Album" / "maple (2).bmp"), "staged bytes");
    EXPECT_TRUE(std::filesystem::exists(home / "Album" / "maple (2).bmp"));

    // An earlier version opened as a new collection finds its pictures beside its file.
    ASSERT_TRUE(doc.openAsUntitledCopy(q(dir / "moved" / "friend.tvn")));
    EXPECT_EQ(albumFolder(doc), q(dir / "moved" / "Album"));

    // A new untitled collection's pictures go when it is discarded.
    doc.OnNewDocument();
    addTreeWithPicture(doc, "never saved");
    ASSERT_TRUE(std::filesystem::exists(staging / "Album" / "maple.bmp"));
    doc.OnNewDocument();
    EXPECT_FALSE(std::filesystem::exists(staging));
}

TEST(PictureHome, StagedPicturesFollowTheirRecoveryFileWhetherRestoredOrDiscarded)
{
    TempDir dir;
    RecoveryStore store(dir / "recovery");
    const auto left = dir / "recovery" / "staging" / "2000000000";
    writeFileBytes(left / "Album" / "maple.bmp", "kept");
    RecoveryRecord record;
    record.title = "Untitled";
    record.stagedPictures = left;
    ASSERT_FALSE(store.write(record, writeCollection({})));
    const auto kept = store.leftBehind();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].stagedPictures, left);

    // Restored, the pictures become this program's staged ones.
    PictureHome home(store.stagingFolder());
    home.takeStaged(kept[0].stagedPictures);
    EXPECT_EQ(readFileBytes(store.stagingFolder() / "Album" / "maple.bmp"), "kept");
    EXPECT_FALSE(std::filesystem::exists(left));

    // Discarded, they go with the recovery file; a stray folder nothing names goes at the next start.
    writeFileBytes(left / "Album" / "maple.bmp", "kept again");
    writeFileBytes(dir / "recovery" / "staging" / "2000000001" / "Photos" / "x.jpg", "stray");
    store.removeStrayStaging();
    EXPECT_TRUE(std::filesystem::exists(left)) << "a recovery file still names it";
    EXPECT_FALSE(std::filesystem::exists(dir / "recovery" / "staging" / "2000000001"));
    RecoveryStore::discard(kept[0]);
    EXPECT_FALSE(std::filesystem::exists(left));
    EXPECT_TRUE(std::filesystem::exists(store.stagingFolder())) << "the running program's own folder stays";
}
