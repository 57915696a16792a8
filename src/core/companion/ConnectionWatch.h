#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace talvane::companion {

// Drops connections that take too long or send too much: a request trickled in a byte
// at a time (a slow-loris attack) would otherwise hold one of the server's threads for
// hours, since the HTTP library only bounds the wait for each single read; and a
// request line or header that never ends would grow in its memory without bound, since
// it reads a line whole before it looks at its length. Every connection to the server's
// port gets a deadline and a number of bytes it may send when it is accepted; a request
// that may rightly take long and send much (a photo upload) extends them, and each
// answered request renews them. A connection past either is aborted, which ends the
// thread's wait at once and refuses whatever its peer goes on sending.
class ConnectionWatch {
public:
    ConnectionWatch(int port, std::chrono::milliseconds requestTime, std::uint64_t requestBytes);
    ~ConnectionWatch();
    ConnectionWatch(const ConnectionWatch&) = delete;
    ConnectionWatch& operator=(const ConnectionWatch&) = delete;

    // Looks for the connections accepted since the last call and starts their clocks.
    void noticeAccepted();
    // Gives the connection from this peer `time` from now and `bytes` more to send;
    // renew() gives it the request time and bytes again.
    void extend(const std::string& peerAddress, int peerPort, std::chrono::milliseconds time, std::uint64_t bytes);
    void renew(const std::string& peerAddress, int peerPort);
    // Ends the connection once its answer is sent: for one whose answer said it closes.
    // The library would keep it open and read what is left of a refused request's body
    // as the next request; closing() tells that nothing more from it is to be served,
    // and it is aborted if its peer does not stop sending soon.
    void close(const std::string& peerAddress, int peerPort);
    bool closing(const std::string& peerAddress, int peerPort);

private:
    struct Connection {
        int fd;
        std::string peer; // "address port", to tell a reused descriptor from the one watched
        std::chrono::steady_clock::time_point deadline;
        std::uint64_t byteLimit; // in the bytes received since the connection opened
        bool closing = false;
    };

    void watch();

    int m_port;
    std::chrono::milliseconds m_requestTime;
    std::uint64_t m_requestBytes;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    std::vector<Connection> m_connections;
    std::thread m_thread;
};

} // namespace talvane::companion
