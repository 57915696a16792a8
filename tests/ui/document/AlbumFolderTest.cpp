#include "document/AlbumFolder.h"
#include "framework/BaseDirectory.h"

#include "core/TempDir.h"

#include <gtest/gtest.h>

namespace {

QString Q(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

} // namespace

TEST(AlbumFolder, TheStartFolderComesFirstThenTheCollectionsFolder)
{
    TempDir dir;
    const auto start = dir / "start";
    const auto trees = dir / "trees";
    std::filesystem::create_directories(start);
    std::filesystem::create_directories(trees);
    SetBaseDirectory(Q(start));
    const QString collection = Q(trees / "club.tvn");

    // Neither folder has an album: it belongs beside the collection, or beside the
    // start folder while the collection has no file.
    EXPECT_EQ(AlbumFolder(collection), Q(trees / "Album"));
    EXPECT_EQ(AlbumFolder(QString()), Q(start / "Album"));

    std::filesystem::create_directory(trees / "Album");
    EXPECT_EQ(AlbumFolder(collection), Q(trees / "Album"));

    std::filesystem::create_directory(start / "Album");
    EXPECT_EQ(AlbumFolder(collection), Q(start / "Album"));
    EXPECT_EQ(AlbumFolder(QString()), Q(start / "Album"));

    // An Album that is a file is passed over.
    std::filesystem::remove(start / "Album");
    WriteFileBytes(start / "Album", "not a folder");
    EXPECT_EQ(AlbumFolder(collection), Q(trees / "Album"));
}
