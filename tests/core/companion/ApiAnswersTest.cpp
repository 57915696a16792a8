// What the JSON API answers, as its description says: the trees, a tree, care logged
// and its refusals; and the routes served are the routes described.
#include "ServedCollection.h"

#include "core/companion/ApiJson.h"
#include "core/companion/Serving.h"
#include "support/core/BmpTestFiles.h"
#include "support/core/PhotoTestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>

using namespace talvane::collection;

using namespace talvane::companion;
using namespace talvane::journal;
using nlohmann::json;

namespace {

std::string smallBmp()
{
    BmpFile bmp;
    bmp.width = 1;
    bmp.height = 1;
    bmp.pixels = paddedRow(byteString({0, 128, 255}));
    return bmp.bytes();
}

// Momiji of the garden with an album picture and two timeline pictures: one of the
// photo folder, ten days ago, whose name is not ASCII, and one of the album, five days ago.
EntryList gardenWithPictures(const std::filesystem::path& folder)
{
    EntryList trees = garden();
    const CalendarDate today = CalendarDate::today();
    Journal journal = Journal::read((*trees[0])[kJournalField]);
    journal.add({today.plusDays(-10), CareKind::Photo, std::nullopt, "Photos/d\xE9" "but 1.jpg", "Spring", {}, {}, {}});
    journal.add({today.plusDays(-5), CareKind::Pruning, std::nullopt, "side.bmp", "Cut back", {}, {}, {}});
    CBonsaiData& momiji = *trees[0];
    momiji[kJournalField] = journal.text();
    momiji[CBonsaiData::photoField(0)] = "front.bmp";
    momiji[CBonsaiData::photoDescriptionField(0)] = "From the front";
    for (const char* name : {"front.bmp", "side.bmp"})
        writeFileBytes(folder / "Album" / name, smallBmp());
    std::filesystem::create_directories(folder / "Photos");
    writeJpegWithExif((folder / "Photos" / "d\u00E9but 1.jpg").string(), {});
    return trees;
}

std::set<std::pair<std::string, std::string>> describedRoutes()
{
    const json described = json::parse(
        readFileBytes(std::filesystem::path(TALVANE_SOURCE_DIR) / "src" / "core" / "companion" / "web" / "openapi.json"));
    std::set<std::pair<std::string, std::string>> routes;
    for (const auto& [path, operations] : described["paths"].items())
        for (const auto& [method, operation] : operations.items())
            if (method != "parameters")
                routes.emplace(std::string(method == "get" ? "GET" : method == "post" ? "POST" : method), path);
    return routes;
}

} // namespace

TEST(CompanionApi, TheRoutesServedAreTheRoutesDescribed)
{
    std::set<std::pair<std::string, std::string>> served;
    for (const ApiRoute& route : apiRoutes()) {
        served.emplace(std::string(route.method), std::string(route.path));
        // The pattern takes the path the description writes, its parameters filled in.
        const std::string example = std::regex_replace(
            std::regex_replace(std::regex_replace(std::string(route.path), std::regex("\\{id\\}"), kMomijiId),
                               std::regex("\\{task\\}"), std::string(kMomijiId) + ".0." + std::string(32, 'c')),
            std::regex("\\{name\\}"), "2026-05-01 Momiji.jpg");
        EXPECT_TRUE(std::regex_match(example, std::regex(route.pattern))) << route.path;
    }
    const auto described = describedRoutes();
    for (const auto& route : served)
        EXPECT_TRUE(described.count(route)) << route.first << " " << route.second << " is served but not described";
    for (const auto& route : described)
        EXPECT_TRUE(served.count(route)) << route.first << " " << route.second << " is described but not served";
    EXPECT_EQ(served.size(), apiRoutes().size()) << "a route served twice";
}

