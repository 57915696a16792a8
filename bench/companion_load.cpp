// Phones at once on a large collection served from its file, as talvane-cli serve does:
// each phone is paired with its own session and makes a mix of requests over loopback
// (the Trees list with and without a search, tree pages, thumbnails, the Due list, care
// logged, some of it with a 5 MB photo). Prints the median and 95th percentile time of
// the Trees page and of the photo upload, and the totals. With --slow N the phones run
// a second time while N connections from 127.0.0.2 that never pair trickle a request's
// head a line a second, and the Trees page's times of both runs are printed.
//   bench_companion_load [TREES [PHONES [REQUESTS [SECONDS]]]] [--slow N]   (2000 20 100 180)
#include "PhoneLoad.h"
#include "SampleEntries.h"

#include "core/collection/CollectionFile.h"
#include "core/collection/TreeIdentity.h"
#include "core/companion/CompanionServer.h"
#include "core/companion/FileCollectionHost.h"
#include "core/journal/Journal.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

using namespace talvane::collection;

namespace {

using namespace talvane::companion;
using namespace talvane::journal;
namespace fs = std::filesystem;

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> numbers;
    int slow = 0;
    for (int n = 1; n < argc; ++n) {
        if (std::string(argv[n]) == "--slow" && n + 1 < argc)
            slow = std::atoi(argv[++n]);
        else
            numbers.emplace_back(argv[n]);
    }
    const auto number = [&](std::size_t at, long fallback) {
        return at < numbers.size() ? std::strtol(numbers[at].c_str(), nullptr, 10) : fallback;
    };
    const auto trees = static_cast<std::size_t>(number(0, 2000));
    const auto phones = static_cast<int>(number(1, 20));
    const auto requests = static_cast<int>(number(2, 100));
    const auto seconds = static_cast<int>(number(3, 180));

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
    EntryList entries = sampleCollection(trees);
    const CalendarDate today = CalendarDate::today();
    for (std::size_t n = 0; n < trees; ++n) {
        (*entries[n])[CBonsaiData::Photo1] = album[n % album.size()];
        Journal journal = Journal::read("");
        journal.add({today.plusDays(-200), CareKind::Repotting, std::nullopt, {}, "Repotted in akadama", {}, {}, {}});
        if (n % 20 == 0)
            journal.add({today.plusDays(-30), CareKind::Wiring, today.plusDays(static_cast<long>(n % 40)), {},
                         "Wired the branches", {}, {}, {}});
        (*entries[n])[kJournalField] = journal.text();
        (*entries[n])[kTreeIdField] = newTreeId();
    }
    const fs::path file = folder / "load.tvn";
    if (const auto failure = saveCollectionFile(file, entries)) {
        std::fprintf(stderr, "cannot write the collection: %s\n", failure->c_str());
        return 1;
    }
    entries.clear();
    const std::string photo = fiveMegabytePhoto(readFile(source / "data" / "Photos" / "2022-01-16 Momiji.jpg"));

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
    const std::vector<std::string> cookies = pairPhones(server, phones);
    if (cookies.empty()) {
        std::fprintf(stderr, "the phones could not pair\n");
        return 1;
    }
    Tally tally;
    const double wall = runPhones(server.port(), cookies, requests, std::chrono::seconds(seconds), photo, tally);
    Tally slowed;
    std::size_t slowConnections = 0;
    double slowedWall = 0;
    if (slow > 0) {
        SlowClients clients(server.port(), slow, "127.0.0.2");
        slowedWall = runPhones(server.port(), cookies, requests, std::chrono::seconds(seconds), photo, slowed);
        slowConnections = clients.connectionsMade();
    }
    server.stop();

    std::size_t photos = 0;
    if (fs::exists(folder / "Photos"))
        photos = static_cast<std::size_t>(std::distance(fs::directory_iterator(folder / "Photos"), fs::directory_iterator()));
    std::printf("collection: %zu trees, %.1f MB; %d phones x %d requests, at most %d s\n", trees,
                static_cast<double>(fs::file_size(file)) / 1e6, phones, requests, seconds);
    std::printf("Trees page:   %5zu  p50 %7.1f ms  p95 %7.1f ms  max %7.1f ms\n", tally.treesMs.size(),
                percentile(tally.treesMs, 0.5), percentile(tally.treesMs, 0.95), percentile(tally.treesMs, 1));
    if (slow > 0)
        std::printf("Trees page with %d slow connections (%zu made): %5zu  p50 %7.1f ms  p95 %7.1f ms  max %7.1f ms  "
                    "(%zu of %zu requests failed in %.1f s%s%s)\n",
                    slow, slowConnections, slowed.treesMs.size(), percentile(slowed.treesMs, 0.5),
                    percentile(slowed.treesMs, 0.95), percentile(slowed.treesMs, 1), slowed.failures, slowed.requests,
                    slowedWall, slowed.firstFailure.empty() ? "" : ", first: ", slowed.firstFailure.c_str());
    std::printf("5 MB upload:  %5zu  p50 %7.1f ms  p95 %7.1f ms\n", tally.uploadMs.size(),
                percentile(tally.uploadMs, 0.5), percentile(tally.uploadMs, 0.95));
    std::printf("requests: %zu in %.1f s (%.0f per second), %zu failed%s%s; care logged %zu, photo uploads %zu, "
                "photos in the folder %zu\n",
                tally.requests, wall, static_cast<double>(tally.requests) / wall, tally.failures,
                tally.firstFailure.empty() ? "" : ", first: ", tally.firstFailure.c_str(), tally.logged, tally.uploads,
                photos);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return tally.failures == 0 && slowed.failures == 0 ? 0 : 2;
}
