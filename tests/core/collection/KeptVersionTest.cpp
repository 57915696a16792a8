#include "core/collection/VersionStore.h"

#include "core/collection/CollectionFile.h"
#include "core/collection/Sha256.h"
#include "support/core/ScopedVariable.h"
#include "support/core/TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <regex>
#include <unistd.h>

using namespace talvane::collection;

namespace {

EntryList trees(std::size_t count)
{
    EntryList entries;
    for (std::size_t i = 0; i < count; ++i) {
        entries.push_back(std::make_unique<CBonsaiData>());
        (*entries.back())[CBonsaiData::Name] = "tree " + std::to_string(i);
    }
    return entries;
}

// Days past the end of November run on into December.
std::int64_t november(int day, int hour)
{
    return localSeconds(hour, 0, 0, day, 11);
}

// A collection file's start: its count of trees.
std::string countBytes(unsigned count)
{
    return {static_cast<char>(count & 0xFF), static_cast<char>(count >> 8)};
}

std::vector<std::int64_t> savedTimes(const std::vector<KeptVersion>& versions)
{
    std::vector<std::int64_t> times;
    for (const KeptVersion& version : versions)
        times.push_back(version.savedAt);
    return times;
}

} // namespace

TEST(KeptVersions, EachSaveKeepsTheFileItReplacesByteForByte)
{
    TempDir dir;
    const ScopedVariable data("XDG_DATA_HOME", (dir / "data").c_str());
    const auto file = dir / "trees.tvn";
    std::vector<std::string> saved;
    for (std::size_t count : {3, 65535, 5}) {
        ASSERT_FALSE(saveCollectionFile(file, trees(count)));
        saved.push_back(readFileBytes(file));
    }
    ASSERT_FALSE(saveCollectionFile(file, trees(1), {.keepVersion = false}));

    const auto versions = listVersions(file);
    ASSERT_EQ(versions.size(), 2u) << "the first save replaced nothing, the last kept nothing";
    EXPECT_EQ(readFileBytes(versions[0].file), saved[1]);
    EXPECT_EQ(versions[0].trees, 65535u) << "a count of FF FF and four bytes";
    EXPECT_EQ(versions[0].size, saved[1].size());
    EXPECT_EQ(readFileBytes(versions[1].file), saved[0]);
    EXPECT_EQ(versions[1].trees, 3u);
    EXPECT_EQ(versions[1].size, saved[0].size());
    EXPECT_EQ(versions[0].file.parent_path(), dir / ".talvane-versions" / "trees.tvn");
    for (const KeptVersion& version : versions) {
        EXPECT_TRUE(std::regex_match(version.file.filename().string(),
                                     std::regex(R"(\d{4}-\d{2}-\d{2} \d{6}( \d+)?\.tvn)")))
            << version.file;
        EXPECT_LE(std::abs(version.savedAt - std::time(nullptr)), 60);
    }

    // Exports are no collections: they keep no versions.
    ASSERT_FALSE(replaceFile(dir / "trees.csv", "a"));
    ASSERT_FALSE(replaceFile(dir / "trees.csv", "b"));
    EXPECT_EQ(folderNames(dir / ".talvane-versions"), std::vector<std::string>{"trees.tvn"});
    EXPECT_FALSE(std::filesystem::exists(dir / "data"));
}

TEST(KeptVersions, TheNewestTenAndTheNewestOfEachOfTheLastThirtyDaysAreKept)
{
    TempDir dir;
    const ScopedVariable data("XDG_DATA_HOME", (dir / "data").c_str());
    const auto file = dir / "trees.tvn";
    // Three saves a day for 45 days.
    std::vector<std::int64_t> times;
    for (int day = 1; day <= 45; ++day) {
        for (int hour : {9, 13, 18}) {
            times.push_back(november(day, hour));
            ASSERT_FALSE(keepVersion(file, countBytes(static_cast<unsigned>(times.size())), times.back()));
        }
    }
    const std::int64_t now = times.back();
    std::vector<std::int64_t> expected(times.end() - 10, times.end());
    for (int day = 1; day <= 45; ++day) {
        if (november(day, 18) > now - 30 * 86400 && november(day, 18) < expected.front())
            expected.push_back(november(day, 18));
    }
    std::sort(expected.rbegin(), expected.rend());

    const auto versions = listVersions(file);
    EXPECT_EQ(savedTimes(versions), expected);
    ASSERT_FALSE(versions.empty());
    EXPECT_EQ(versions[0].trees, times.size()) << "the last one kept";
    EXPECT_EQ(versions[0].file.filename(), "2026-12-15 180000.tvn");

    // A second version in the same second is numbered, and listed as the newer one.
    ASSERT_FALSE(keepVersion(file, countBytes(1000), now));
    const auto again = listVersions(file);
    EXPECT_EQ(again[0].file.filename(), "2026-12-15 180000 2.tvn");
    EXPECT_EQ(again[0].trees, 1000u);
    expected.insert(expected.begin(), now);
    EXPECT_EQ(savedTimes(again), expected) << "the one pushed out of the ten is the newest of its day";
}

TEST(KeptVersions, WhereTheCollectionsFolderCannotBeWrittenTheyGoToTheUsersDataFolder)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser writes in a read-only folder: run as an ordinary user";
    TempDir dir;
    const ScopedVariable data("XDG_DATA_HOME", (dir / "data").c_str());
    const auto folder = dir / "shared";
    std::filesystem::create_directory(folder);
    const auto file = folder / "trees.tvn";
    const auto fallbackOf = [&](const std::filesystem::path& collection) {
        return dir / "data" / "talvane" / "versions" / sha256Hex(collection.string()).substr(0, 16);
    };
    const auto removeWrite = [](const std::filesystem::path& path) {
        std::filesystem::permissions(path, std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
    };

    ASSERT_FALSE(keepVersion(file, countBytes(1), november(2, 9)));
    removeWrite(folder / ".talvane-versions" / "trees.tvn");
    ASSERT_FALSE(keepVersion(file, countBytes(2), november(2, 10)));
    EXPECT_EQ(readFileBytes(fallbackOf(file) / "collection.txt"), file.string() + "\n");
    const auto versions = listVersions(file);
    ASSERT_EQ(versions.size(), 2u);
    EXPECT_EQ(versions[0].file, fallbackOf(file) / "2026-11-02 100000.tvn");
    EXPECT_EQ(versions[0].trees, 2u);
    EXPECT_EQ(versions[1].file, folder / ".talvane-versions" / "trees.tvn" / "2026-11-02 090000.tvn");

    // No folder of versions can be made beside this one.
    std::filesystem::create_directory(dir / "read-only");
    const auto other = dir / "read-only" / "other.tvn";
    removeWrite(dir / "read-only");
    ASSERT_FALSE(keepVersion(other, countBytes(3), november(3, 9)));
    EXPECT_EQ(folderNames(fallbackOf(other)), (std::vector<std::string>{"2026-11-03 090000.tvn", "collection.txt"}));
}
