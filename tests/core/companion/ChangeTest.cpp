// Changes that are taken: care logged with photos from the phone's camera, and a
// file served without a window written at once, keeping the version it replaced.
#include "ServedCollection.h"

#include "core/collection/CollectionFile.h"
#include "core/collection/TreeIdentity.h"
#include "core/collection/VersionStore.h"
#include "core/companion/FileCollectionHost.h"
#include "core/companion/ProgramTokens.h"
#include "support/core/JournalTestTrees.h"
#include "support/core/PhotoTestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>

using namespace talvane::collection;

using namespace talvane::companion;
using namespace talvane::journal;

namespace {

// Two photos of the phone's camera, taken on 2026-05-01 and 2026-05-02, as a form's parts.
std::vector<std::string> twoPhotos(const std::filesystem::path& folder)
{
    return {readFileBytes(writeJpegWithExif((folder / "a.jpg").string(), {.dateTimeOriginal = "2026:05:01 09:30:00"})),
            readFileBytes(writeJpegWithExif((folder / "b.jpg").string(), {.dateTimeOriginal = "2026:05:02 18:00:00"}))};
}

// The events a change added at the end of a journal that held `before` lines.
std::vector<CareEvent> addedEvents(const Journal& journal, std::size_t before)
{
    std::vector<CareEvent> added;
    for (std::size_t line = before; line < journal.lines().size(); ++line)
        added.push_back(journal.lines()[line].event.value());
    return added;
}

} // namespace

TEST(CompanionChanges, CareLoggedWithTwoPhotosPutsBothOnTheTimeline)
{
    ServedCollection served(garden());
    const std::vector<std::string> sent = twoPhotos(served.dir.path());
    auto phone = served.pairedPhone();
    const CalendarDate day = CalendarDate::today().plusDays(-3);
    const CalendarDate due = CalendarDate::today().plusDays(20);
    auto items = formParts({{"kind", "Repotting"}, {"date", day.text()}, {"text", "Spring growth \u00E9"},
                            {"amount-height", "42"}, {"unit-height", "cm"}, {"due", due.text()}, {"repeat", "1y@3-4"}});
    items.push_back(photoPart(sent[0], "IMG_0001.JPG"));
    items.push_back(photoPart(sent[1], "../../IMG_0002.jpg"));
    const auto added = jsonAnswer(phone->postMultipart(kMomijiEvents, items), 201, "care with two photos");
    ASSERT_TRUE(added.is_object());
    EXPECT_EQ(added["tree"], kMomijiId);
    EXPECT_EQ(served.host.changes(), 1);

    // One event, of the day the care was done, holds both photos, whatever their cameras say.
    const std::vector<CareEvent> logged = addedEvents(served.host.journal(0), 2);
    ASSERT_EQ(logged.size(), 1u);
    const CareEvent& care = logged[0];
    EXPECT_EQ(care.date, day);
    EXPECT_EQ(care.kind, CareKind::Repotting);
    EXPECT_EQ(care.text, "Spring growth \xE9");
    EXPECT_EQ(care.treeId, kMomijiId);
    EXPECT_EQ(care.due, due);
    EXPECT_EQ(care.repeat, (CareRepeat{1, RepeatUnit::Year, MonthSpan{3, 4}}));
    ASSERT_EQ(care.measurements.size(), 1u);
    EXPECT_EQ(care.measurements[0].stored(), "height=42cm");
    // Copied under the tree's name, whatever the phone called them, byte for byte.
    const auto names = folderNames(served.host.photosFolder);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(care.pictures(), (std::vector<std::string>{"Photos/" + names[0], "Photos/" + names[1]}));
    EXPECT_EQ(readFileBytes(served.host.photosFolder / names[0]), sent[0]);
    EXPECT_EQ(readFileBytes(served.host.photosFolder / names[1]), sent[1]);
    EXPECT_TRUE(std::filesystem::is_empty(served.uploads()));
    // Each picture the answer names reaches the phone as it was sent.
    EXPECT_TRUE(added["photoEvents"].empty());
    ASSERT_EQ(added["event"]["pictures"].size(), 2u) << added;
    for (std::size_t at = 0; at < 2; ++at) {
        const auto shown = phone->get(added["event"]["pictures"][at]["url"]);
        ASSERT_TRUE(shown);
        EXPECT_EQ(shown->status, 200);
        EXPECT_EQ(shown->body, sent[at]);
    }
    const auto tree = jsonAnswer(phone->get(kMomijiApi), 200, "the tree after");
    EXPECT_EQ(std::count(tree["events"].begin(), tree["events"].end(), added["event"]), 1) << tree["events"];
    EXPECT_EQ(tree["timeline"].size(), 2u);
    const auto trees = jsonAnswer(phone->get("/api/trees?q=Momiji"), 200, "the trees after");
    EXPECT_EQ(trees["trees"][0]["photos"], 2) << trees["trees"][0];
}

