#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace talvane::companion {

// Drops connections that take too long: a request trickled in a byte at a time (a
// slow-loris attack) would otherwise hold one of the server's threads for hours, since
// the HTTP library only bounds the wait for each single read. Every connection to the
// server's port gets a deadline when it is accepted; a request that may rightly take
// long (a photo upload) extends it, and each answered request renews it. A connection
// past its deadline is shut down, which ends the thread's wait at once.
class ConnectionWatch {
public:
    ConnectionWatch(int port, std::chrono::milliseconds requestTime);
    ~ConnectionWatch();
    ConnectionWatch(const ConnectionWatch&) = delete;
    ConnectionWatch& operator=(const ConnectionWatch&) = delete;

    // Looks for the connections accepted since the last call, starts their clocks and
    // sends their answers without delay.
    void noticeAccepted();
    // Gives the connection from this peer `time` from now; renew() gives it the
    // request time again.
    void extend(const std::string& peerAddress, int peerPort, std::chrono::milliseconds time);
    void renew(const std::string& peerAddress, int peerPort);

private:
    struct Connection {
        int fd;
        std::string peer; // "address port", to tell a reused descriptor from the one watched
        std::chrono::steady_clock::time_point deadline;
    };

    void watch();

    int m_port;
    std::chrono::milliseconds m_requestTime;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    std::vector<Connection> m_connections;
    std::thread m_thread;
};

} // namespace talvane::companion
