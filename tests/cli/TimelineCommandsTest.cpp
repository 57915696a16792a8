#include "core/collection/CollectionFile.h"
#include "core/collection/TreeIdentity.h"
#include "core/journal/Journal.h"

#include "support/core/CompanionRun.h"
#include "support/core/JournalTestTrees.h"
#include "support/core/PhotoTestFiles.h"
#include "support/core/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace talvane::collection;

using namespace talvane::journal;

TEST(TimelineCommands, PhotoAddWritesCopiesAndEventsThatTimelineLists)
{
    TempDir dir;
    ASSERT_FALSE(saveCollectionFile(dir / "trees.tvn", twoTrees()));
    writeJpegWithExif((dir / "a.jpg").string(), {.dateTimeOriginal = "2025:10:05 09:00:00"});
    writeHeicWithExif((dir / "b.heic").string(), {.dateTimeOriginal = "2024:04:01 09:00:00"});

    const CompanionRun added = runCompanion(dir, "photo-add trees.tvn --entry 1 --text 'autumn colour' a.jpg b.heic");
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out, "2025-10-05\tPhotos/2025-10-05 Pine.jpg\n2024-04-01\tPhotos/2024-04-01 Pine.heic\n");
    EntryList entries;
    ASSERT_FALSE(loadCollectionFile(dir / "trees.tvn", entries));
    const std::string id(treeIdAt(entries, 1));
    ASSERT_TRUE(isWellFormedTreeId(id)) << "the tree is given its identifier";
    EXPECT_NE(std::string((*entries[1])[kJournalField]).find("\n2025-10-05\tPhoto\t\tPhotos/2025-10-05 Pine.jpg\tautumn colour\ttree=" + id),
              std::string::npos);

    std::filesystem::remove(dir / "Photos" / "2024-04-01 Pine.heic");
    const CompanionRun listed = runCompanion(dir, "timeline trees.tvn --entry 1");
    ASSERT_EQ(listed.status, 0) << listed.err;
    const auto json = nlohmann::json::parse(listed.out);
    EXPECT_EQ(json["id"], id);
    ASSERT_EQ(json["photos"].size(), 3u);
    EXPECT_EQ(json["photos"][0]["file"], "Photos/2024-04-01 Pine.heic");
    EXPECT_EQ(json["photos"][0]["present"], false);
    EXPECT_EQ(json["photos"][1]["file"], "Photos/2025-10-05 Pine.jpg");
    EXPECT_EQ(json["photos"][1]["present"], true);
    EXPECT_EQ(json["photos"][2]["file"], "pine.bmp");
}

TEST(TimelineCommands, AFailedAddLeavesTheCollectionAndThePhotosFolderAsTheyWere)
{
    TempDir dir;
    ASSERT_FALSE(saveCollectionFile(dir / "trees.tvn", twoTrees()));
    const std::string before = readFileBytes(dir / "trees.tvn");
    writeJpegWithExif((dir / "a.jpg").string(), {});

    const CompanionRun vanished = runCompanion(dir, "photo-add trees.tvn --entry 1 a.jpg missing.jpg");
    EXPECT_EQ(vanished.status, 1);
    EXPECT_EQ(vanished.err, "talvane-cli: missing.jpg: No such file or directory (nothing was added)\n");
    EXPECT_TRUE(folderNames(dir / "Photos").empty());

    const CompanionRun foreign = runCompanion(dir, "photo-add trees.tvn --entry 0 a.jpg");
    EXPECT_EQ(foreign.status, 1);
    EXPECT_NE(foreign.err.find("was written by another program"), std::string::npos) << foreign.err;
    EXPECT_EQ(readFileBytes(dir / "trees.tvn"), before);
}

TEST(TimelineCommands, ACollectionFolderCopiedElsewhereKeepsEveryPictureWhateverTheCurrentFolder)
{
    TempDir dir;
    std::filesystem::create_directories(dir / "orig");
    ASSERT_FALSE(saveCollectionFile(dir / "orig" / "trees.tvn", twoTrees()));
    writeFileBytes(dir / "orig" / "Album" / "pine.bmp", "album picture");
    writeJpegWithExif((dir / "a.jpg").string(), {.dateTimeOriginal = "2025:10:05 09:00:00"});
    ASSERT_EQ(runCompanion(dir, "photo-add orig/trees.tvn --entry 1 a.jpg").status, 0);
    std::filesystem::copy(dir / "orig", dir / "moved", std::filesystem::copy_options::recursive);
    const auto before = readFileBytes(dir / "orig" / "trees.tvn");
    // The folder the commands run in has pictures of its own by the same names.
    TempDir elsewhere;
    writeFileBytes(elsewhere / "Album" / "pine.bmp", "another program's picture");
    writeFileBytes(elsewhere / "Photos" / "2025-10-05 Pine.jpg", "another photo");
    const std::string moved = (dir / "moved" / "trees.tvn").string();
    const CompanionRun listed = runCompanion(elsewhere, "timeline '" + moved + "' --entry 1");
    ASSERT_EQ(listed.status, 0) << listed.err;
    const auto timeline = nlohmann::json::parse(listed.out);
    ASSERT_EQ(timeline["photos"].size(), 2u);
    for (const auto& photo : timeline["photos"])
        EXPECT_EQ(photo["present"], true) << photo["file"];
    writeJpegWithExif((elsewhere / "b.jpg").string(), {.dateTimeOriginal = "2025:11:05 09:00:00"});
    ASSERT_EQ(runCompanion(elsewhere, "photo-add '" + moved + "' --entry 1 b.jpg").status, 0);

    EXPECT_EQ(folderNames(dir / "moved" / "Photos"), (std::vector<std::string>{"2025-10-05 Pine.jpg", "2025-11-05 Pine.jpg"}));
    EXPECT_EQ(folderNames(elsewhere / "Photos"), std::vector<std::string>{"2025-10-05 Pine.jpg"});
    EXPECT_EQ(folderNames(elsewhere / "Album"), std::vector<std::string>{"pine.bmp"});
    EXPECT_EQ(readFileBytes(dir / "orig" / "trees.tvn"), before);
    EXPECT_EQ(folderNames(dir / "orig" / "Photos"), std::vector<std::string>{"2025-10-05 Pine.jpg"});
}
