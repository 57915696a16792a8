// What the phone is sent: only pictures the collection names, from the album and the
// photo folder; the collection's texts only as JSON strings; and pages that are the
// files built in, whatever the collection or the request holds.
#include "ServedCollection.h"

#include "core/collection/TreeIdentity.h"
#include "support/core/BmpTestFiles.h"
#include "support/core/PhotoTestFiles.h"
#include "core/companion/ApiJson.h"

#include <gtest/gtest.h>

using namespace talvane::collection;

using namespace talvane::companion;
using namespace talvane::journal;

namespace {

std::string smallBmp()
{
    BmpFile bmp;
    bmp.width = 2;
    bmp.height = 2;
    bmp.pixels = paddedRow(byteString({0, 0, 255, 0, 255, 0})) + paddedRow(byteString({255, 0, 0, 9, 9, 9}));
    return bmp.bytes();
}

std::string webSourceFile(const std::string& name)
{
    return readFileBytes(std::filesystem::path(TALVANE_SOURCE_DIR) / "src" / "core" / "companion" / "web" / name);
}

} // namespace

TEST(CompanionPages, NoAddressReachesAFileOutsideTheAlbumAndThePhotos)
{
    const CalendarDate day = CalendarDate::fromText("2026-05-01").value();
    Journal journal = Journal::read("");
    for (const std::string picture : {"Photos/spring.jpg", "Photos/../secret.jpg", "../secret.jpg", "Photos/..",
                                      "Photos\\..\\secret.jpg", ""})
        journal.add({day, CareKind::Photo, std::nullopt, picture, "", {}, {}, {}});
    EntryList entries;
    entries.push_back(tree({{CBonsaiData::Name, "Momiji"}, {kTreeIdField, kMomijiId},
                            {kJournalField, journal.text()}, {CBonsaiData::photoField(0), "elm.bmp"},
                            {CBonsaiData::photoField(1), "../secret.bmp"}, {CBonsaiData::photoField(2), ".."}}));
    ServedCollection served(std::move(entries));
    served.host.edit([&](EntryList& held) { (*held[0])[CBonsaiData::photoField(4)] = (served.dir / "secret.bmp").string(); });
    // The secrets would be served if a path could leave the folders: they are a real
    // bitmap and a real JPEG.
    writeFileBytes(served.dir / "secret.bmp", smallBmp());
    writeJpegWithExif((served.dir / "secret.jpg").string(), {});
    writeFileBytes(served.host.albumFolder / "elm.bmp", smallBmp());
    std::filesystem::create_directories(served.host.photosFolder);
    const std::string spring = readFileBytes(writeJpegWithExif((served.host.photosFolder / "spring.jpg").string(), {}));
    // Files in the folders that no tree names are not served either.
    writeFileBytes(served.host.albumFolder / "unnamed.bmp", smallBmp());
    writeJpegWithExif((served.host.photosFolder / "unnamed.jpg").string(), {});
    auto phone = served.pairedPhone();

    const auto album = phone->get("/api/photos/elm.bmp");
    ASSERT_TRUE(album);
    EXPECT_EQ(album->status, 200);
    EXPECT_EQ(album->get_header_value("Content-Type"), "image/bmp");
    EXPECT_TRUE(album->body.starts_with("BM"));
    expectSafetyHeaders(album, "an album picture");
    EXPECT_EQ(album->get_header_value_count("Cache-Control"), 1u);
    EXPECT_EQ(album->get_header_value("Cache-Control"), "private, max-age=300") << "a picture is kept a while";
    const auto thumb = phone->get("/api/photos/elm.bmp?size=128");
    ASSERT_TRUE(thumb);
    EXPECT_EQ(thumb->body, album->body) << "a 2x2 picture is its own thumbnail";
    const auto photo = phone->get("/api/photos/spring.jpg");
    ASSERT_TRUE(photo);
    EXPECT_EQ(photo->status, 200);
    EXPECT_EQ(photo->get_header_value("Content-Type"), "image/jpeg");
    EXPECT_EQ(photo->body, spring);
    for (const std::string size : {"8", "2049", "abc", "", "-1", "00000128"})
        expectRefusal(phone->get("/api/photos/elm.bmp?size=" + size), 422, "must be a number of pixels", "size " + size);

    const std::string refused[] = {
        "/api/photos/secret.jpg", "/api/photos/secret.bmp", "/api/photos/unnamed.jpg", "/api/photos/unnamed.bmp",
        "/api/photos/../x", "/api/photos/..%2Fx", "/api/photos/..", "/api/photos/..%2Fsecret.jpg",
        "/api/photos/%2E%2E%2Fsecret.bmp", "/api/photos/Photos%2Fspring.jpg", "/api/photos/Photos%2F..%2Fsecret.jpg",
        "/api/photos/" + urlComponent((served.dir / "secret.bmp").string()), "/api/photos/%2E%2E",
        "/api/photos/Photos%5C..%5Csecret.jpg", "/api/photos/", "/api/photos/spring.jpg/../../secret.jpg",
        "/tree/../secret.jpg", "/tree/%2e%2e/secret.jpg", "/tree/%2E%2E%2Fsecret.jpg", "/tree/..%2f..%2fsecret.bmp",
        kMomijiPage + "/../../secret.jpg", "/phone/..%2fsecret.jpg", "/phone/secret.jpg", "/Photos/spring.jpg",
        "/Album/elm.bmp", "//secret.jpg", "/phone/phone.js/../secret.jpg",
    };
    for (const std::string& path : refused) {
        const auto answer = phone->get(path);
        ASSERT_TRUE(answer) << path;
        EXPECT_EQ(answer->status, 404) << path;
        EXPECT_EQ(answer->body.find("\xFF\xD8\xFF"), std::string::npos) << path;
        EXPECT_FALSE(answer->body.starts_with("BM")) << path;
    }
}

