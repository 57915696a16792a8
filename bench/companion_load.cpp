// Phones at once on a large collection served from its file, as talvane-cli serve does:
// each phone is paired with its own session and makes a mix of requests over loopback
// (the Trees list with and without a search, tree pages, thumbnails, the Due list, care
// logged, some of it with a 5 MB photo). Prints the median and 95th percentile time of
// the Trees page and of the photo upload, and the totals.
//   bench_companion_load [TREES [PHONES [REQUESTS [SECONDS]]]]   (2000 20 100 180)
#include "SampleEntries.h"

#include "collection/CollectionFile.h"
#include "collection/TreeIdentity.h"
#include "companion/CompanionServer.h"
#include "companion/FileCollectionHost.h"
#include "companion/Html.h"
#include "journal/Journal.h"

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace talvane::companion;
using namespace talvane::journal;
using Steady = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr std::size_t kPhotoBytes = 5 * 1024 * 1024;

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A real camera photo of the sample grown to 5 MB by comment segments after its
// application segments, so that it stays a JPEG whose date the timeline reads.
std::string FiveMegabytePhoto(const std::string& jpeg)
{
    std::size_t at = 2;
    while (at + 4 <= jpeg.size() && static_cast<unsigned char>(jpeg[at + 1]) >= 0xE0 &&
           static_cast<unsigned char>(jpeg[at + 1]) <= 0xEF)
        at += 2 + (static_cast<unsigned char>(jpeg[at + 2]) << 8 | static_cast<unsigned char>(jpeg[at + 3]));
    std::string padding;
    while (jpeg.size() + padding.size() < kPhotoBytes) {
        const std::size_t length = std::min<std::size_t>(65533, kPhotoBytes - jpeg.size() - padding.size());
        padding += "\xFF\xFE";
        padding += static_cast<char>((length + 2) >> 8);
        padding += static_cast<char>((length + 2) & 0xFF);
        padding.append(length, 'x');
    }
    return jpeg.substr(0, at) + padding + jpeg.substr(at);
}

// What the text between a marker and the next double quote is, from `from` on.
std::string Quoted(const std::string& text, const std::string& marker, std::size_t from = 0)
{
    const std::size_t at = text.find(marker, from);
    if (at == std::string::npos)
        return {};
    const std::size_t start = at + marker.size();
    return text.substr(start, text.find('"', start) - start);
}

httplib::MultipartFormDataItems LogForm(const std::string& page)
{
    httplib::MultipartFormDataItems items;
    for (const char* name : {"form", "nonce"})
        items.push_back({name, Quoted(page, std::string("name=\"") + name + "\" value=\""), "", ""});
    return items;
}

std::vector<std::string> TreeLinks(const std::string& page)
{
    std::vector<std::string> links;
    for (std::size_t at = page.find("href=\"/tree/"); at != std::string::npos; at = page.find("href=\"/tree/", at + 1))
        links.push_back(Quoted(page, "href=\"", at));
    return links;
}

double Percentile(std::vector<double> values, double part)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<std::size_t>(part * static_cast<double>(values.size())))];
}

struct Tally {
    std::mutex mutex;
    std::vector<double> treesMs;
    std::vector<double> uploadMs;
    std::size_t requests = 0;
    std::size_t failures = 0;
    std::size_t logged = 0;
    std::size_t uploads = 0;
    std::string firstFailure;

    void add(std::vector<double>& into, double ms)
    {
        std::lock_guard lock(mutex);
        into.push_back(ms);
    }
};

