#include "core/timeline/TimelineAdding.h"
#include "core/timeline/TimelinePhoto.h"

#include "support/core/JournalTestTrees.h"
#include "support/core/PhotoTestFiles.h"
#include "support/core/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <fcntl.h>
#include <sys/stat.h>

using namespace talvane::journal;
using namespace talvane::timeline;

namespace {

const std::string kId = "0f8fad5b-d9cb-469f-a165-70867728950e";

std::string bytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

PhotoAddition addition(std::vector<std::filesystem::path> sources, std::string treeName)
{
    PhotoAddition addition;
    addition.sources = std::move(sources);
    addition.treeName = std::move(treeName);
    addition.treeId = kId;
    addition.text = "spring";
    return addition;
}

} // namespace

TEST(TimelineAdding, CopiesAreTheSourcesBytesNamedByDayAndTreeAndNeverClash)
{
    TempDir dir;
    const std::string first = writeJpegWithExif((dir / "IMG_0001.JPG").string(), {.dateTimeOriginal = "2024:04:12 10:00:00"});
    const std::string second = writeJpegWithExif((dir / "IMG_0002.JPG").string(), {.dateTimeOriginal = "2024:04:12 16:30:00"});
    // A photo without a camera date is dated by its file, which the copy keeps.
    const std::string undated = writePngWithExif((dir / "scan.png").string(), {});
    const struct timespec times[2] = {{localSeconds(12, 0, 0, 3, 9, 2019), 0}, {localSeconds(12, 0, 0, 3, 9, 2019), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, undated.c_str(), times, 0), 0);

    const auto photos = dir / "Photos";
    const auto added = copyPhotosToTimeline(photos, addition({first, second, undated}, "Momiji: \"the red\"/one"));
    ASSERT_EQ(added.problem, "");
    EXPECT_EQ(folderNames(photos), (std::vector<std::string>{"2019-09-03 Momiji the red one.png",
                                                              "2024-04-12 Momiji the red one (2).jpg",
                                                              "2024-04-12 Momiji the red one.jpg"}));
    EXPECT_EQ(bytes(photos / "2024-04-12 Momiji the red one (2).jpg"), bytes(second));
    EXPECT_EQ(bytes(photos / "2019-09-03 Momiji the red one.png"), bytes(undated));
    ASSERT_EQ(added.events.size(), 3u);
    EXPECT_EQ(added.events[0], (CareEvent{day("2024-04-12"), CareKind::Photo, std::nullopt,
                                          "Photos/2024-04-12 Momiji the red one.jpg", "spring", kId, {}, {}}));
    EXPECT_EQ(added.events[2].date, day("2019-09-03"));
    const auto again = copyPhotosToTimeline(photos, addition({second, first}, "Momiji: \"the red\"/one"));
    ASSERT_EQ(again.events.size(), 2u);
    EXPECT_EQ(again.events[0].picture, "Photos/2024-04-12 Momiji the red one (3).jpg");
    EXPECT_EQ(again.events[1].picture, "Photos/2024-04-12 Momiji the red one (4).jpg");

    // Accented names keep their letters, on disk in UTF-8 and in the journal in Windows-1252.
    const auto accented = copyPhotosToTimeline(photos, addition({first}, "\xC9rable \xE0 \xAB" "feu\xBB"));
    ASSERT_EQ(accented.problem, "");
    EXPECT_EQ(accented.events[0].picture, "Photos/2024-04-12 \xC9rable \xE0 feu.jpg");
    EXPECT_TRUE(std::filesystem::exists(photos / "2024-04-12 \xC3\x89rable \xC3\xA0 feu.jpg"));
}

TEST(TimelineAdding, AFailedPhotoLeavesTheFolderAsItWas)
{
    TempDir dir;
    const std::string good = writeJpegWithExif((dir / "good.jpg").string(), {.dateTimeOriginal = "2024:04:12 10:00:00"});
    const auto photos = dir / "Photos";

    const auto vanished = copyPhotosToTimeline(photos, addition({good, dir / "gone.jpg"}, "Pine"));
    EXPECT_EQ(vanished.problem, "gone.jpg: No such file or directory");
    EXPECT_TRUE(vanished.events.empty());
    EXPECT_TRUE(folderNames(photos).empty());

    const auto folder = copyPhotosToTimeline(photos, addition({good, dir.path()}, "Pine"));
    EXPECT_NE(folder.problem.find("It is not a file."), std::string::npos) << folder.problem;
    EXPECT_TRUE(folderNames(photos).empty());

    std::filesystem::remove(photos);
    std::ofstream(photos) << "not a folder";
    const auto notFolder = copyPhotosToTimeline(photos, addition({good}, "Pine"));
    EXPECT_NE(notFolder.problem.find("\"Photos\" beside the collection is not a folder."), std::string::npos)
        << notFolder.problem;
    EXPECT_EQ(bytes(photos), "not a folder");
}

