#include "PassportArchives.h"

#include "core/collection/CollectionFile.h"
#include "core/collection/TreeIdentity.h"
#include "core/journal/Journal.h"
#include "core/passport/PassportExport.h"
#include "core/passport/PassportImport.h"
#include "core/passport/PassportUpdate.h"
#include "core/text/Windows1252.h"

#include "support/core/JournalTestTrees.h"
#include "support/core/TempDir.h"

#include <gtest/gtest.h>

#include <random>

using namespace talvane::collection;

namespace {

using namespace talvane::passport;
using talvane::journal::CareKind;
using talvane::journal::Journal;
using talvane::journal::kJournalField;

const std::string kTreeName = "\xC9rable du Japon";
const std::string kSpring = "2026-05-01 \xC9rable du Japon.jpg";
const std::string kSummer = "2026-07-01 \xC9rable du Japon.heic";
const std::string kGiver = "Anna \xD8" "deg\xE5rd";
// 2026-12-08 14:03:00 UTC.
const auto kExportedAt = std::chrono::system_clock::from_time_t(1796738580);

std::string randomBytes(std::string head, std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    while (head.size() < size)
        head += static_cast<char>(random());
    return head;
}

std::filesystem::path on(const std::filesystem::path& folder, const std::string& cp1252Name)
{
    return folder / talvane::text::cp1252ToUtf8(cp1252Name);
}

// A giver's collection of two trees, the second with album pictures, timeline photos
// and a journal that names them; and a receiver's collection of one tree.
class PassportRoundTrip : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const auto& side : {"giver", "receiver"}) {
            std::filesystem::create_directories(m_dir / side / "Album");
            std::filesystem::create_directories(m_dir / side / "Photos");
        }
        addTree(m_giver, "Pine", {});
        m_id = newTreeId();
        addTree(m_giver, kTreeName,
                {{day("2026-05-01"), CareKind::Photo, std::nullopt, "Photos/" + kSpring, "first leaves", m_id, {}, {}},
                 {day("2026-06-01"), CareKind::Wiring, day("2026-09-01"), "maple.bmp", "wired", {}, {}, {}},
                 {day("2026-07-01"), CareKind::Photo, std::nullopt, "Photos/" + kSummer, "summer", m_id, {}, {}}});
        CBonsaiData& tree = *m_giver[1];
        tree[kJournalField] = std::string(tree[kJournalField]) + "\r\n2027-02-30\tNote\t\t\tno such day";
        tree[kTreeIdField] = m_id;
        tree[CBonsaiData::Photo1] = "maple.bmp";
        tree[CBonsaiData::Photo2] = "maple autumn.bmp";
        tree[CBonsaiData::Photo1Description] = "Summer";
        tree[100] = std::string("\x81\x8D\0\xFF kept", 9);
        ASSERT_FALSE(saveCollectionFile(giverFile(), m_giver));

        m_pictures = {{on(giverAlbum(), "maple.bmp"), randomBytes("BM", 3000, 1)},
                      {on(giverAlbum(), "maple autumn.bmp"), randomBytes("BM", 2000, 2)},
                      {on(giverPhotos(), kSpring), randomBytes("\xFF\xD8\xFF\xE0", 20000, 3)},
                      {on(giverPhotos(), kSummer), randomBytes("\0\0\0\x18" "ftypheic", 15000, 4)}};
        for (const auto& [path, bytes] : m_pictures)
            writeFileBytes(path, bytes);
        addTree(m_receiver, "Juniper", {});
    }

    std::filesystem::path giverFile() const { return m_dir / "giver" / "giver.tvn"; }
    std::filesystem::path giverAlbum() const { return m_dir / "giver" / "Album"; }
    std::filesystem::path giverPhotos() const { return m_dir / "giver" / "Photos"; }
    std::filesystem::path receiverAlbum() const { return m_dir / "receiver" / "Album"; }
    std::filesystem::path receiverPhotos() const { return m_dir / "receiver" / "Photos"; }
    std::filesystem::path passport() const { return m_dir / "Maple.tvp"; }

    ExportedPassport exportTree()
    {
        PassportExport request{giverFile(), giverAlbum(), giverPhotos(), kGiver, kExportedAt, passport()};
        return exportPassport(m_giver, 1, request);
    }

    ImportedTree importTree(const EntryList& collection)
    {
        return importPassport({passport(), receiverAlbum(), receiverPhotos(), day("2027-01-02"), {}}, collection);
    }

    TempDir m_dir;
    EntryList m_giver;
    EntryList m_receiver;
    std::string m_id;
    std::vector<std::pair<std::filesystem::path, std::string>> m_pictures;
};

