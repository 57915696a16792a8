#include "PhoneLoad.h"

#include "companion/Html.h"

#include <httplib.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace talvane::companion;
using Steady = std::chrono::steady_clock;
namespace fs = std::filesystem;

namespace {

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

// The tree addresses a page holds in the attribute: href for pages, src for thumbnails.
std::vector<std::string> TreeLinks(const std::string& page, const std::string& attribute = "href")
{
    const std::string marker = attribute + "=\"/tree/";
    std::vector<std::string> links;
    for (std::size_t at = page.find(marker); at != std::string::npos; at = page.find(marker, at + 1))
        links.push_back(Quoted(page, attribute + "=\"", at));
    return links;
}


// One phone: its session, its requests, until it has made them all or time is up.
void RunPhone(int port, const std::string& cookie, unsigned seed, int requests, Steady::time_point stopAt,
              const std::string& photo, Tally& tally)
{
    // The phones stand for other devices: they must not take the machine from the server.
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 10);
    httplib::Client client("127.0.0.1", port);
    // As a phone's browser: one kept-alive connection, sending without Nagle's delay.
    client.set_keep_alive(true);
    client.set_tcp_nodelay(true);
    client.set_read_timeout(std::chrono::seconds(60));
    const httplib::Headers headers{{"Cookie", cookie}, {"User-Agent", "Mozilla/5.0 (Linux; Android 14) Chrome/120"}};
    std::mt19937 random(seed);
    std::vector<std::string> links;
    std::vector<std::string> thumbnails;
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
                if (auto found = TreeLinks(result->body); !found.empty()) {
                    links = std::move(found);
                    thumbnails = TreeLinks(result->body, "src");
                }
            }
            continue;
        }
        const std::string tree = links[random() % links.size()];
        if (draw < 55) {
            expect(client.Get(tree, headers), 200, "tree");
        } else if (draw < 75 && !thumbnails.empty()) {
            expect(client.Get(thumbnails[random() % thumbnails.size()], headers), 200, "thumbnail");
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

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

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

double Percentile(std::vector<double> values, double part)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<std::size_t>(part * static_cast<double>(values.size())))];
}

std::vector<std::string> PairPhones(CompanionServer& server, int phones)
{
    std::vector<std::string> cookies;
    for (int phone = 0; phone < phones; ++phone) {
        if (phone % PhoneSessions::kPairingUses == 0)
            server.sessions().newPairing();
        httplib::Client client("127.0.0.1", server.port());
        const auto paired = client.Get("/pair/" + server.sessions().pairingToken());
        if (!paired || paired->status != 200)
            return {};
        const std::string set = paired->get_header_value("Set-Cookie");
        cookies.push_back(set.substr(0, set.find(';')));
    }
    return cookies;
}

double RunPhones(int port, const std::vector<std::string>& cookies, int requests, std::chrono::seconds limit,
                 const std::string& photo, Tally& tally)
{
    const auto start = Steady::now();
    std::vector<std::thread> threads;
    for (std::size_t phone = 0; phone < cookies.size(); ++phone)
        threads.emplace_back(RunPhone, port, cookies[phone], static_cast<unsigned>(phone + 1), requests, start + limit,
                             std::cref(photo), std::ref(tally));
    for (auto& thread : threads)
        thread.join();
    return std::chrono::duration<double>(Steady::now() - start).count();
}
