// What the pages show and send: only files of the album and the photo folder, and
// texts that cannot add markup, whatever the collection or the request holds.
#include "ServedCollection.h"

#include "collection/TreeIdentity.h"
#include "core/BmpTestFiles.h"
#include "core/PhotoTestFiles.h"

#include <gtest/gtest.h>

using namespace talvane::companion;
using namespace talvane::journal;

namespace {

std::string SmallBmp()
{
    BmpFile bmp;
    bmp.width = 2;
    bmp.height = 2;
    bmp.pixels = PaddedRow(ByteString({0, 0, 255, 0, 255, 0})) + PaddedRow(ByteString({255, 0, 0, 9, 9, 9}));
    return bmp.Bytes();
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
    entries.push_back(Tree({{CBonsaiData::Name, "Momiji"}, {talvane::kTreeIdField, kMomijiId},
                            {kJournalField, journal.text()}, {CBonsaiData::photoField(0), "elm.bmp"},
                            {CBonsaiData::photoField(1), "../secret.bmp"}, {CBonsaiData::photoField(2), ".."}}));
    ServedCollection served(std::move(entries));
    served.host.edit([&](EntryList& held) { (*held[0])[CBonsaiData::photoField(4)] = (served.dir / "secret.bmp").string(); });
    // The secrets would be served if a path could leave the folders: they are a real
    // bitmap and a real JPEG.
    WriteFileBytes(served.dir / "secret.bmp", SmallBmp());
    writeJpegWithExif((served.dir / "secret.jpg").string(), {});
    WriteFileBytes(served.host.albumFolder / "elm.bmp", SmallBmp());
    std::filesystem::create_directories(served.host.photosFolder);
    const std::string spring = ReadFileBytes(writeJpegWithExif((served.host.photosFolder / "spring.jpg").string(), {}));
    auto phone = served.pairedPhone();

    const auto album = phone->get(kMomijiPage + "/album/0");
    ASSERT_TRUE(album);
    EXPECT_EQ(album->status, 200);
    EXPECT_EQ(album->get_header_value("Content-Type"), "image/bmp");
    EXPECT_TRUE(album->body.starts_with("BM"));
    const auto thumb = phone->get(kMomijiPage + "/thumb");
    ASSERT_TRUE(thumb);
    EXPECT_EQ(thumb->body, album->body) << "a 2x2 picture is its own thumbnail";
    const auto photo = phone->get(kMomijiPage + "/photo/0");
    ASSERT_TRUE(photo);
    EXPECT_EQ(photo->status, 200);
    EXPECT_EQ(photo->get_header_value("Content-Type"), "image/jpeg");
    EXPECT_EQ(photo->body, spring);

    const std::string refused[] = {
        kMomijiPage + "/album/1", kMomijiPage + "/album/2", kMomijiPage + "/album/3", kMomijiPage + "/album/4",
        kMomijiPage + "/album/5", kMomijiPage + "/photo/1", kMomijiPage + "/photo/2", kMomijiPage + "/photo/3",
        kMomijiPage + "/photo/4", kMomijiPage + "/photo/5", kMomijiPage + "/photo/6", kMomijiPage + "/photo/-1",
        "/tree/../secret.jpg", "/tree/%2e%2e/secret.jpg", "/tree/%2E%2E%2Fsecret.jpg", "/tree/..%2f..%2fsecret.bmp",
        kMomijiPage + "/../../secret.jpg", kMomijiPage + "/photo/..%2f..%2fsecret.jpg", "/Photos/spring.jpg",
        "/Album/elm.bmp", "//secret.jpg", "/style.css/../secret.jpg",
    };
    for (const std::string& path : refused) {
        const auto answer = phone->get(path);
        ASSERT_TRUE(answer) << path;
        EXPECT_EQ(answer->status, 404) << path;
        EXPECT_EQ(answer->body.find("\xFF\xD8\xFF"), std::string::npos) << path;
        EXPECT_FALSE(answer->body.starts_with("BM")) << path;
    }
}

TEST(CompanionPages, TextsOfTheCollectionAndOfTheRequestAreEscaped)
{
    const std::string name = "<script>alert(1)</script> \"Kaze\" 'no' & co";
    const std::string escaped = "&lt;script&gt;alert(1)&lt;/script&gt; &quot;Kaze&quot; &#39;no&#39; &amp; co";
    const CalendarDate today = CalendarDate::today();
    Journal journal = Journal::read("");
    journal.add({today, CareKind::Pruning, today.plusDays(3), {}, "</p><img src=x onerror=alert(2)>", {}, {}, {}});
    EntryList entries;
    entries.push_back(Tree({{CBonsaiData::Name, name}, {talvane::kTreeIdField, kMomijiId},
                            {CBonsaiData::BotanicalName, "\"><b>bold</b>"}, {CBonsaiData::PlantNotes, "<i>x</i>"},
                            {kJournalField, journal.text()}}));
    ServedCollection served(std::move(entries));
    auto phone = served.pairedPhone();

    for (const std::string& path : std::vector<std::string>{"/trees", kMomijiPage, kMomijiPage + "/log", "/due",
                                   "/trees?q=%22%3E%3Cscript%3Ealert(3)%3C%2Fscript%3E"}) {
        const auto page = phone->get(path);
        ASSERT_TRUE(page) << path;
        EXPECT_EQ(page->status, 200) << path;
        ExpectSafetyHeaders(page, path);
        EXPECT_EQ(page->get_header_value("Content-Type"), "text/html; charset=utf-8") << path;
        for (const char* markup : {"<script", "<img src=x", "<b>bold", "<i>x"})
            EXPECT_EQ(page->body.find(markup), std::string::npos) << path << " shows " << markup;
        if (path != "/trees?q=%22%3E%3Cscript%3Ealert(3)%3C%2Fscript%3E") {
            EXPECT_NE(page->body.find(escaped), std::string::npos) << path;
        }
    }
    const auto tree = phone->get(kMomijiPage);
    EXPECT_NE(tree->body.find("<h1>" + escaped + "</h1>"), std::string::npos);
    EXPECT_NE(tree->body.find("&lt;/p&gt;&lt;img src=x onerror=alert(2)&gt;"), std::string::npos);
    EXPECT_NE(tree->body.find("&quot;&gt;&lt;b&gt;bold&lt;/b&gt;"), std::string::npos);
    const auto search = phone->get("/trees?q=%22%3E%3Cscript%3Ealert(3)%3C%2Fscript%3E");
    EXPECT_NE(search->body.find("value=\"&quot;&gt;&lt;script&gt;alert(3)&lt;/script&gt;\""), std::string::npos);
}