TEST(TimelinePhotos, OldestFirstSafeNamesOnlyAndTheComparisonsFirstPair)
{
    Journal journal = Journal::read("");
    const auto add = [&](const char* date, std::string picture) {
        journal.add({day(date), CareKind::Photo, std::nullopt, std::move(picture), date, {}, {}, {}});
    };
    add("2026-05-01", "Photos/2026-05-01 Pine.jpg");
    add("2024-05-20", "pine.bmp");
    add("2025-04-01", "Photos/../../secret");
    add("2025-05-10", "Photos/2025-05-10 Pine.heic");
    add("2025-06-01", "Photos/2025-06-01 Pine.jpg");
    add("2025-01-01", "");
    journal.add({day("2025-03-01"), CareKind::Note, std::nullopt, "", "measured", {},
                 {{MeasureKind::Height, "30", LengthUnit::Centimetre}, {MeasureKind::Trunk, "25", LengthUnit::Millimetre}}, {}});
    journal.add({day("2024-03-01"), CareKind::Note, std::nullopt, "", "", {}, {{MeasureKind::Height, "1", LengthUnit::Metre}}, {}});

    const auto photos = timelinePhotos(journal);
    std::vector<std::string> names;
    for (const auto& photo : photos)
        names.push_back(photo.fileName + (photo.inPhotosFolder ? " (timeline)" : " (album)"));
    EXPECT_EQ(names, (std::vector<std::string>{"pine.bmp (album)", "2025-05-10 Pine.heic (timeline)",
                                               "2025-06-01 Pine.jpg (timeline)", "2026-05-01 Pine.jpg (timeline)"}));
    EXPECT_EQ(photos[1].path("/p", "/a"), "/p/2025-05-10 Pine.heic");
    EXPECT_EQ(photos[0].path("/p", "/a"), "/a/pine.bmp");
    // A year before 2026-05-01 is 2025-05-01: 9 days from 2025-05-10, 31 from 2025-06-01.
    EXPECT_EQ(defaultComparison(photos), std::pair(std::size_t{1}, std::size_t{3}));
    EXPECT_FALSE(defaultComparison({photos[0]}));

    const auto heights = growthSeries(journal, MeasureKind::Height);
    ASSERT_EQ(heights.size(), 2u);
    EXPECT_EQ(heights[0].date, day("2024-03-01"));
    EXPECT_DOUBLE_EQ(heights[0].measurement.centimetres(), 100);
    EXPECT_DOUBLE_EQ(growthSeries(journal, MeasureKind::Trunk).at(0).measurement.centimetres(), 2.5);

    // An event's photos stand at its date, in its order; a name that would leave the
    // folders is passed over and counted by none.
    CareEvent repotted{day("2025-05-10"), CareKind::Repotting, std::nullopt, {}, "repotted", {}, {}, {}};
    repotted.setPictures({"Photos/r1.jpg", "Photos/../r2.jpg", "r3.bmp"});
    journal.add(repotted);
    const auto withRepotting = timelinePhotos(journal);
    ASSERT_EQ(withRepotting.size(), 6u);
    for (std::size_t at : {2u, 3u}) {
        EXPECT_EQ(withRepotting[at].line, journal.lines().size() - 1);
        EXPECT_EQ(withRepotting[at].event.date, day("2025-05-10"));
    }
    EXPECT_EQ(withRepotting[2].picture(), "Photos/r1.jpg");
    EXPECT_EQ(withRepotting[3].picture(), "r3.bmp");
    EXPECT_EQ(withRepotting[3].pictureIndex, 2u);
    EXPECT_EQ(timelinePhotoCount(journal.text()), withRepotting.size());

    EXPECT_EQ(seasonOf(12), Season::Winter);
    EXPECT_EQ(seasonOf(3), Season::Spring);
    EXPECT_EQ(seasonOf(11), Season::Autumn);
}
