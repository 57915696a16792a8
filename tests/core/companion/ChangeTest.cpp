// Changes that are taken: care logged with photos from the phone's camera, and a
// file served without a window written at once, keeping the version it replaced.
#include "ServedCollection.h"

#include "collection/CollectionFile.h"
#include "collection/TreeIdentity.h"
#include "collection/VersionStore.h"
#include "companion/FileCollectionHost.h"
#include "core/PhotoTestFiles.h"

#include <gtest/gtest.h>

using namespace talvane::companion;
using namespace talvane::journal;

TEST(CompanionChanges, CareLoggedWithTwoPhotosPutsBothOnTheTimeline)
{
    ServedCollection served(Garden());
    const std::string first = ReadFileBytes(
        writeJpegWithExif((served.dir / "a.jpg").string(), {.dateTimeOriginal = "2026:05:01 09:30:00"}));
    const std::string second = ReadFileBytes(
        writeJpegWithExif((served.dir / "b.jpg").string(), {.dateTimeOriginal = "2026:05:02 18:00:00"}));
    auto phone = served.pairedPhone();
    const auto page = phone->get(kMomijiPage + "/log");
    ASSERT_TRUE(page);
    auto items = FormParts(FormOnPage(page->body), {{"kind", "Photo"}, {"text", "Spring growth \u00E9"},
                                                    {"amount-height", "42"}, {"unit-height", "cm"}});
    items.push_back({"photos", first, "IMG_0001.JPG", "image/jpeg"});
    items.push_back({"photos", second, "../../IMG_0002.jpg", "image/jpeg"});
    const auto sent = phone->postMultipart(kMomijiPage + "/log", items);
    ASSERT_TRUE(sent);
    ASSERT_EQ(sent->status, 303) << sent->body;
    EXPECT_EQ(sent->get_header_value("Location"), kMomijiPage);
    EXPECT_EQ(served.host.changes(), 1);

    const Journal journal = served.host.journal(0);
    ASSERT_EQ(journal.lines().size(), 4u);
    const CareEvent& a = *journal.lines()[2].event;
    const CareEvent& b = *journal.lines()[3].event;
    EXPECT_EQ(a.kind, CareKind::Photo);
    EXPECT_EQ(b.kind, CareKind::Photo);
    EXPECT_EQ(a.date.text(), "2026-05-01");
    EXPECT_EQ(b.date.text(), "2026-05-02");
    EXPECT_EQ(a.text, "Spring growth \xE9");
    EXPECT_EQ(a.treeId, kMomijiId);
    ASSERT_EQ(a.measurements.size(), 1u);
    EXPECT_EQ(a.measurements[0].stored(), "height=42cm");
    EXPECT_TRUE(b.measurements.empty());
    // Copied under the tree's name, whatever the phone called them, byte for byte.
    const auto names = FolderNames(served.host.photosFolder);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ("Photos/" + names[0], a.picture);
    EXPECT_EQ("Photos/" + names[1], b.picture);
    EXPECT_EQ(ReadFileBytes(served.host.photosFolder / names[0]), first);
    EXPECT_EQ(ReadFileBytes(served.host.photosFolder / names[1]), second);
    EXPECT_TRUE(std::filesystem::is_empty(served.uploads()));
    const auto shown = phone->get(kMomijiPage + "/photo/3");
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->body, second);
}

TEST(CompanionChanges, ServedFileIsWrittenAtEachChangeAndKeepsTheVersionBefore)
{
    TempDir dir;
    const auto file = dir / "sample.tvn";
    std::filesystem::copy_file(std::filesystem::path(TALVANE_SOURCE_DIR) / "data" / "sample.tvn", file);
    const std::string original = ReadFileBytes(file);
    auto opened = FileCollectionHost::open(file, dir.path());
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<FileCollectionHost>>(opened)) << std::get<std::string>(opened);
    CompanionServer server(*std::get<std::unique_ptr<FileCollectionHost>>(opened));
    ASSERT_FALSE(server.start({.bindAddress = "127.0.0.1", .uploadFolder = dir.path().string()}));
    Phone phone(server.port());
    ASSERT_TRUE(phone.pair(server.sessions().pairingToken()));

    const auto trees = phone.get("/trees");
    ASSERT_TRUE(trees);
    const std::string shown = FirstTreeLink(trees->body);
    const auto page = phone.get(shown + "/log");
    ASSERT_TRUE(page);
    const auto sent = phone.postMultipart(
        shown + "/log", FormParts(FormOnPage(page->body), {{"kind", "Feeding"}, {"text", "Fed from the phone"}}));
    ASSERT_TRUE(sent);
    ASSERT_EQ(sent->status, 303) << sent->body;
    EXPECT_EQ(sent->get_header_value("Location"), shown);

    // Read back as the desktop would open it, while the server still holds it.
    EntryList reread;
    ASSERT_FALSE(LoadCollectionFile(file, reread));
    const auto position = talvane::findTree(reread, shown.substr(std::string("/tree/").size()));
    ASSERT_TRUE(position);
    const auto lines = Journal::read((*reread[*position])[kJournalField]).lines();
    ASSERT_TRUE(!lines.empty() && lines.back().event);
    EXPECT_EQ(lines.back().event->kind, CareKind::Feeding);
    EXPECT_EQ(lines.back().event->text, "Fed from the phone");
    EXPECT_EQ(lines.back().event->date, CalendarDate::today());

    const auto versions = ListVersions(file);
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(versions[0].file.parent_path(), dir / ".talvane-versions" / "sample.tvn");
    EXPECT_EQ(ReadFileBytes(versions[0].file), original);
}

TEST(CompanionChanges, MarkDoneOnARepeatingTaskSetsItsNextDueDate)
{
    EntryList garden = Garden();
    Journal journal = Journal::read((*garden[0])[kJournalField]);
    CareEvent wiring = *journal.lines()[0].event;
    wiring.repeat = CareRepeat{2, RepeatUnit::Week, std::nullopt};
    ASSERT_TRUE(journal.replace(0, wiring));
    (*garden[0])[kJournalField] = journal.text();
    ServedCollection served(std::move(garden));
    auto phone = served.pairedPhone();

    const auto due = phone->get("/due");
    ASSERT_TRUE(due);
    EXPECT_NE(due->body.find("then every 2 weeks"), std::string::npos) << due->body;
    const auto sent = phone->post("/done", FormOnPage(due->body).fields);
    ASSERT_TRUE(sent);
    ASSERT_EQ(sent->status, 303) << sent->body;

    const auto lines = served.host.journal(0).lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_FALSE(lines[0].event->due || lines[0].event->repeat);
    EXPECT_EQ(lines[2].event->due, CalendarDate::today().plusDays(14));
    EXPECT_EQ(lines[2].event->repeat, wiring.repeat);
    const auto after = phone->get("/due");
    ASSERT_TRUE(after);
    EXPECT_NE(after->body.find(CalendarDate::today().plusDays(14).text()), std::string::npos) << "the next one is due";
}