// One phone: its session, its requests, until it has made them all or time is up.
void RunPhone(int port, const std::string& cookie, unsigned seed, int requests, Steady::time_point stopAt,
              const std::string& photo, Tally& tally)
{
    httplib::Client client("127.0.0.1", port);
    // As a phone's browser: one kept-alive connection, sending without Nagle's delay.
    client.set_keep_alive(true);
    client.set_tcp_nodelay(true);
    client.set_read_timeout(std::chrono::seconds(60));
    const httplib::Headers headers{{"Cookie", cookie}, {"User-Agent", "Mozilla/5.0 (Linux; Android 14) Chrome/120"}};
    std::mt19937 random(seed);
    std::vector<std::string> links;
    static const char* const kSearches[] = {"Acer", "Tree 12", "pine", "moyogi", "Tree 1999"};
    std::size_t made = 0, failed = 0;
    std::string failure;
    const auto expect = [&](const httplib::Result& result, int status, const char* what) {
        ++made;
        if (!result || result->status != status) {
            ++failed;
            if (failure.empty())
                failure = std::string(what) + ": " + (result ? std::to_string(result->status) : httplib::to_string(result.error()));
            return false;
        }
        return true;
    };
    const auto timed = [](auto&& work) {
        const auto start = Steady::now();
        auto result = work();
        return std::pair{std::move(result), std::chrono::duration<double, std::milli>(Steady::now() - start).count()};
    };

    // A log counts as two requests: its form's page, then the form.
    while (made < static_cast<std::size_t>(requests) && Steady::now() < stopAt) {
        const unsigned draw = random() % 100;
        if (links.empty() || draw < 30) {
            std::string path = "/trees?page=" + std::to_string(random() % 20);
            if (random() % 2)
                path += "&q=" + urlComponent(kSearches[random() % std::size(kSearches)]);
            auto [result, ms] = timed([&] { return client.Get(path, headers); });
            if (expect(result, 200, "trees")) {
                tally.add(tally.treesMs, ms);
                if (auto found = TreeLinks(result->body); !found.empty())
                    links = std::move(found);
            }
            continue;
        }
        const std::string tree = links[random() % links.size()];
        if (draw < 55) {
            expect(client.Get(tree, headers), 200, "tree");
        } else if (draw < 75) {
            expect(client.Get(tree + "/thumb", headers), 200, "thumbnail");
        } else if (draw < 85) {
            expect(client.Get("/due", headers), 200, "due");
        } else {
            const auto page = client.Get(tree + "/log", headers);
            if (!expect(page, 200, "log page"))
                continue;
            auto items = LogForm(page->body);
            items.push_back({"kind", draw < 95 ? "Note" : "Photo", "", ""});
            items.push_back({"text", "From phone " + std::to_string(seed), "", ""});
            if (draw < 95) {
                expect(client.Post(tree + "/log", headers, items), 303, "log");
                std::lock_guard lock(tally.mutex);
                ++tally.logged;
                continue;
            }
            items.push_back({"photos", photo, "IMG_0001.JPG", "image/jpeg"});
            auto [result, ms] = timed([&] { return client.Post(tree + "/log", headers, items); });
            if (expect(result, 303, "upload"))
                tally.add(tally.uploadMs, ms);
            std::lock_guard lock(tally.mutex);
            ++tally.uploads;
        }
    }
    std::lock_guard lock(tally.mutex);
    tally.requests += made;
    tally.failures += failed;
    if (tally.firstFailure.empty())
        tally.firstFailure = failure;
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t trees = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 2000;
    const int phones = argc > 2 ? std::atoi(argv[2]) : 20;
    const int requests = argc > 3 ? std::atoi(argv[3]) : 100;
    const int seconds = argc > 4 ? std::atoi(argv[4]) : 180;

    std::string pattern = (fs::temp_directory_path() / "talvane-companion-load-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return 1;
    const fs::path folder = pattern;
    const fs::path source = TALVANE_SOURCE_DIR;
    fs::copy(source / "data" / "Album", folder / "Album");
    std::vector<std::string> album;
    for (const auto& item : fs::directory_iterator(folder / "Album"))
        album.push_back(item.path().filename().string());
    std::sort(album.begin(), album.end());

    // Every tree with an album picture and an identifier; one in twenty with care due.
    EntryList entries = SampleCollection(trees);
    const CalendarDate today = CalendarDate::today();
    for (std::size_t n = 0; n < trees; ++n) {
        (*entries[n])[CBonsaiData::Photo1] = album[n % album.size()];
        Journal journal = Journal::read("");
        journal.add({today.plusDays(-200), CareKind::Repotting, std::nullopt, {}, "Repotted in akadama", {}, {}});
        if (n % 20 == 0)
            journal.add({today.plusDays(-30), CareKind::Wiring, today.plusDays(static_cast<long>(n % 40)), {},
                         "Wired the branches", {}, {}});
        (*entries[n])[kJournalField] = journal.text();
    }
    talvane::giveMissingTreeIds(entries);
    const fs::path file = folder / "load.tvn";
    if (const auto failure = SaveCollectionFile(file, entries)) {
        std::fprintf(stderr, "cannot write the collection: %s\n", failure->c_str());
        return 1;
    }
    entries.clear();
    const std::string photo = FiveMegabytePhoto(ReadFile(source / "data" / "Photos" / "2022-01-16 Momiji.jpg"));

    auto opened = FileCollectionHost::open(file, folder);
    if (auto* failure = std::get_if<std::string>(&opened)) {
        std::fprintf(stderr, "%s\n", failure->c_str());
        return 1;
    }
    CompanionServer server(*std::get<std::unique_ptr<FileCollectionHost>>(opened), std::chrono::system_clock::now,
                           static_cast<std::size_t>(phones));
    ServerOptions options;
    options.bindAddress = "127.0.0.1";
    options.uploadFolder = folder.string();
    if (const auto failure = server.start(options)) {
        std::fprintf(stderr, "%s\n", failure->c_str());
        return 1;
    }
    std::vector<std::string> cookies;
    for (int phone = 0; phone < phones; ++phone) {
        if (phone % PhoneSessions::kPairingUses == 0)
            server.sessions().newPairing();
        httplib::Client client("127.0.0.1", server.port());
        const auto paired = client.Get("/pair/" + server.sessions().pairingToken());
        if (!paired || paired->status != 200) {
            std::fprintf(stderr, "phone %d could not pair\n", phone);
            return 1;
        }
        const std::string set = paired->get_header_value("Set-Cookie");
        cookies.push_back(set.substr(0, set.find(';')));
    }

    Tally tally;
    const auto start = Steady::now();
    const auto stopAt = start + std::chrono::seconds(seconds);
    std::vector<std::thread> threads;
    for (int phone = 0; phone < phones; ++phone)
        threads.emplace_back(RunPhone, server.port(), cookies[static_cast<std::size_t>(phone)],
                             static_cast<unsigned>(phone + 1), requests, stopAt, std::cref(photo), std::ref(tally));
    for (auto& thread : threads)
        thread.join();
    const double wall = std::chrono::duration<double>(Steady::now() - start).count();
    server.stop();

    std::size_t photos = 0;
    if (fs::exists(folder / "Photos"))
        photos = static_cast<std::size_t>(std::distance(fs::directory_iterator(folder / "Photos"), fs::directory_iterator()));
    std::printf("collection: %zu trees, %.1f MB; %d phones x %d requests, at most %d s\n", trees,
                static_cast<double>(fs::file_size(file)) / 1e6, phones, requests, seconds);
    std::printf("Trees page:   %5zu  p50 %7.1f ms  p95 %7.1f ms\n", tally.treesMs.size(), Percentile(tally.treesMs, 0.5),
                Percentile(tally.treesMs, 0.95));
    std::printf("5 MB upload:  %5zu  p50 %7.1f ms  p95 %7.1f ms\n", tally.uploadMs.size(),
                Percentile(tally.uploadMs, 0.5), Percentile(tally.uploadMs, 0.95));
    std::printf("requests: %zu in %.1f s (%.0f per second), %zu failed%s%s; care logged %zu, photo uploads %zu, "
                "photos in the folder %zu\n",
                tally.requests, wall, static_cast<double>(tally.requests) / wall, tally.failures,
                tally.firstFailure.empty() ? "" : ", first: ", tally.firstFailure.c_str(), tally.logged, tally.uploads,
                photos);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return tally.failures == 0 ? 0 : 2;
}
