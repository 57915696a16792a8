#include "PassportArchives.h"

#include "core/collection/CollectionFile.h"
#include "core/passport/PassportImport.h"
#include "core/passport/PassportManifest.h"

#include "support/core/JournalTestTrees.h"
#include "support/core/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace talvane::collection;

namespace {

using namespace talvane::passport;

struct Case {
    std::string what;
    std::string archive;
    std::string why;
    PassportLimits limits = {};
};

// A receiver's collection with an album picture of its own and no photo folder yet,
// and passports made from a valid one whose tree names Album/a.bmp and Photos/b.jpg.
class HostilePassport : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(m_dir / "receiver" / "Album");
        writeFileBytes(m_dir / "receiver" / "Album" / "own.bmp", "BM own");
        addTree(m_collection, "Juniper", {});
        ASSERT_FALSE(saveCollectionFile(m_dir / "receiver" / "receiver.tvn", m_collection));
    }

    static CBonsaiData& tree(EntryList& entries)
    {
        using talvane::journal::CareKind;
        addTree(entries, "Oak", {{day("2026-05-01"), CareKind::Photo, std::nullopt, "Photos/b.jpg", "", {}, {}, {}}});
        (*entries.back())[CBonsaiData::Photo1] = "a.bmp";
        return *entries.back();
    }

    static std::string manifest(const std::string& giver = "Anna")
    {
        return manifestText({"Oak", "", "2026-12-08T14:03:00Z", "giver.tvn", giver, {}});
    }

    static std::vector<ArchiveFile> validFiles()
    {
        EntryList entries;
        return {{"manifest.json", manifest()},
                {"tree.tvn", oneTreeCollection(tree(entries))},
                {"Album/a.bmp", "BM" + std::string(600, 'a')},
                {"Photos/b.jpg", "\xFF\xD8\xFF\xE0" + std::string(600, 'b'), false}};
    }

    static std::string with(std::vector<ArchiveFile> files, ArchiveFile extra)
    {
        files.push_back(std::move(extra));
        return zipBytes(files);
    }

    // The valid files with the one of that name replaced.
    static std::string replacing(const std::string& name, ArchiveFile file)
    {
        std::vector<ArchiveFile> files = validFiles();
        for (ArchiveFile& each : files) {
            if (each.name == name)
                each = file;
        }
        return zipBytes(files);
    }

    ImportedTree import(const std::string& archive, const PassportLimits& limits = {})
    {
        writeFileBytes(m_dir / "gift.tvp", archive);
        const auto receiver = m_dir / "receiver";
        return importPassport({m_dir / "gift.tvp", receiver / "Album", receiver / "Photos", day("2027-01-02"), limits},
                              m_collection);
    }

    void expectRefused(const std::vector<Case>& cases)
    {
        const auto before = folderContents(m_dir / "receiver");
        for (const Case& refused : cases) {
            SCOPED_TRACE(refused.what);
            const ImportedTree imported = import(refused.archive, refused.limits);
            EXPECT_EQ(imported.problem, "gift.tvp cannot be imported: " + refused.why + ".");
            EXPECT_FALSE(imported.entry);
            EXPECT_EQ(folderContents(m_dir / "receiver"), before) << "nothing is written";
        }
    }

    TempDir m_dir;
    EntryList m_collection;
};

TEST_F(HostilePassport, TheValidPassportTheOthersAreMadeFromImports)
{
    ImportedTree imported = import(zipBytes(validFiles()));
    ASSERT_EQ(imported.problem, "");
    EXPECT_EQ(imported.placed.files().size(), 2u);
    EXPECT_EQ(imported.manifest.giver, "Anna");
}

