// Every picture of a tree's timeline must reach the phone: the originals of the
// Photos folder byte for byte, and the album pictures some events show, decoded and
// sent as the album's own pictures are. Served from a copy of the sample, as
// talvane-cli serve serves it.
#include "core/companion/CompanionServer.h"
#include "core/companion/FileCollectionHost.h"
#include "core/companion/PhonePictures.h"
#include "support/core/BmpTestFiles.h"
#include "support/core/TempDir.h"
#include "core/journal/Journal.h"
#include "core/picture/WinBmp.h"
#include "core/timeline/TimelinePhoto.h"

#include <httplib.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace talvane::companion;

const fs::path kDataFolder = TALVANE_SOURCE_DIR "/data";

TEST(TimelinePictures, EveryTimelinePictureOfTheSampleReachesThePhone)
{
    TempDir dir;
    fs::copy_file(kDataFolder / "sample.tvn", dir / "sample.tvn");
    fs::copy(kDataFolder / "Album", dir / "Album", fs::copy_options::recursive);
    fs::copy(kDataFolder / "Photos", dir / "Photos", fs::copy_options::recursive);
    auto opened = FileCollectionHost::open(dir / "sample.tvn", dir.path());
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<FileCollectionHost>>(opened));
    FileCollectionHost& host = *std::get<std::unique_ptr<FileCollectionHost>>(opened);
    CompanionServer server(host);
    ServerOptions options;
    options.bindAddress = "127.0.0.1";
    ASSERT_EQ(server.start(options), std::nullopt);

    httplib::Client client("127.0.0.1", server.port());
    const auto paired = client.Get("/pair/" + server.sessions().pairingToken());
    ASSERT_TRUE(paired);
    ASSERT_EQ(paired->status, 200);
    const std::string cookie = paired->get_header_value("Set-Cookie");
    const httplib::Headers session{{"Cookie", cookie.substr(0, cookie.find(';'))}};

    const auto collection = host.snapshot();
    ASSERT_TRUE(collection);
    std::size_t originals = 0;
    std::size_t albumPictures = 0;
    for (std::size_t position = 0; position < collection->size(); ++position) {
        const std::string ref = collection->treeRef(position);
        const auto answer = client.Get("/api/trees/" + ref, session);
        ASSERT_TRUE(answer);
        ASSERT_EQ(answer->status, 200) << ref;
        const auto tree = nlohmann::json::parse(answer->body);
        // The timeline gives the journal's pictures newest first.
        const auto journal = talvane::journal::Journal::read(collection->at(position)[talvane::journal::kJournalField]);
        const auto photos = talvane::timeline::timelinePhotos(journal);
        ASSERT_EQ(tree["timeline"].size(), photos.size()) << ref;
        for (std::size_t i = 0; i < photos.size(); ++i) {
            const auto& photo = photos[photos.size() - 1 - i];
            const auto& shown = tree["timeline"][i];
            SCOPED_TRACE(ref + " (" + photo.fileName + ")");
            EXPECT_EQ(shown["date"], photo.event.date.text());
            const auto sent = client.Get(shown["url"].get<std::string>(), session);
            ASSERT_TRUE(sent);
            ASSERT_EQ(sent->status, 200);
            if (photo.inPhotosFolder) {
                ++originals;
                EXPECT_EQ(sent->get_header_value("Content-Type"), "image/jpeg");
                EXPECT_EQ(sent->body, readFileBytes(dir / "Photos" / photo.fileName));
            } else {
                ++albumPictures;
                EXPECT_EQ(sent->get_header_value("Content-Type"), "image/bmp");
                CWinBmp picture;
                decodeBytes(sent->body, picture);
                EXPECT_GT(picture.GetWidth(), 0);
                EXPECT_LE(std::max(picture.GetWidth(), picture.GetHeight()), 480);
            }
        }
    }
    // The sample has both, or this test would prove nothing of one of them.
    EXPECT_GT(originals, 0u);
    EXPECT_GT(albumPictures, 0u);

    // A picture no tree names is not sent, though it is in the folder.
    std::filesystem::copy_file(dir / "Photos" / fs::directory_iterator(dir / "Photos")->path().filename(),
                               dir / "Photos" / "not-named.jpg");
    const auto none = client.Get("/api/photos/not-named.jpg", session);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->status, 404);
    server.stop();
}

} // namespace

// Phones write HEIF under several major brands; what the timeline reads is taken.
TEST(TimelinePictures, APhotoIsToldByItsFirstBytesAsTheTimelineTellsIt)
{
    const auto ftyp = [](std::string major, std::string compatible) {
        std::string box("\0\0\0\x18" "ftyp", 8);
        return box + major + std::string("\0\0\0\0", 4) + compatible + "isom";
    };
    const std::pair<std::string, std::string> told[] = {
        {ftyp("heic", "heic"), ".heic"}, {ftyp("mif1", "heic"), ".heic"}, {ftyp("hevc", "hevc"), ".heic"},
        {ftyp("avif", "avif"), ".avif"}, {ftyp("isom", "mp41"), ""},      {"\xFF\xD8\xFF\xE1", ".jpg"},
        {std::string("RIFF\x10\0\0\0WEBPVP8 ", 16), ".webp"}, {ftyp("isom", "mif1"), ".heic"}, {"<html>", ""},
    };
    for (const auto& [head, extension] : told) {
        std::string given;
        const std::string type = sniffPhotoType(head, &given);
        EXPECT_EQ(given, extension) << head;
        EXPECT_EQ(type.empty(), extension.empty()) << head;
    }
}