TEST_F(PassportRoundTrip, KeepsEveryFieldEachPictureAndTheJournalAndNotesTheHandOver)
{
    const ExportedPassport exported = exportTree();
    ASSERT_EQ(exported.problem, "");
    EXPECT_TRUE(exported.leftOut.empty());

    ImportedTree imported = importTree(m_receiver);
    ASSERT_EQ(imported.problem, "");
    ASSERT_TRUE(imported.entry);
    EXPECT_FALSE(imported.givenNewId);
    EXPECT_TRUE(imported.receivedNoted);
    const CBonsaiData& original = *m_giver[1];
    const CBonsaiData& received = *imported.entry;
    for (std::size_t field = 0; field < CBonsaiData::kFieldCount; ++field) {
        if (field != kJournalField) {
            EXPECT_EQ(received[field], original[field]) << "field " << field;
        }
    }
    const std::string journal(received[kJournalField]);
    const std::string before(original[kJournalField]);
    ASSERT_EQ(journal.substr(0, before.size()), before) << "the journal as it was, unreadable line and all";
    const auto events = Journal::read(journal).lines();
    ASSERT_TRUE(events.back().event);
    EXPECT_EQ(events.back().event->date, day("2027-01-02"));
    EXPECT_EQ(events.back().event->kind, CareKind::Note);
    EXPECT_EQ(events.back().event->text, "Received from " + kGiver);

    EXPECT_EQ(imported.placed.files().size(), m_pictures.size());
    imported.placed.commit();
    imported = {};
    for (const auto& [path, bytes] : m_pictures) {
        const auto folder = path.parent_path().filename() == "Album" ? receiverAlbum() : receiverPhotos();
        EXPECT_EQ(readFileBytes(folder / path.filename()), bytes) << path;
    }
}

TEST_F(PassportRoundTrip, HoldsTheManifestTheTreeAsASaveWritesItAndEachPictureOnce)
{
    ASSERT_EQ(exportTree().problem, "");
    EXPECT_EQ(archiveListing(passport()),
              (std::vector<std::string>{"manifest.json deflated", "tree.tvn deflated", "Album/maple.bmp deflated",
                                        "Album/maple autumn.bmp deflated", "Photos/" + talvane::text::cp1252ToUtf8(kSpring) + " stored",
                                        "Photos/" + talvane::text::cp1252ToUtf8(kSummer) + " stored"}));
    EntryList alone;
    alone.push_back(copyEntry(*m_giver[1]));
    ASSERT_FALSE(saveCollectionFile(m_dir / "alone.tvn", alone));
    EXPECT_EQ(archiveMember(passport(), "tree.tvn"), readFileBytes(m_dir / "alone.tvn"));

    const ManifestReading manifest = readManifest(archiveMember(passport(), "manifest.json"));
    ASSERT_TRUE(manifest.manifest) << manifest.problem;
    EXPECT_EQ(*manifest.manifest, (PassportManifest{talvane::text::cp1252ToUtf8(kTreeName), m_id, "2026-12-08T14:03:00Z",
                                                    "giver.tvn", talvane::text::cp1252ToUtf8(kGiver), {}}));
}

TEST_F(PassportRoundTrip, AnIdentifierTheCollectionHoldsIsReplacedAndTheJournalFollowsIt)
{
    ASSERT_EQ(exportTree().problem, "");
    m_receiver.push_back(copyEntry(*m_giver[1]));
    ImportedTree imported = importTree(m_receiver);
    ASSERT_EQ(imported.problem, "");
    EXPECT_TRUE(imported.givenNewId);
    const std::string newId((*imported.entry)[kTreeIdField]);
    EXPECT_TRUE(isWellFormedTreeId(newId));
    EXPECT_NE(newId, m_id);

    std::string expected((*m_giver[1])[kJournalField]);
    for (std::size_t at = expected.find(m_id); at != std::string::npos; at = expected.find(m_id, at))
        expected.replace(at, m_id.size(), newId);
    const std::string journal((*imported.entry)[kJournalField]);
    EXPECT_EQ(journal.substr(0, expected.size()), expected);
    EXPECT_EQ(journal.find(m_id), std::string::npos);
}