TEST(CompanionApi, WritesFromAnotherSiteAreRefusedAndThoseOfTheSameOriginPass)
{
    ServedCollection served(garden());
    auto phone = served.pairedPhone();
    const std::string self = "http://127.0.0.1:" + std::to_string(served.server.port());
    const std::string done = doneApi(firstDueTask(*phone));
    const httplib::Headers crossSite[] = {
        {{"Origin", "http://evil.example"}},
        {{"Origin", self + ".evil.example"}},
        {{"Origin", "null"}},
        {{"Sec-Fetch-Site", "cross-site"}},
        {{"Sec-Fetch-Site", "same-site"}},
        {{"Sec-Fetch-Site", "cross-site"}, {"Origin", self}},
    };
    for (const auto& headers : crossSite) {
        const std::string what = headers.begin()->first + ": " + headers.begin()->second;
        expectRefusal(phone->post(done, {}, headers), 403, "came from another site", what + " done");
        expectRefusal(phone->postMultipart(kMomijiEvents, formParts({{"kind", "Note"}}), {}, headers), 403,
                      "came from another site", what + " logged");
    }
    EXPECT_EQ(served.host.changes(), 0);
    // Reading is no change: another site's page may not read the answer anyway.
    const auto read = phone->get("/api/trees", {{"Origin", "http://evil.example"}, {"Sec-Fetch-Site", "cross-site"}});
    ASSERT_TRUE(read);
    EXPECT_EQ(read->status, 200);
    EXPECT_FALSE(read->has_header("Access-Control-Allow-Origin"));

    jsonAnswer(phone->post(done, {}, {{"Origin", self}}), 200, "done from the same origin");
    jsonAnswer(phone->postMultipart(kMomijiEvents, formParts({{"kind", "Note"}}), {},
                                    {{"Sec-Fetch-Site", "same-origin"}, {"Origin", "null"}}),
               201, "a page that sends no referrer");
    EXPECT_EQ(served.host.changes(), 2);
}

TEST(CompanionApi, CareIsAnsweredAsStoredAndTakenOnce)
{
    ServedCollection served(garden());
    auto phone = served.pairedPhone();
    const std::string first = readFileBytes(writeJpegWithExif((served.dir / "a.jpg").string(), {}));
    const std::string second = readFileBytes(writeJpegWithExif((served.dir / "b.jpg").string(), {}));
    const CalendarDate day = CalendarDate::today().plusDays(-2);
    const CalendarDate due = CalendarDate::today().plusDays(10);
    auto items = formParts({{"kind", "Pruning"}, {"date", day.text()}, {"text", "\u014Csaka style"}, {"due", due.text()},
                            {"repeat", "2w"}, {"amount-height", "42"}, {"unit-height", "cm"}});
    items.push_back(photoPart(first, "IMG_0001.JPG"));
    items.push_back(photoPart(second, "IMG_0002.JPG"));
    const json added = jsonAnswer(phone->postMultipart(kMomijiEvents, items, "care-0001"), 201, "care logged");
    ASSERT_TRUE(added.is_object());
    EXPECT_EQ(added["tree"], kMomijiId);
    EXPECT_EQ(added["saved"], false) << "a host that keeps the change does not write the file";
    EXPECT_EQ(added["notice"], "\u201C\u014C\u201D was changed to \u201CO\u201D: a Talvane collection cannot store \u201C\u014C\u201D");

    const json& event = added["event"];
    EXPECT_EQ(event["date"], day.text()) << "the day the care was done, as sent";
    EXPECT_EQ(event["kind"], "Pruning");
    EXPECT_EQ(event["kindLabel"], "Pruning");
    EXPECT_EQ(event["text"], "Osaka style");
    EXPECT_EQ(event["due"], due.text());
    EXPECT_EQ(event["measurements"], json::parse(R"([{"kind": "height", "label": "Height", "amount": 42, "unit": "cm",
                                                      "text": "42 cm"}])"));
    EXPECT_EQ(event["repeat"], "every 2 weeks");
    ASSERT_EQ(event["pictures"].size(), 2u) << "both photos are the event's";
    const std::string picture = event["pictures"][0]["name"];
    EXPECT_EQ(event["pictures"][0]["url"], "/api/photos/" + urlComponent(picture));
    EXPECT_NE(event["pictures"][1]["name"], picture);
    EXPECT_TRUE(added["photoEvents"].empty());
    EXPECT_EQ(served.host.changes(), 1);

    // The answer is the tree's own, as listed afterwards.
    const json tree = jsonAnswer(phone->get(kMomijiApi), 200, "the tree after");
    EXPECT_EQ(tree["events"].size(), 3u);
    EXPECT_EQ(std::count(tree["events"].begin(), tree["events"].end(), event), 1) << tree["events"];
    const json dueList = jsonAnswer(phone->get("/api/due"), 200, "the Due list");
    ASSERT_EQ(dueList["tasks"].size(), 2u);
    EXPECT_EQ(dueList["tasks"][1]["task"], event["task"]);

    // Sent again, the same write is not made again, whether or not its answer came.
    expectRefusal(phone->postMultipart(kMomijiEvents, items, "care-0001"), 409, "sent before", "the same key again");
    EXPECT_EQ(served.host.changes(), 1);
    EXPECT_EQ(folderNames(served.host.photosFolder).size(), 2u);
    // A text that needed no change has no notice.
    const json plain = jsonAnswer(phone->postMultipart(kMomijiEvents, formParts({{"kind", "Note"}, {"text", "Osaka"}}),
                                                       "care-0002"),
                                  201, "another key");
    EXPECT_FALSE(plain.contains("notice")) << plain;
    EXPECT_EQ(plain["event"]["date"], CalendarDate::today().text()) << "today, when no date is sent";
    EXPECT_TRUE(plain["photoEvents"].empty());
    EXPECT_TRUE(plain["event"]["pictures"].empty());
    EXPECT_EQ(served.host.changes(), 2);
}