TEST(CompanionChanges, PhotosAddedByTheirDatesAreAnEventEachDatedByTheCamera)
{
    ServedCollection served(garden());
    const std::vector<std::string> sent = twoPhotos(served.dir.path());
    auto phone = served.pairedPhone();
    const CalendarDate due = CalendarDate::today().plusDays(20);
    auto items = formParts({{"kind", "Pruning"}, {"date", CalendarDate::today().plusDays(-1).text()}, {"text", "cut"},
                            {"amount-trunk", "3"}, {"unit-trunk", "cm"}, {"due", due.text()}, {"repeat", "2w"},
                            {"byPhotoDates", "1"}});
    items.push_back(photoPart(sent[1], "IMG_0002.JPG"));
    items.push_back(photoPart(sent[0], "IMG_0001.JPG"));
    const auto added = jsonAnswer(phone->postMultipart(kMomijiEvents, items), 201, "photos by their dates");
    ASSERT_TRUE(added.is_object());

    // In the order sent; the first holds what is due and measured.
    const std::vector<CareEvent> logged = addedEvents(served.host.journal(0), 2);
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_EQ(logged[0].date, day("2026-05-02"));
    EXPECT_EQ(logged[1].date, day("2026-05-01"));
    for (const CareEvent& event : logged) {
        EXPECT_EQ(event.kind, CareKind::Pruning);
        EXPECT_EQ(event.text, "cut");
        EXPECT_EQ(event.pictures().size(), 1u);
    }
    EXPECT_EQ(logged[0].due, due);
    EXPECT_EQ(logged[0].repeat, (CareRepeat{2, RepeatUnit::Week, std::nullopt}));
    EXPECT_EQ(logged[0].measurements.size(), 1u);
    EXPECT_FALSE(logged[1].due || logged[1].repeat || !logged[1].measurements.empty());
    EXPECT_EQ(added["event"]["date"], "2026-05-02");
    ASSERT_EQ(added["photoEvents"].size(), 1u);
    EXPECT_EQ(added["photoEvents"][0]["date"], "2026-05-01");

    // Without photos there is no camera to date by: the one event is of the day given.
    const auto plain = jsonAnswer(phone->postMultipart(kMomijiEvents, formParts({{"kind", "Note"}, {"byPhotoDates", "1"}})),
                                  201, "no photos by their dates");
    EXPECT_EQ(plain["event"]["date"], CalendarDate::today().text());
    EXPECT_TRUE(plain["photoEvents"].empty());
}

TEST(CompanionChanges, ServedFileIsWrittenAtEachChangeAndKeepsTheVersionBefore)
{
    TempDir dir;
    const auto file = dir / "sample.tvn";
    std::filesystem::copy_file(std::filesystem::path(TALVANE_SOURCE_DIR) / "data" / "sample.tvn", file);
    const std::string original = readFileBytes(file);
    auto opened = FileCollectionHost::open(file, dir.path());
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<FileCollectionHost>>(opened)) << std::get<std::string>(opened);
    CompanionServer server(*std::get<std::unique_ptr<FileCollectionHost>>(opened));
    ServerOptions options;
    options.bindAddress = "127.0.0.1";
    options.uploadFolder = dir.path().string();
    ASSERT_FALSE(server.start(options));
    Phone phone(server.port());
    ASSERT_TRUE(phone.pair(server.sessions().pairingToken()));

    const auto trees = jsonAnswer(phone.get("/api/trees?limit=1"), 200, "the trees");
    ASSERT_EQ(trees["trees"].size(), 1u);
    const std::string shown = trees["trees"][0]["id"];
    const auto sent = jsonAnswer(
        phone.postMultipart(eventsApi(shown), formParts({{"kind", "Feeding"}, {"text", "Fed from the phone"}})), 201,
        "care logged");
    ASSERT_TRUE(sent.is_object());
    EXPECT_EQ(sent["tree"], shown);

    // Read back as the desktop would open it, while the server still holds it.
    EntryList reread;
    ASSERT_FALSE(loadCollectionFile(file, reread));
    const auto position = findTree(reread, shown);
    ASSERT_TRUE(position);
    const auto lines = Journal::read((*reread[*position])[kJournalField]).lines();
    ASSERT_TRUE(!lines.empty() && lines.back().event);
    EXPECT_EQ(lines.back().event->kind, CareKind::Feeding);
    EXPECT_EQ(lines.back().event->text, "Fed from the phone");
    EXPECT_EQ(lines.back().event->date, CalendarDate::today());

    const auto versions = listVersions(file);
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(versions[0].file.parent_path(), dir / ".talvane-versions" / "sample.tvn");
    EXPECT_EQ(readFileBytes(versions[0].file), original);
}

