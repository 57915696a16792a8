#pragma once

#include "core/companion/CompanionServer.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Phones simulated on loopback against a running companion server, as the load
// benchmarks run them: each paired with its own session, making a mix of the requests
// the pages make of the API (the Trees list with and without a search, trees,
// thumbnails, the Due list, care logged, some of it with a 5 MB photo).

inline constexpr std::size_t kPhotoBytes = 5 * 1024 * 1024;

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

std::string readFile(const std::filesystem::path& path);
// A real camera photo grown to 5 MB by comment segments after its application segments,
// so that it stays a JPEG whose date the timeline reads.
std::string fiveMegabytePhoto(const std::string& jpeg);
// The value below which `part` (0..1) of the values lie.
double percentile(std::vector<double> values, double part);
// Pairs the phones with the server, a new pairing token for every few: their cookies.
std::vector<std::string> pairPhones(talvane::companion::CompanionServer& server, int phones);
// Every phone on a thread of its own until each made its requests or time is up; gives
// the seconds it took.
double runPhones(int port, const std::vector<std::string>& cookies, int requests, std::chrono::seconds limit,
                 const std::string& photo, Tally& tally);

// Connections from `address` (a loopback one: 127.0.0.2) that never pair and send a
// request's head a line a second without ever ending it, while they live; each is made
// again when the server cuts it, at its next line.
class SlowClients {
public:
    SlowClients(int port, int count, const std::string& address);
    ~SlowClients();
    SlowClients(const SlowClients&) = delete;
    SlowClients& operator=(const SlowClients&) = delete;
    std::size_t connectionsMade() const { return m_made; }

private:
    void trickle(int port, const std::string& address);

    std::atomic<bool> m_stopping = false;
    std::atomic<std::size_t> m_made = 0;
    std::vector<std::thread> m_threads;
};
