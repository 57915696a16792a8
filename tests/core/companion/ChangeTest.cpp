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
    const CalendarDate day = CalendarDate::today().plusDays(-3);
    auto items = FormParts({{"kind", "Repotting"}, {"date", day.text()}, {"text", "Spring growth \u00E9"},
                            {"amount-height", "42"}, {"unit-height", "cm"}});
    items.push_back(PhotoPart(first, "IMG_0001.JPG"));
    items.push_back(PhotoPart(second, "../../IMG_0002.jpg"));
    const auto added = JsonAnswer(phone->postMultipart(kMomijiEvents, items), 201, "care with two photos");
    ASSERT_TRUE(added.is_object());
    EXPECT_EQ(added["tree"], kMomijiId);
    EXPECT_EQ(served.host.changes(), 1);

    // The care shows the first photo; the second is a Photo event of the same day.
    const Journal journal = served.host.journal(0);
    ASSERT_EQ(journal.lines().size(), 4u);
    std::vector<CareEvent> logged;
    for (const auto& line : journal.lines())
        if (line.event && line.event->date == day)
            logged.push_back(*line.event);
    ASSERT_EQ(logged.size(), 2u);
    const CareEvent& a = logged[0].kind == CareKind::Repotting ? logged[0] : logged[1];
    const CareEvent& b = logged[0].kind == CareKind::Repotting ? logged[1] : logged[0];
    EXPECT_EQ(a.kind, CareKind::Repotting);
    EXPECT_EQ(b.kind, CareKind::Photo);
    EXPECT_EQ(a.text, "Spring growth \xE9");
    EXPECT_EQ(b.text, "");
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
    // Each picture the answer names reaches the phone as it was sent.
    ASSERT_EQ(added["photoEvents"].size(), 1u);
    for (const auto& [event, sent] : {std::pair{added["event"], first}, {added["photoEvents"][0], second}}) {
        ASSERT_EQ(event["pictures"].size(), 1u) << event;
        const auto shown = phone->get(event["pictures"][0]["url"]);
        ASSERT_TRUE(shown);
        EXPECT_EQ(shown->status, 200);
        EXPECT_EQ(shown->body, sent);
    }
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
    ServerOptions options;
    options.bindAddress = "127.0.0.1";
    options.uploadFolder = dir.path().string();
    ASSERT_FALSE(server.start(options));
    Phone phone(server.port());
    ASSERT_TRUE(phone.pair(server.sessions().pairingToken()));

    const auto trees = JsonAnswer(phone.get("/api/trees?limit=1"), 200, "the trees");
    ASSERT_EQ(trees["trees"].size(), 1u);
    const std::string shown = trees["trees"][0]["id"];
    const auto sent = JsonAnswer(
        phone.postMultipart(EventsApi(shown), FormParts({{"kind", "Feeding"}, {"text", "Fed from the phone"}})), 201,
        "care logged");
    ASSERT_TRUE(sent.is_object());
    EXPECT_EQ(sent["tree"], shown);

    // Read back as the desktop would open it, while the server still holds it.
    EntryList reread;
    ASSERT_FALSE(LoadCollectionFile(file, reread));
    const auto position = talvane::findTree(reread, shown);
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

    const auto due = JsonAnswer(phone->get("/api/due"), 200, "the Due list");
    ASSERT_EQ(due["tasks"].size(), 1u);
    EXPECT_EQ(due["tasks"][0]["repeat"], "every 2 weeks");
    EXPECT_EQ(JsonAnswer(phone->post(DoneApi(due["tasks"][0]["task"].get<std::string>())), 200, "marked done").value("tree", ""), kMomijiId);

    const auto lines = served.host.journal(0).lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_FALSE(lines[0].event->due || lines[0].event->repeat);
    EXPECT_EQ(lines[2].event->due, CalendarDate::today().plusDays(14));
    EXPECT_EQ(lines[2].event->repeat, wiring.repeat);
    const auto after = JsonAnswer(phone->get("/api/due"), 200, "the Due list after");
    ASSERT_EQ(after["tasks"].size(), 1u) << "the next one is due";
    EXPECT_EQ(after["tasks"][0]["due"], CalendarDate::today().plusDays(14).text());
    EXPECT_NE(after["tasks"][0]["task"], due["tasks"][0]["task"]);
}
