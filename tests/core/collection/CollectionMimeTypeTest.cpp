#include "core/collection/CollectionArchive.h"

#include "support/core/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace talvane::collection;

namespace {

const std::string kCollectionType = "application/x-talvane-collection";

// The desktop's own tools, over a private MIME database that holds only the
// system's types and Talvane's definition as shipped.
class CollectionMimeType : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto packages = dir / "mime" / "packages";
        std::filesystem::create_directories(packages);
        std::filesystem::copy_file(std::filesystem::path(TALVANE_SOURCE_DIR) / "packaging" / "talvane-mime.xml",
                                   packages / "talvane.xml");
        ASSERT_EQ(run("update-mime-database '" + (dir / "mime").string() + "' 2>&1"), "");
    }

    std::string run(const std::string& command) const
    {
        // A desktop session would send xdg-mime to its own tools: ask the generic one.
        const std::string line = "env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION XDG_DATA_HOME='" +
                                 dir.path().string() + "' " + command;
        std::string out;
        if (FILE* pipe = ::popen(line.c_str(), "r")) {
            char buffer[256];
            while (std::fgets(buffer, sizeof buffer, pipe))
                out += buffer;
            EXPECT_EQ(::pclose(pipe), 0) << line;
        } else {
            ADD_FAILURE() << "cannot run " << line;
        }
        return out;
    }

    std::string typeOf(const std::string& name, std::string_view bytes) const
    {
        writeFileBytes(dir / name, bytes);
        std::string type = run("xdg-mime query filetype '" + (dir / name).string() + "'");
        if (!type.empty() && type.back() == '\n')
            type.pop_back();
        return type;
    }

    static EntryList trees(std::size_t count)
    {
        EntryList entries;
        for (std::size_t i = 0; i < count; ++i)
            entries.push_back(std::make_unique<CBonsaiData>());
        return entries;
    }

    TempDir dir;
};

} // namespace

TEST_F(CollectionMimeType, CollectionsAreKnownByContentAndNameButOtherFilesOnlyByName)
{
    const std::string collection = writeCollection(trees(3));
    EXPECT_EQ(typeOf("trees.tvn", collection), kCollectionType);
    EXPECT_EQ(typeOf("trees.dat", collection), kCollectionType) << "renamed, it is still known by its class tag";
    EXPECT_EQ(typeOf("trees", collection), kCollectionType);

    // From 65535 entries on, the count takes six bytes and the class tag comes later.
    const std::string large = writeCollection(trees(0xFFFF));
    EXPECT_EQ(typeOf("large.dat", large), kCollectionType);

    // An empty collection is its two-byte count alone: nothing to know it by but its name.
    const std::string empty = writeCollection(trees(0));
    ASSERT_EQ(empty, std::string(2, '\0'));
    EXPECT_EQ(typeOf("empty.tvn", empty), kCollectionType);
    EXPECT_NE(typeOf("empty.dat", empty), kCollectionType);

    const std::string text = "Juniper, bought 2019\n";
    EXPECT_EQ(typeOf("notes.tvn", text), kCollectionType);
    EXPECT_EQ(typeOf("notes.dat", text), "text/plain");

    // The class name alone, without the tag before it, is no collection.
    EXPECT_NE(typeOf("name.dat", std::string("\x01\x00", 2) + "CBonsaiData"), kCollectionType);
}