TEST_F(PassportRoundTrip, NamesAreMadeUniqueAgainstFilesAlreadyInTheFolders)
{
    ASSERT_EQ(exportTree().problem, "");
    writeFileBytes(receiverAlbum() / "maple.bmp", "the receiver's own");
    writeFileBytes(on(receiverPhotos(), kSpring), "the receiver's own spring");
    writeFileBytes(on(receiverPhotos(), "2026-05-01 \xC9rable du Japon (2).jpg"), "and its second");

    ImportedTree imported = importTree(m_receiver);
    ASSERT_EQ(imported.problem, "");
    const CBonsaiData& received = *imported.entry;
    EXPECT_EQ(received[CBonsaiData::Photo1], "maple (2).bmp");
    EXPECT_EQ(received[CBonsaiData::Photo2], "maple autumn.bmp");
    const auto lines = Journal::read(received[kJournalField]).lines();
    EXPECT_EQ(lines[0].event->picture, "Photos/2026-05-01 \xC9rable du Japon (3).jpg");
    EXPECT_EQ(lines[1].event->picture, "maple (2).bmp");
    EXPECT_EQ(lines[2].event->picture, "Photos/" + kSummer);
    EXPECT_EQ(readFileBytes(receiverAlbum() / "maple (2).bmp"), m_pictures[0].second);
    EXPECT_EQ(readFileBytes(on(receiverPhotos(), "2026-05-01 \xC9rable du Japon (3).jpg")), m_pictures[2].second);
    EXPECT_EQ(readFileBytes(receiverAlbum() / "maple.bmp"), "the receiver's own");
    EXPECT_EQ(readFileBytes(on(receiverPhotos(), kSpring)), "the receiver's own spring");
}

TEST_F(PassportRoundTrip, PlacedPicturesAreTakenBackUnlessCommitted)
{
    ASSERT_EQ(exportTree().problem, "");
    const auto before = folderContents(m_dir / "receiver");
    {
        ImportedTree imported = importTree(m_receiver);
        ASSERT_EQ(imported.problem, "");
        for (const auto& file : imported.placed.files())
            EXPECT_TRUE(std::filesystem::is_regular_file(file)) << file;
    }
    EXPECT_EQ(folderContents(m_dir / "receiver"), before) << "a save that failed leaves no picture behind";
}

TEST_F(PassportRoundTrip, AMissingPictureIsLeftOutToldAndKeptAsNamed)
{
    std::filesystem::remove(giverAlbum() / "maple autumn.bmp");
    const ExportedPassport exported = exportTree();
    ASSERT_EQ(exported.problem, "");
    EXPECT_EQ(exported.leftOut, std::vector<std::string>{"Album/maple autumn.bmp"});
    EXPECT_EQ(readManifest(archiveMember(passport(), "manifest.json")).manifest->leftOut, exported.leftOut);

    ImportedTree imported = importTree(m_receiver);
    ASSERT_EQ(imported.problem, "");
    EXPECT_EQ((*imported.entry)[CBonsaiData::Photo2], "maple autumn.bmp");
    EXPECT_FALSE(std::filesystem::exists(receiverAlbum() / "maple autumn.bmp"));
}

TEST_F(PassportRoundTrip, AFailedExportLeavesAnEarlierPassportAsItWasAndNoTemporaryFile)
{
    writeFileBytes(passport(), "an earlier passport");
    const auto before = folderNames(m_dir.path());
    ExportedPassport exported;
    {
        const FileSizeLimit diskFull(4096);
        exported = exportTree();
    }
    EXPECT_EQ(exported.problem.rfind("cannot write Maple.tvp: ", 0), 0u) << exported.problem;
    EXPECT_EQ(readFileBytes(passport()), "an earlier passport");
    EXPECT_EQ(folderNames(m_dir.path()), before);
}

TEST_F(PassportRoundTrip, TheCollectionItselfIsNeverWrittenOver)
{
    const std::string before = readFileBytes(giverFile());
    const ExportedPassport exported =
        exportPassport(m_giver, 1, {giverFile(), giverAlbum(), giverPhotos(), {}, kExportedAt, giverFile()});
    EXPECT_EQ(exported.problem, "cannot write giver.tvn: it is the collection itself");
    EXPECT_EQ(readFileBytes(giverFile()), before);
}

TEST_F(PassportRoundTrip, AJournalOfAnotherProgramIsKeptWithoutTheReceivedNote)
{
    (*m_giver[1])[kJournalField] = kForeign;
    ASSERT_EQ(exportTree().problem, "");
    ImportedTree imported = importTree(m_receiver);
    ASSERT_EQ(imported.problem, "");
    EXPECT_FALSE(imported.receivedNoted);
    EXPECT_EQ((*imported.entry)[kJournalField], kForeign);
    EXPECT_EQ(imported.placed.files().size(), 2u) << "the album pictures still travel";
}