TEST_F(HostilePassport, NamesTheFormatDoesNotHaveAreRefused)
{
    const std::string valid = zipBytes(validFiles());
    expectRefused({
        {"a parent folder", with(validFiles(), {"../b.jpg", "x"}),
         "it holds \"../b.jpg\", a name that leads out of the passport"},
        {"a parent folder inside", with(validFiles(), {"Photos/../../b.jpg", "x"}),
         "it holds \"Photos/../../b.jpg\", a name that leads out of the passport"},
        {"an absolute name", with(validFiles(), {"/tmp/b.jpg", "x"}), "it holds \"/tmp/b.jpg\", an absolute name"},
        {"a backslash", with(validFiles(), {"Photos\\b.jpg", "x"}), "it holds \"Photos\\b.jpg\", a name with a backslash"},
        {"a deeper folder", with(validFiles(), {"Photos/old/b.jpg", "x"}),
         "it holds \"Photos/old/b.jpg\", which is not part of a tree passport"},
        {"another file", with(validFiles(), {"notes.txt", "x"}), "it holds \"notes.txt\", which is not part of a tree passport"},
        {"a control character", patched(with(validFiles(), {"Photos/bX.jpg", "x"}), "Photos/bX.jpg", "Photos/b\x1b.jpg"),
         "it holds \"Photos/b?.jpg\", which is not part of a tree passport"},
        {"no UTF-8", patched(valid, "Photos/b.jpg", "Photos/\xFF.jpg"),
         "it holds \"Photos/?.jpg\", a name that is not Windows-1252 text in UTF-8"},
        {"beyond Windows-1252", with(validFiles(), {"Photos/\xE2\x98\x83.jpg", "x"}),
         "it holds \"Photos/?.jpg\", a name that is not Windows-1252 text in UTF-8"},
    });
}

TEST_F(HostilePassport, LinksFoldersTwinsAndEncryptedFilesAreRefused)
{
    const std::string withC = with(validFiles(), {"Photos/c.jpg", "twin", false});
    expectRefused({
        {"a link", replacing("Photos/b.jpg", {"Photos/b.jpg", "/etc/passwd", false, S_IFLNK | 0777}),
         "\"Photos/b.jpg\" is a link, not a file"},
        {"a folder", replacing("Photos/b.jpg", {"Photos/b.jpg", "", false, S_IFDIR | 0755}),
         "\"Photos/b.jpg\" is not a plain file"},
        {"a pipe", replacing("Album/a.bmp", {"Album/a.bmp", "", false, S_IFIFO | 0644}),
         "\"Album/a.bmp\" is not a plain file"},
        {"the same name twice", patched(withC, "Photos/c.jpg", "Photos/b.jpg"), "it holds \"Photos/b.jpg\" twice"},
        {"encrypted", markedEncrypted(zipBytes(validFiles()), "Photos/b.jpg"), "\"Photos/b.jpg\" is encrypted"},
    });
}

TEST_F(HostilePassport, SizesPastTheLimitsAreRefusedByTheBytesInflated)
{
    const PassportLimits small{64 << 10, 96 << 10, 10, 100, 1 << 20};
    const ArchiveFile zeros{"Photos/b.jpg", std::string(100 << 10, '\0')};
    const ArchiveFile halfZeros{"Photos/b.jpg", std::string(50 << 10, '\0')};
    const ArchiveFile otherHalf{"Album/a.bmp", std::string(50 << 10, '\0')};
    std::vector<ArchiveFile> bothHalves = validFiles();
    bothHalves[2] = otherHalf;
    bothHalves[3] = halfZeros;
    const std::string halves = zipBytes(bothHalves);
    const std::string lyingHalves = withClaimedSize(withClaimedSize(halves, "Album/a.bmp", 10), "Photos/b.jpg", 10);
    expectRefused({
        {"one file, as claimed", replacing("Photos/b.jpg", zeros), "\"Photos/b.jpg\" inflates to more than 64 KiB", small},
        {"one file, claiming less", withClaimedSize(replacing("Photos/b.jpg", zeros), "Photos/b.jpg", 1000),
         "\"Photos/b.jpg\" inflates to more than 64 KiB", small},
        {"all files, as claimed", halves, "its files inflate to more than 96 KiB in all", small},
        {"all files, claiming less", lyingHalves, "its files inflate to more than 96 KiB in all", small},
        {"a small archive inflating to much", replacing("Photos/b.jpg", zeros),
         "its files inflate to more than 10 times its own size", {1 << 30, 1ull << 32, 10, 10, 64 << 10}},
        {"too many files", zipBytes(validFiles()), "it holds more than 3 files", {1 << 30, 1ull << 32, 3, 100, 1 << 20}},
    });
}

