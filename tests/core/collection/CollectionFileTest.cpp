#include "core/collection/CollectionFile.h"

#include "support/core/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace talvane::collection;

namespace {

EntryList entriesNamed(std::initializer_list<const char*> names)
{
    EntryList entries;
    for (const char* name : names) {
        entries.push_back(std::make_unique<CBonsaiData>());
        (*entries.back())[CBonsaiData::Name] = name;
    }
    return entries;
}

} // namespace

TEST(CollectionFile, SavesOverTheOldFileAndLeavesNothingElse)
{
    TempDir dir;
    const auto file = dir / "trees.tvn";
    ASSERT_FALSE(saveCollectionFile(file, entriesNamed({"old"})));
    ::chmod(file.c_str(), 0640);
    ASSERT_FALSE(saveCollectionFile(file, entriesNamed({"new", "second"})));

    EXPECT_EQ(readFileBytes(file), writeCollection(entriesNamed({"new", "second"})));
    EXPECT_EQ(folderNames(dir.path()), (std::vector<std::string>{".talvane-versions", "trees.tvn"}))
        << "the replaced file is kept among the collection's versions, and nothing else is left";
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u) << "a save keeps the file's permissions";

    EntryList read;
    ASSERT_FALSE(loadCollectionFile(file, read));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ((*read[1])[CBonsaiData::Name], "second");
}

TEST(CollectionFile, SaveThroughALinkKeepsTheLink)
{
    TempDir dir;
    const auto real = dir / "real.tvn";
    const auto link = dir / "link.tvn";
    ASSERT_FALSE(saveCollectionFile(real, entriesNamed({"a"})));
    std::filesystem::create_symlink(real, link);
    ASSERT_FALSE(saveCollectionFile(link, entriesNamed({"b"})));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readFileBytes(real), writeCollection(entriesNamed({"b"})));
}

TEST(CollectionFile, AFailedSaveKeepsTheOldFile)
{
    TempDir dir;
    const auto file = dir / "trees.tvn";
    ASSERT_FALSE(saveCollectionFile(file, entriesNamed({"old"})));
    const std::string before = readFileBytes(file);

    // A disk that fills up half-way through the write.
    EntryList big = entriesNamed({"new"});
    (*big[0])[CBonsaiData::History] = std::string(100000, 'h');
    const auto failure = [&] {
        const FileSizeLimit full(4096);
        return saveCollectionFile(file, big);
    }();

    ASSERT_TRUE(failure);
    EXPECT_EQ(*failure, "File too large");
    EXPECT_EQ(readFileBytes(file), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "the temporary file is removed";

    const auto noFolder = saveCollectionFile(dir / "missing" / "trees.tvn", big);
    ASSERT_TRUE(noFolder);
    EXPECT_EQ(*noFolder, "No such file or directory");
}

TEST(CollectionFile, LoadReportsWhyAFileCannotBeRead)
{
    TempDir dir;
    EntryList entries = entriesNamed({"kept"});

    auto failure = loadCollectionFile(dir / "missing.tvn", entries);
    ASSERT_TRUE(failure);
    EXPECT_EQ(*failure, "No such file or directory");

    failure = loadCollectionFile(dir.path(), entries);
    ASSERT_TRUE(failure);
    EXPECT_EQ(*failure, "it is not a regular file");

    const auto pipe = dir / "pipe.tvn";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    failure = loadCollectionFile(pipe, entries);  // must not wait for a writer
    ASSERT_TRUE(failure);
    EXPECT_EQ(*failure, "it is not a regular file");

    writeFileBytes(dir / "short.tvn", writeCollection(entriesNamed({"A"})).substr(0, 130));
    failure = loadCollectionFile(dir / "short.tvn", entries);
    ASSERT_TRUE(failure);
    EXPECT_EQ(*failure, "it is not a valid Talvane collection (entry 1: the file ends too early)");

    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ((*entries[0])[CBonsaiData::Name], "kept");
}