TEST_F(PassportRoundTrip, APassportOfAHeldTreeAddsWhatTheTreeLacksOnceAndKeepsWhatWasChangedHere)
{
    // The receiver's own maple.bmp makes the first import name the giver's "maple (2).bmp".
    writeFileBytes(receiverAlbum() / "maple.bmp", "the receiver's own");
    ASSERT_EQ(exportTree().problem, "");
    ImportedTree first = importTree(m_receiver);
    ASSERT_EQ(first.problem, "");
    first.placed.commit();
    m_receiver.push_back(std::move(first.entry));
    CBonsaiData& held = *m_receiver[1];
    held[CBonsaiData::Name] = "Mon \xE9rable";
    held[CBonsaiData::Photo2Description] = "red";
    Journal own = Journal::read(held[kJournalField]);
    own.add({day("2027-03-01"), CareKind::Repotting, std::nullopt, {}, "repotted", {}, {}, {}});
    held[kJournalField] = own.text();

    // Meanwhile the giver renamed it, photographed it, used the album picture again and
    // added one to the album.
    CBonsaiData& given = *m_giver[1];
    given[CBonsaiData::Name] = "Acer";
    Journal theirs = Journal::read(given[kJournalField]);
    theirs.add({day("2027-04-01"), CareKind::Photo, std::nullopt, "Photos/autumn.jpg", "autumn", m_id, {}, {}});
    theirs.add({day("2027-04-02"), CareKind::Styling, std::nullopt, "maple.bmp", "styled", {}, {}, {}});
    given[kJournalField] = theirs.text();
    given[CBonsaiData::Photo3] = "maple winter.bmp";
    given[CBonsaiData::Photo3Description] = "Winter";
    writeFileBytes(giverPhotos() / "autumn.jpg", randomBytes("\xFF\xD8\xFF\xE0", 9000, 5));
    writeFileBytes(giverAlbum() / "maple winter.bmp", randomBytes("BM", 1000, 6));
    ASSERT_EQ(exportTree().problem, "");

    const std::string before(held[kJournalField]);
    const PassportImport request{passport(), receiverAlbum(), receiverPhotos(), day("2027-05-01"), {}};
    TreeUpdate update = updateFromPassport(request, m_receiver);
    ASSERT_EQ(update.problem, "");
    EXPECT_EQ(update.position, 1u);
    EXPECT_EQ(update.eventsAdded, 2u);
    EXPECT_EQ(update.albumPicturesLeftOut, 0u);
    ASSERT_EQ(update.placed.files().size(), 2u) << "only the new photo and the new album picture are copied";
    for (const auto& [field, value] : update.values)
        held[field] = value;
    update.placed.commit();

    EXPECT_EQ(held[CBonsaiData::Name], "Mon \xE9rable");
    EXPECT_EQ(held[CBonsaiData::Photo1], "maple (2).bmp");
    EXPECT_EQ(held[CBonsaiData::Photo2Description], "red");
    EXPECT_EQ(held[CBonsaiData::Photo3], "maple winter.bmp");
    EXPECT_EQ(held[CBonsaiData::Photo3Description], "Winter");
    EXPECT_EQ(readFileBytes(receiverAlbum() / "maple winter.bmp"), readFileBytes(giverAlbum() / "maple winter.bmp"));
    const std::string journal(held[kJournalField]);
    ASSERT_EQ(journal.substr(0, before.size()), before) << "the events here stay as they are, the Received note too";
    const auto lines = Journal::read(journal).lines();
    ASSERT_EQ(lines.size(), Journal::read(before).lines().size() + 2);
    EXPECT_EQ(lines[lines.size() - 2].event->picture, "Photos/autumn.jpg");
    EXPECT_EQ(readFileBytes(receiverPhotos() / "autumn.jpg"), readFileBytes(giverPhotos() / "autumn.jpg"));
    EXPECT_EQ(lines.back().event->picture, "maple (2).bmp") << "the picture it has already, by its bytes";
    EXPECT_EQ(readFileBytes(receiverAlbum() / "maple.bmp"), "the receiver's own");

    const auto settled = folderContents(m_dir / "receiver");
    const TreeUpdate again = updateFromPassport(request, m_receiver);
    ASSERT_EQ(again.problem, "");
    EXPECT_TRUE(again.values.empty());
    EXPECT_EQ(again.eventsAdded, 0u);
    EXPECT_TRUE(again.placed.files().empty());
    EXPECT_EQ(folderContents(m_dir / "receiver"), settled);

    // A tree whose album is full takes the events and counts what it could not hold.
    for (std::size_t slot = 0; slot < CBonsaiData::kPhotoSlots; ++slot)
        held[CBonsaiData::photoField(slot)] = "own " + std::to_string(slot) + ".bmp";
    held[kJournalField] = before;
    const TreeUpdate full = updateFromPassport(request, m_receiver);
    ASSERT_EQ(full.problem, "");
    EXPECT_EQ(full.albumPicturesLeftOut, 3u);
    EXPECT_EQ(full.eventsAdded, 2u);
    EXPECT_EQ(full.placed.files().size(), 1u) << "the photo no event names any more is copied again, the album pictures not at all";
}

} // namespace