TEST(CompanionApi, TreesAreListedInPartsSortedByNameAndFoundBySearch)
{
    ServedCollection served(garden());
    const std::filesystem::path folder = served.dir.path();
    served.host.edit([&](EntryList& entries) { entries = gardenWithPictures(folder); });
    auto phone = served.pairedPhone();

    const json all = jsonAnswer(phone->get("/api/trees"), 200, "every tree");
    EXPECT_EQ(all["collection"], "garden.tvn");
    EXPECT_EQ(all["total"], 3);
    EXPECT_EQ(all["found"], 3);
    EXPECT_EQ(all["offset"], 0);
    EXPECT_EQ(all["summary"], "3 of 3 trees");
    EXPECT_TRUE(all["labelled"].is_null());
    ASSERT_EQ(all["trees"].size(), 3u);
    std::vector<std::string> names;
    for (const json& tree : all["trees"])
        names.push_back(tree["name"]);
    EXPECT_EQ(names, (std::vector<std::string>{"Elm", "Momiji", "Pine"}));
    const json& momiji = all["trees"][1];
    EXPECT_EQ(momiji["id"], kMomijiId);
    EXPECT_EQ(momiji["botanicalName"], "Acer palmatum");
    EXPECT_EQ(momiji["due"], 1);
    EXPECT_EQ(momiji["photos"], 3) << "an album picture and two timeline pictures";
    EXPECT_EQ(momiji["thumbnail"], "/api/photos/front.bmp?size=128");
    EXPECT_TRUE(all["trees"][0]["thumbnail"].is_null());
    EXPECT_EQ(all["trees"][0]["due"], 0);
    const auto thumbnail = phone->get(momiji["thumbnail"]);
    ASSERT_TRUE(thumbnail);
    EXPECT_EQ(thumbnail->status, 200);
    EXPECT_EQ(thumbnail->get_header_value("Content-Type"), "image/bmp");

    const json part = jsonAnswer(phone->get("/api/trees?offset=1&limit=1"), 200, "the second tree");
    EXPECT_EQ(part["found"], 3);
    EXPECT_EQ(part["offset"], 1);
    ASSERT_EQ(part["trees"].size(), 1u);
    EXPECT_EQ(part["trees"][0], momiji);
    EXPECT_EQ(jsonAnswer(phone->get("/api/trees?offset=2&limit=5"), 200, "the last")["trees"].size(), 1u);
    EXPECT_TRUE(jsonAnswer(phone->get("/api/trees?offset=7"), 200, "past the end")["trees"].empty());
    const json found = jsonAnswer(phone->get("/api/trees?q=pine&limit=10"), 200, "a search");
    EXPECT_EQ(found["found"], 1);
    EXPECT_EQ(found["total"], 3);
    EXPECT_EQ(found["summary"], "1 of 3 trees");
    ASSERT_EQ(found["trees"].size(), 1u);
    EXPECT_EQ(found["trees"][0]["name"], "Pine");
    EXPECT_EQ(jsonAnswer(phone->get("/api/trees?q=" + urlComponent(std::string(300, 'z'))), 200, "a long search")["found"], 0);

    for (const std::string query : {"offset=-1", "offset=x", "offset=1234567890", "limit=0", "limit=", "limit=ten"})
        expectRefusal(phone->get("/api/trees?" + query), 422, "must be a whole number", query);
}

