#include "core/journal/Journal.h"
#include "core/timeline/PictureFolders.h"

#include "support/core/JournalTestTrees.h"
#include "support/core/TempDir.h"

#include <gtest/gtest.h>

using namespace talvane::collection;

using namespace talvane::timeline;
using talvane::journal::CareKind;

namespace {

// A tree with "maple.bmp" in its album and a journal naming "Photos/2025-05-01 Maple.jpg", then
// "spring.bmp" and "Photos/leaves.jpg" in one event.
EntryList mapleTrees()
{
    EntryList entries;
    talvane::journal::CareEvent leaves{day("2025-06-01"), CareKind::Photo, {}, {}, "leaves", {}, {}, {}};
    leaves.setPictures({"spring.bmp", "Photos/leaves.jpg"});
    addTree(entries, "Maple", {{day("2025-05-01"), CareKind::Photo, {}, "Photos/2025-05-01 Maple.jpg", "buds", {}, {}, {}}, leaves});
    (*entries[0])[CBonsaiData::Photo1] = "maple.bmp";
    return entries;
}

} // namespace

TEST(PictureFolders, PhotosLiveBesideTheCollectionAndTheAlbumTooUnlessAnOldSharedAlbumHoldsIt)
{
    TempDir dir;
    const EntryList entries = mapleTrees();
    const auto home = dir / "trees";
    const auto start = dir / "program";
    std::filesystem::create_directories(home);
    const PictureFolders beside{home / "Album", home / "Photos"};

    EXPECT_EQ(findPictureFolders(home, start, entries), beside) << "neither folder has an album";
    writeFileBytes(start / "Album" / "other.bmp", "x");
    EXPECT_EQ(findPictureFolders(home, start, entries), beside) << "the start folder's album holds none of its names";
    writeFileBytes(start / "Album" / "spring.bmp", "x");
    EXPECT_EQ(findPictureFolders(home, start, entries), (PictureFolders{start / "Album", home / "Photos"}))
        << "a name of the journal is enough";
    std::filesystem::create_directories(home / "Album");
    EXPECT_EQ(findPictureFolders(home, start, entries), beside) << "the collection's own album comes first";
    EXPECT_EQ(findPictureFolders(home, home, entries), beside);

    const NamedPictures names = namedPictures(entries);
    EXPECT_EQ(names.album, (std::set<std::string>{"maple.bmp", "spring.bmp"}));
    EXPECT_EQ(names.photos, (std::set<std::string>{"2025-05-01 Maple.jpg", "leaves.jpg"}));
}

TEST(PictureFolders, BringingPicturesCopiesEachOnceRenamesWhatIsTakenAndOnAProblemLeavesNothing)
{
    TempDir dir;
    const EntryList entries = mapleTrees();
    const PictureFolders from{dir / "a" / "Album", dir / "a" / "Photos"};
    const PictureFolders to{dir / "b" / "Album", dir / "b" / "Photos"};
    writeFileBytes(from.album / "maple.bmp", "maple");
    writeFileBytes(from.album / "spring.bmp", "spring");
    writeFileBytes(from.photos / "2025-05-01 Maple.jpg", "jpeg");
    writeFileBytes(from.photos / "leaves.jpg", "leaves");
    writeFileBytes(to.photos / "leaves.jpg", "another tree's leaves");
    EXPECT_EQ(missingPictureCount(*entries[0], {dir / "none" / "Album", dir / "none" / "Photos"}), 4u);
    writeFileBytes(from.album / "unnamed.bmp", "no tree names it");
    writeFileBytes(to.album / "maple.bmp", "maple");          // the same picture: not copied again
    writeFileBytes(to.album / "spring.bmp", "another tree");  // a name taken by another picture

    const BroughtPictures brought = bringPictures(namedPictures(entries), from, to);
    ASSERT_EQ(brought.problem, "");
    EXPECT_EQ(readFileBytes(to.album / "spring (2).bmp"), "spring");
    EXPECT_EQ(readFileBytes(to.album / "spring.bmp"), "another tree");
    EXPECT_EQ(readFileBytes(to.photos / "2025-05-01 Maple.jpg"), "jpeg");
    EXPECT_EQ(folderNames(to.album), (std::vector<std::string>{"maple.bmp", "spring (2).bmp", "spring.bmp"}));
    EXPECT_EQ(brought.created.size(), 3u);
    EXPECT_EQ(brought.albumRenames, (std::map<std::string, std::string>{{"spring.bmp", "spring (2).bmp"}}));
    EXPECT_EQ(brought.photoRenames, (std::map<std::string, std::string>{{"leaves.jpg", "leaves (2).jpg"}}));

    // The journal event naming the renamed pictures follows them; the album slot had no need to.
    const auto fields = renamedPictureFields(*entries[0], brought);
    ASSERT_EQ(fields.size(), 1u);
    EXPECT_EQ(fields[0].first, talvane::journal::kJournalField);
    const auto events = talvane::journal::Journal::read(fields[0].second).newestFirst();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].event.pictures(), (std::vector<std::string>{"spring (2).bmp", "Photos/leaves (2).jpg"}));
    EXPECT_EQ(events[1].event.picture, "Photos/2025-05-01 Maple.jpg");
    EXPECT_TRUE(bringPictures(namedPictures(entries), to, to).created.empty());

    // A Photos that is a file stops the copy: the album pictures already copied go again.
    const PictureFolders blocked{dir / "c" / "Album", dir / "c" / "Photos"};
    writeFileBytes(blocked.photos, "not a folder");
    const BroughtPictures refused = bringPictures(namedPictures(entries), from, blocked);
    EXPECT_NE(refused.problem, "");
    EXPECT_TRUE(refused.created.empty());
    EXPECT_TRUE(folderNames(blocked.album).empty());
}