TEST_F(HostilePassport, ManifestsAndTreesThatDoNotReadAreRefused)
{
    EntryList two;
    tree(two);
    tree(two);
    const std::string damagedTree("\x01\x00\xFF\xFF", 4);
    EntryList none;
    std::string reason;
    ASSERT_FALSE(readCollection(damagedTree, none, reason));
    std::vector<ArchiveFile> noManifest = validFiles();
    noManifest.erase(noManifest.begin());
    std::vector<ArchiveFile> noTree = validFiles();
    noTree.erase(noTree.begin() + 1);
    const auto withManifest = [](const std::string& text) { return replacing("manifest.json", {"manifest.json", text}); };
    const std::string valid = manifest();
    const auto edited = [&valid](const std::string& from, const std::string& to) {
        std::string text = valid;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    expectRefused({
        {"no manifest", zipBytes(noManifest), "it has no manifest.json"},
        {"no tree", zipBytes(noTree), "it has no tree.tvn"},
        {"no JSON", withManifest("{\"format\": "), "its manifest is not JSON"},
        {"no object", withManifest("[1, 2]"), "its manifest is not a JSON object"},
        {"another format", withManifest(edited("Talvane tree passport", "Talvane tree diary")),
         "its manifest does not say it is a Talvane tree passport"},
        {"a later version", withManifest(edited("\"version\": 1", "\"version\": 2")),
         "it is of format version 2, which this version of Talvane cannot read"},
        {"no version", withManifest(edited("\"version\": 1", "\"version\": \"1\"")), "its manifest gives no format version"},
        {"no tree name", withManifest(edited("\"treeName\"", "\"treename\"")), "its manifest has no text \"treeName\""},
        {"a giver that is no text", withManifest(edited("\"Anna\"", "42")), "its manifest's \"giver\" is not a text"},
        {"a damaged tree", replacing("tree.tvn", {"tree.tvn", damagedTree}),
         "its tree.tvn is not a valid collection (" + reason + ")"},
        {"two trees", replacing("tree.tvn", {"tree.tvn", writeCollection(two)}), "its tree.tvn holds 2 entries, not one"},
        {"no zip", "PK but not a zip archive", "it cannot be read as a zip archive (Not a zip archive)"},
    });
}

TEST_F(HostilePassport, ThePicturesHeldMustBeTheOnesTheTreeNames)
{
    std::vector<ArchiveFile> lacking = validFiles();
    lacking.pop_back();
    const std::string valid = zipBytes(validFiles());
    // The second picture's stored bytes, changed after its CRC was written: the first is
    // inflated into the album by then.
    const std::string damaged = patched(valid, std::string(600, 'b'), std::string(599, 'b') + "c");
    expectRefused({
        {"a picture the tree names", zipBytes(lacking), "its tree names \"Photos/b.jpg\", which it does not hold"},
        {"a picture the tree does not name", with(validFiles(), {"Album/extra.bmp", "BM"}),
         "it holds \"Album/extra.bmp\", which its tree does not name"},
        {"a damaged picture", damaged, "\"Photos/b.jpg\" cannot be read (CRC error)"},
    });
}

TEST_F(HostilePassport, WhatIsNoFileIsRefusedAsSuch)
{
    const auto receiver = m_dir / "receiver";
    const auto importDay = day("2027-01-02");
    const ImportedTree folder =
        importPassport({receiver / "Album", receiver / "Album", receiver / "Photos", importDay, {}}, m_collection);
    EXPECT_EQ(folder.problem, "Album cannot be imported: it is not a file.");
    const ImportedTree missing =
        importPassport({m_dir / "gone.tvp", receiver / "Album", receiver / "Photos", importDay, {}}, m_collection);
    EXPECT_EQ(missing.problem, "gone.tvp cannot be imported: No such file or directory.");
}

} // namespace