TEST(CompanionChanges, MarkDoneOnARepeatingTaskSetsItsNextDueDate)
{
    EntryList trees = garden();
    Journal journal = Journal::read((*trees[0])[kJournalField]);
    CareEvent wiring = *journal.lines()[0].event;
    wiring.repeat = CareRepeat{2, RepeatUnit::Week, std::nullopt};
    ASSERT_TRUE(journal.replace(0, wiring));
    (*trees[0])[kJournalField] = journal.text();
    ServedCollection served(std::move(trees));
    auto phone = served.pairedPhone();

    const auto due = jsonAnswer(phone->get("/api/due"), 200, "the Due list");
    ASSERT_EQ(due["tasks"].size(), 1u);
    EXPECT_EQ(due["tasks"][0]["repeat"], "every 2 weeks");
    EXPECT_EQ(jsonAnswer(phone->post(doneApi(due["tasks"][0]["task"].get<std::string>())), 200, "marked done").value("tree", ""), kMomijiId);

    const auto lines = served.host.journal(0).lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_FALSE(lines[0].event->due || lines[0].event->repeat);
    EXPECT_EQ(lines[2].event->due, CalendarDate::today().plusDays(14));
    EXPECT_EQ(lines[2].event->repeat, wiring.repeat);
    const auto after = jsonAnswer(phone->get("/api/due"), 200, "the Due list after");
    ASSERT_EQ(after["tasks"].size(), 1u) << "the next one is due";
    EXPECT_EQ(after["tasks"][0]["due"], CalendarDate::today().plusDays(14).text());
    EXPECT_NE(after["tasks"][0]["task"], due["tasks"][0]["task"]);
}

// A file served without a window is written at each change: whoever sent it, phone or
// program, is told so, and the log names the sender by the name the grower knows it by.
TEST(CompanionChanges, AWrittenChangeIsSaidSavedAndLoggedWithItsSender)
{
    TempDir dir;
    const auto file = dir / "garden.tvn";
    ASSERT_FALSE(saveCollectionFile(file, garden()));
    auto opened = FileCollectionHost::open(file, dir.path());
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<FileCollectionHost>>(opened)) << std::get<std::string>(opened);
    FileCollectionHost& host = *std::get<std::unique_ptr<FileCollectionHost>>(opened);
    std::mutex logging;
    std::vector<std::string> logged;
    host.logChangesTo([&](std::string_view line) {
        std::lock_guard lock(logging);
        logged.emplace_back(line);
    });
    ServerOptions options;
    options.bindAddress = "127.0.0.1";
    options.tokenFile = dir / "tokens.json";
    const MadeToken token = ProgramTokens(options.tokenFile).make("greenhouse panel");
    ASSERT_TRUE(std::holds_alternative<std::string>(token));
    CompanionServer server(host);
    ASSERT_FALSE(server.start(options));
    Phone phone(server.port()), program(server.port());
    ASSERT_TRUE(phone.pair(server.sessions().pairingToken()));
    ASSERT_FALSE(server.sessions().rename("Chrome on Android", "Anna's phone"));

    const auto added = jsonAnswer(phone.postMultipart(kMomijiEvents, formParts({{"kind", "Note"}, {"text", "watered"}})),
                                  201, "care from the phone");
    EXPECT_EQ(added["saved"], true) << added;
    const auto done = jsonAnswer(program.post(doneApi(firstDueTask(phone)), {},
                                              {{"Authorization", "Bearer " + std::get<std::string>(token)}}),
                                 200, "a task done by a program");
    EXPECT_EQ(done["saved"], true) << done;
    EXPECT_EQ(logged, (std::vector<std::string>{"Momiji: Add event from phone (sent by Anna's phone)",
                                                "Momiji: Mark done from phone (sent by greenhouse panel)"}));
}
