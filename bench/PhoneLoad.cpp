#include "PhoneLoad.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>

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

// The trees' identifiers and thumbnail addresses of a page of the Trees list.
void readTrees(const std::string& answer, std::vector<std::string>& ids, std::vector<std::string>& thumbnails)
{
    const auto list = nlohmann::json::parse(answer, nullptr, false);
    if (list.is_discarded() || list["trees"].empty())
        return;
    ids.clear();
    thumbnails.clear();
    for (const auto& tree : list["trees"]) {
        ids.push_back(tree["id"]);
        if (tree["thumbnail"].is_string())
            thumbnails.push_back(tree["thumbnail"]);
    }
}

// One phone: its session, its requests, until it has made them all or time is up.
void runPhone(int port, const std::string& cookie, unsigned seed, int requests, Steady::time_point stopAt,
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
    // Its writes carry the session's form token, as the pages send them.
    const auto session = client.Get("/api/session", headers);
    const auto said = nlohmann::json::parse(session ? session->body : std::string(), nullptr, false);
    httplib::Headers writeHeaders = headers;
    writeHeaders.emplace("X-Talvane-Form", said.is_object() ? said.value("formToken", "") : "");
    std::mt19937 random(seed);
    std::vector<std::string> ids;
    std::vector<std::string> thumbnails;
    static const char* const kSearches[] = {"Acer", "Tree%2012", "pine", "moyogi", "Tree%201999"};
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

    while (made < static_cast<std::size_t>(requests) && Steady::now() < stopAt) {
        const unsigned draw = random() % 100;
        if (ids.empty() || draw < 30) {
            std::string path = "/api/trees?limit=30&offset=" + std::to_string(random() % 20 * 30);
            if (random() % 2)
                path += std::string("&q=") + kSearches[random() % std::size(kSearches)];
            auto [result, ms] = timed([&] { return client.Get(path, headers); });
            if (expect(result, 200, "trees")) {
                tally.add(tally.treesMs, ms);
                readTrees(result->body, ids, thumbnails);
            }
            continue;
        }
        const std::string tree = "/api/trees/" + ids[random() % ids.size()];
        if (draw < 55) {
            expect(client.Get(tree, headers), 200, "tree");
        } else if (draw < 75 && !thumbnails.empty()) {
            expect(client.Get(thumbnails[random() % thumbnails.size()], headers), 200, "thumbnail");
        } else if (draw < 85) {
            expect(client.Get("/api/due", headers), 200, "due");
        } else {
            httplib::MultipartFormDataItems items{{"kind", draw < 95 ? "Note" : "Photo", "", ""},
                                                  {"text", "From phone " + std::to_string(seed), "", ""}};
            if (draw < 95) {
                expect(client.Post(tree + "/events", writeHeaders, items), 201, "log");
                std::lock_guard lock(tally.mutex);
                ++tally.logged;
                continue;
            }
            items.push_back({"photo", photo, "IMG_0001.JPG", "image/jpeg"});
            auto [result, ms] = timed([&] { return client.Post(tree + "/events", writeHeaders, items); });
            if (expect(result, 201, "upload"))
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

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string fiveMegabytePhoto(const std::string& jpeg)
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

double percentile(std::vector<double> values, double part)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<std::size_t>(part * static_cast<double>(values.size())))];
}

std::vector<std::string> pairPhones(CompanionServer& server, int phones)
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

double runPhones(int port, const std::vector<std::string>& cookies, int requests, std::chrono::seconds limit,
                 const std::string& photo, Tally& tally)
{
    const auto start = Steady::now();
    std::vector<std::thread> threads;
    for (std::size_t phone = 0; phone < cookies.size(); ++phone)
        threads.emplace_back(runPhone, port, cookies[phone], static_cast<unsigned>(phone + 1), requests, start + limit,
                             std::cref(photo), std::ref(tally));
    for (auto& thread : threads)
        thread.join();
    return std::chrono::duration<double>(Steady::now() - start).count();
}

SlowClients::SlowClients(int port, int count, const std::string& address)
{
    // One after the other: a burst would overflow what the server's system keeps waiting
    // to be accepted, and the dropped handshakes would be tried again seconds later.
    for (int n = 0; n < count; ++n) {
        m_threads.emplace_back(&SlowClients::trickle, this, port, address);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    // The phones come once every slow connection is made.
    const auto giveUp = Steady::now() + std::chrono::seconds(30);
    while (m_made < static_cast<std::size_t>(count) && Steady::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

SlowClients::~SlowClients()
{
    m_stopping = true;
    for (auto& thread : m_threads)
        thread.join();
}

void SlowClients::trickle(int port, const std::string& address)
{
    sockaddr_in from{};
    from.sin_family = AF_INET;
    inet_pton(AF_INET, address.c_str(), &from.sin_addr);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<std::uint16_t>(port));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int fd = -1;
    for (int line = 0; !m_stopping; ++line) {
        // A connection the server ended reads as its end, or fails to take a line.
        pollfd watched{fd, POLLIN, 0};
        const bool ended = fd >= 0 && poll(&watched, 1, 0) > 0;
        if (fd < 0 || ended) {
            if (fd >= 0)
                close(fd);
            fd = socket(AF_INET, SOCK_STREAM, 0);
            // A handshake the server's system dropped is given up, not retried for minutes.
            const timeval patience{2, 0};
            setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &patience, sizeof patience);
            if (bind(fd, reinterpret_cast<const sockaddr*>(&from), sizeof from) != 0 ||
                connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0 ||
                send(fd, "GET /trees HTTP/1.1\r\n", 21, MSG_NOSIGNAL) != 21) {
                close(fd);
                fd = -1;
            } else {
                ++m_made;
            }
        } else {
            const std::string header = "X-Line-" + std::to_string(line) + ": slow\r\n";
            send(fd, header.data(), header.size(), MSG_NOSIGNAL);
        }
        for (int tenth = 0; tenth < 10 && !m_stopping; ++tenth)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (fd >= 0)
        close(fd);
}