TEST(CompanionApi, ATreeGivesItsFieldsAlbumTimelineAndEvents)
{
    ServedCollection served(garden());
    const std::filesystem::path folder = served.dir.path();
    served.host.edit([&](EntryList& entries) { entries = gardenWithPictures(folder); });
    auto phone = served.pairedPhone();
    const CalendarDate today = CalendarDate::today();

    const json tree = jsonAnswer(phone->get(kMomijiApi), 200, "Momiji");
    EXPECT_EQ(tree["id"], kMomijiId);
    EXPECT_EQ(tree["name"], "Momiji");
    EXPECT_EQ(tree["botanicalName"], "Acer palmatum");
    EXPECT_TRUE(tree["journalShown"]);
    bool botanicalShown = false;
    for (const json& section : tree["sections"]) {
        EXPECT_FALSE(section["caption"].get<std::string>().empty());
        EXPECT_FALSE(section["fields"].empty()) << "a section without fields is left out";
        for (const json& field : section["fields"])
            botanicalShown = botanicalShown || field == json{{"label", "Botanical name"}, {"value", "Acer palmatum"}};
    }
    EXPECT_TRUE(botanicalShown) << tree["sections"];
    EXPECT_EQ(tree["album"], json::parse(R"([{"name": "front.bmp", "url": "/api/photos/front.bmp",
                                              "description": "From the front"}])"));

    // Newest first, each with its event's date, kind and text.
    ASSERT_EQ(tree["timeline"].size(), 2u);
    EXPECT_EQ(tree["timeline"][0]["name"], "side.bmp");
    EXPECT_EQ(tree["timeline"][0]["date"], today.plusDays(-5).text());
    EXPECT_EQ(tree["timeline"][0]["kind"], "Pruning");
    EXPECT_EQ(tree["timeline"][0]["text"], "Cut back");
    EXPECT_EQ(tree["timeline"][1]["name"], "d\u00E9but 1.jpg");
    EXPECT_EQ(tree["timeline"][1]["url"], "/api/photos/d%C3%A9but%201.jpg");
    for (const json& picture : {tree["album"][0], tree["timeline"][0], tree["timeline"][1]}) {
        const auto sent = phone->get(picture["url"]);
        ASSERT_TRUE(sent);
        EXPECT_EQ(sent->status, 200) << picture;
    }

    ASSERT_EQ(tree["events"].size(), 4u);
    std::vector<std::string> dates;
    for (const json& event : tree["events"])
        dates.push_back(event["date"]);
    EXPECT_TRUE(std::is_sorted(dates.rbegin(), dates.rend())) << tree["events"];
    const json& wiring = tree["events"][3];
    EXPECT_EQ(wiring["kind"], "Wiring");
    EXPECT_EQ(wiring["due"], today.plusDays(5).text());
    EXPECT_EQ(wiring["task"], firstDueTask(*phone)) << "a task due is named as the Due list names it";
    EXPECT_TRUE(tree["events"][0]["task"].is_null());
    EXPECT_TRUE(tree["events"][0]["due"].is_null());
    EXPECT_EQ(tree["events"][2]["pictures"],
              json::parse(R"([{"name": "d\u00e9but 1.jpg", "url": "/api/photos/d%C3%A9but%201.jpg"}])"));
}

TEST(CompanionApi, UnknownTreesTasksAndPicturesAre404AndATaskChangedSinceIs409)
{
    ServedCollection served(garden());
    auto phone = served.pairedPhone();
    const std::string gone = "no longer in the collection";
    expectRefusal(phone->get(treeApi("nosuch")), 404, gone, "a tree never there");
    expectRefusal(phone->get(treeApi("at1-0000")), 404, gone, "a reference that checks nothing");
    expectRefusal(phone->get(treeApi("1f8fad5b-d9cb-469f-a165-70867728950e")), 404, gone, "another identifier");
    expectRefusal(phone->get(treeApi("Momiji")), 404, "There is nothing at this address.", "not a reference");
    expectRefusal(phone->get("/api/nowhere"), 404, "There is nothing at this address.", "no such route");
    expectRefusal(phone->postMultipart(eventsApi("nosuch"), formParts({{"kind", "Note"}})), 404, gone, "care on none");
    expectRefusal(phone->post(doneApi("nosuch.0." + std::string(32, 'a'))), 404, gone, "a task of no tree");
    expectRefusal(phone->get("/api/photos/nothing.jpg"), 404, "This picture cannot be shown.", "a picture never named");
    EXPECT_EQ(served.host.changes(), 0);

    // Listed, then changed on the desktop: the phone's task is not the one there now.
    const std::string task = firstDueTask(*phone);
    served.host.edit([](EntryList& entries) {
        Journal journal = Journal::read((*entries[0])[kJournalField]);
        CareEvent wiring = *journal.lines()[0].event;
        wiring.text = "Wired the apex and the lower branches";
        ASSERT_TRUE(journal.replace(0, wiring));
        (*entries[0])[kJournalField] = journal.text();
    });
    expectRefusal(phone->post(doneApi(task), "done-0001"), 409, "changed or done on the desktop", "a task changed since");
    EXPECT_EQ(served.host.changes(), 0);
    EXPECT_TRUE(served.host.journal(0).lines()[0].event->due);
    // The refusal gave the key back; the task as it is now is done with it.
    jsonAnswer(phone->post(doneApi(firstDueTask(*phone)), "done-0001"), 200, "the task as it is now");
    EXPECT_EQ(served.host.changes(), 1);
}
