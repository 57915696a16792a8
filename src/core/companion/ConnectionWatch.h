#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace talvane::companion {

// Limits on each connection to the server's port.
struct ConnectionLimits {
    // For a request's line and headers, from the connection's acceptance or the answer
    // before; then for the rest of the request once they came.
    std::chrono::milliseconds headTime;
    std::chrono::milliseconds requestTime;
    std::uint64_t requestBytes;
    // Connections one address may hold open at once, but a trusted one.
    std::size_t perAddress;
};

// Drops connections that take too long or send too much: a request trickled in a byte
// at a time (a slow-loris attack) would otherwise hold one of the server's threads for
// hours, since the HTTP library only bounds the wait for each single read; and a
// request line or header that never ends would grow in its memory without bound, since
// it reads a line whole before it looks at its length. Every connection to the server's
// port gets a short deadline for its request's head and a number of bytes it may send
// when it is accepted; the head's arrival gives it the request's deadline; a request
// that may rightly take long and send much (a photo upload) extends them, and each
// answered request gives the next head its short deadline again. A connection past
// either is aborted, which ends the thread's wait at once and refuses whatever its peer
// goes on sending. One address holding many connections would still hold as many
// threads, each until its deadline: past a few, its connections are ended as they come.
class ConnectionWatch {
public:
    // `trusted` tells an address whose connections are not counted: a paired phone's.
    ConnectionWatch(int port, ConnectionLimits limits, std::function<bool(const std::string& address)> trusted);
    ~ConnectionWatch();
    ConnectionWatch(const ConnectionWatch&) = delete;
    ConnectionWatch& operator=(const ConnectionWatch&) = delete;

    // Looks for the connection accepted since the last call and starts its clock; false
    // when it was one too many from its address and is ended already.
    bool noticeAccepted();
    // The request's line and headers came on the connection from this peer.
    void headArrived(const std::string& peerAddress, int peerPort);
    // Gives the connection from this peer `time` from now and `bytes` more to send;
    // renew() gives it the head time and the request bytes again.
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
    // Of the connections open to our port (descriptor and peer), those not watched yet.
    std::vector<std::pair<int, std::string>> notWatchedYet(const std::vector<std::pair<int, std::string>>& open);

    int m_port;
    ConnectionLimits m_limits;
    std::function<bool(const std::string& address)> m_trusted;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    std::vector<Connection> m_connections;
    std::thread m_thread;
};

} // namespace talvane::companion