TEST(CompanionPages, TextsOfTheCollectionComeBackAsTheyAreAndThePagesAreTheFilesBuiltIn)
{
    const std::string name = "<script>alert(1)</script> \"Kaze\" 'no' & co \xE9t\xE9";
    const std::string nameUtf8 = "<script>alert(1)</script> \"Kaze\" 'no' & co \u00E9t\u00E9";
    const std::string text = "</p><img src=x onerror=alert(2)>";
    const CalendarDate today = CalendarDate::today();
    Journal journal = Journal::read("");
    journal.add({today, CareKind::Pruning, today.plusDays(3), {}, text, {}, {}, {}});
    EntryList entries;
    entries.push_back(tree({{CBonsaiData::Name, name}, {kTreeIdField, kMomijiId},
                            {CBonsaiData::BotanicalName, "\"><b>bold</b>"}, {CBonsaiData::PlantNotes, "<i>x</i>"},
                            {kJournalField, journal.text()}}));
    ServedCollection served(std::move(entries));
    auto phone = served.pairedPhone();

    const auto trees = jsonAnswer(phone->get("/api/trees"), 200, "the trees");
    ASSERT_EQ(trees["trees"].size(), 1u);
    EXPECT_EQ(trees["trees"][0]["name"], nameUtf8);
    EXPECT_EQ(trees["trees"][0]["botanicalName"], "\"><b>bold</b>");
    const auto tree = jsonAnswer(phone->get(kMomijiApi), 200, "the tree");
    EXPECT_EQ(tree["name"], nameUtf8);
    ASSERT_EQ(tree["events"].size(), 1u);
    EXPECT_EQ(tree["events"][0]["text"], text);
    bool notesShown = false;
    for (const auto& section : tree["sections"])
        for (const auto& field : section["fields"])
            notesShown = notesShown || field["value"] == "<i>x</i>";
    EXPECT_TRUE(notesShown) << tree["sections"];
    const auto due = jsonAnswer(phone->get("/api/due"), 200, "the Due list");
    ASSERT_EQ(due["tasks"].size(), 1u);
    EXPECT_EQ(due["tasks"][0]["treeName"], nameUtf8);
    EXPECT_EQ(due["tasks"][0]["text"], text);
    const auto search = jsonAnswer(phone->get("/api/trees?q=%22%3E%3Cscript%3Ealert(3)%3C%2Fscript%3E"), 200, "a search");
    EXPECT_EQ(search.value("found", -1), 0);

    // The pages are the files they were built from: nothing of the collection is in them.
    const std::string index = webSourceFile("index.html");
    const std::pair<std::string, std::string> pages[] = {
        {"/trees", index}, {kMomijiPage, index}, {kMomijiPage + "/log", index}, {"/due", index},
        {"/trees?q=%22%3E%3Cscript%3Ealert(3)%3C%2Fscript%3E", index}, {"/phone/phone.js", webSourceFile("phone.js")},
        {"/phone/phone.css", webSourceFile("phone.css")}, {"/api/openapi.json", webSourceFile("openapi.json")},
    };
    for (const auto& [path, file] : pages) {
        const auto page = phone->get(path);
        ASSERT_TRUE(page) << path;
        EXPECT_EQ(page->status, 200) << path;
        expectSafetyHeaders(page, path);
        EXPECT_EQ(page->body, file) << path;
        EXPECT_EQ(page->get_header_value_count("Cache-Control"), 1u) << path;
        EXPECT_EQ(page->get_header_value("Cache-Control"), path.starts_with("/phone/") ? "private, max-age=3600" : "no-store")
            << path;
        for (const char* collectionText : {"Kaze", "onerror=alert(2)", "<b>bold", "<i>x"})
            EXPECT_EQ(page->body.find(collectionText), std::string::npos) << path << " holds " << collectionText;
    }
    EXPECT_EQ(phone->get("/trees")->get_header_value("Content-Type"), "text/html; charset=utf-8");
    EXPECT_EQ(phone->get("/phone/phone.js")->get_header_value("Content-Type"), "text/javascript; charset=utf-8");
    // The policy allows no inline script: every script of the page is a file of its own.
    std::size_t scripts = 0;
    for (std::size_t at = index.find("<script"); at != std::string::npos; at = index.find("<script", at + 1), ++scripts)
        EXPECT_EQ(index.compare(at, 13, "<script src=\""), 0) << index.substr(at, 40);
    EXPECT_GT(scripts, 0u);
    Phone another(served.server.port());
    const auto paired = another.pair(served.server.sessions().pairingToken());
    ASSERT_TRUE(paired);
    EXPECT_EQ(paired->body, webSourceFile("paired.html"));
    expectSafetyHeaders(paired, "the pairing page");
}
