#include "core/companion/ConnectionWatch.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <linux/tcp.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <iterator>
#include <optional>

namespace talvane::companion {

namespace {

int portOf(const sockaddr_storage& address)
{
    if (address.ss_family == AF_INET)
        return ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
    if (address.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port);
    return -1;
}

std::string describe(const sockaddr_storage& address)
{
    char text[INET6_ADDRSTRLEN] = {};
    if (address.ss_family == AF_INET)
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in&>(address).sin_addr, text, sizeof text);
    else if (address.ss_family == AF_INET6)
        inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6&>(address).sin6_addr, text, sizeof text);
    return std::string(text) + " " + std::to_string(portOf(address));
}

// "192.168.1.30" of a peer "192.168.1.30 51200".
std::string addressOf(const std::string& peer)
{
    return peer.substr(0, peer.rfind(' '));
}

// The peer of a descriptor that is a connection to our port, or empty.
std::string peerOnPort(int fd, int port)
{
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISSOCK(status.st_mode))
        return {};
    sockaddr_storage local{};
    socklen_t length = sizeof local;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0 || portOf(local) != port)
        return {};
    sockaddr_storage peer{};
    length = sizeof peer;
    if (getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &length) != 0)
        return {};
    return describe(peer);
}

// The bytes the peer has sent on the connection so far, as the system counts them;
// 0 where it does not count them, which leaves only the deadline.
std::uint64_t bytesReceived(int fd)
{
    tcp_info info{};
    socklen_t length = sizeof info;
    if (getsockopt(fd, IPPROTO_TCP, TCP_INFO, &info, &length) != 0 ||
        length < offsetof(tcp_info, tcpi_bytes_received) + sizeof info.tcpi_bytes_received)
        return 0;
    return info.tcpi_bytes_received;
}

// Often enough that a line the library reads whole cannot grow large between two looks.
constexpr std::chrono::milliseconds kLongestTick(100);
// What a connection that was told it closes may still send, while its peer learns it:
// the part of a refused body already on its way.
constexpr std::chrono::milliseconds kClosingTime(1000);
constexpr std::uint64_t kClosingBytes = 1024 * 1024;

// Ends a connection whatever its peer goes on sending: after a mere shutdown, a thread
// still reads what keeps arriving. A disconnect resets it and drops what it holds; it
// is refused while a thread sleeps in a blocking call on it, and then the shutdown
// wakes that thread.
void abortConnection(int fd)
{
    sockaddr unspecified{};
    unspecified.sa_family = AF_UNSPEC;
    if (connect(fd, &unspecified, sizeof unspecified) != 0)
        shutdown(fd, SHUT_RDWR);
}

// The connections to our port open in this process, each as its descriptor and peer;
// nothing when they cannot be listed.
std::optional<std::vector<std::pair<int, std::string>>> connectionsOnPort(int port)
{
    DIR* folder = opendir("/proc/self/fd");
    if (!folder)
        return std::nullopt;
    std::vector<std::pair<int, std::string>> open;
    while (const dirent* item = readdir(folder)) {
        char* end = nullptr;
        const long fd = std::strtol(item->d_name, &end, 10);
        if (end == item->d_name || *end != '\0' || fd == dirfd(folder))
            continue;
        std::string peer = peerOnPort(static_cast<int>(fd), port);
        if (!peer.empty())
            open.emplace_back(static_cast<int>(fd), std::move(peer));
    }
    closedir(folder);
    return open;
}

// The head is part of the request: it never has longer.
ConnectionLimits headWithinRequest(ConnectionLimits limits)
{
    limits.headTime = std::min(limits.headTime, limits.requestTime);
    return limits;
}

} // namespace

ConnectionWatch::ConnectionWatch(int port, ConnectionLimits limits, std::function<bool(const std::string&)> trusted)
    : m_port(port), m_limits(headWithinRequest(limits)), m_trusted(std::move(trusted)), m_thread([this] { watch(); })
{
}

ConnectionWatch::~ConnectionWatch()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

bool ConnectionWatch::noticeAccepted()
{
    const auto open = connectionsOnPort(m_port);
    if (!open)
        return true;
    bool admitted = true;
    for (const auto& connection : notWatchedYet(*open)) {
        const std::string address = addressOf(connection.second);
        const auto held = static_cast<std::size_t>(std::count_if(
            open->begin(), open->end(), [&](const auto& other) { return addressOf(other.second) == address; }));
        if (held > m_limits.perAddress && !m_trusted(address)) {
            abortConnection(connection.first);
            admitted = false;
            continue;
        }
        std::lock_guard lock(m_mutex);
        m_connections.push_back({connection.first, connection.second, std::chrono::steady_clock::now() + m_limits.headTime,
                                 bytesReceived(connection.first) + m_limits.requestBytes});
    }
    m_wake.notify_all();
    return admitted;
}

std::vector<std::pair<int, std::string>> ConnectionWatch::notWatchedYet(const std::vector<std::pair<int, std::string>>& open)
{
    // Every connection is noticed as it is accepted: the one not watched yet is the one
    // just accepted. Not structured bindings: Clang 14, which builds the fuzz targets,
    // cannot capture one.
    std::vector<std::pair<int, std::string>> accepted;
    std::lock_guard lock(m_mutex);
    std::copy_if(open.begin(), open.end(), std::back_inserter(accepted), [this](const auto& found) {
        return std::none_of(m_connections.begin(), m_connections.end(), [&](const Connection& held) {
            return held.fd == found.first && held.peer == found.second;
        });
    });
    return accepted;
}

void ConnectionWatch::headArrived(const std::string& peerAddress, int peerPort)
{
    const std::string peer = peerAddress + " " + std::to_string(peerPort);
    std::lock_guard lock(m_mutex);
    for (Connection& connection : m_connections)
        if (connection.peer == peer && !connection.closing)
            connection.deadline = std::chrono::steady_clock::now() + m_limits.requestTime;
}

void ConnectionWatch::extend(const std::string& peerAddress, int peerPort, std::chrono::milliseconds time,
                             std::uint64_t bytes)
{
    const std::string peer = peerAddress + " " + std::to_string(peerPort);
    std::lock_guard lock(m_mutex);
    for (Connection& connection : m_connections)
        if (connection.peer == peer && !connection.closing) {
            connection.deadline = std::chrono::steady_clock::now() + time;
            connection.byteLimit = bytesReceived(connection.fd) + bytes;
        }
}

void ConnectionWatch::renew(const std::string& peerAddress, int peerPort)
{
    extend(peerAddress, peerPort, m_limits.headTime, m_limits.requestBytes);
}

void ConnectionWatch::close(const std::string& peerAddress, int peerPort)
{
    const std::string peer = peerAddress + " " + std::to_string(peerPort);
    std::lock_guard lock(m_mutex);
    for (Connection& connection : m_connections)
        if (connection.peer == peer && !connection.closing && peerOnPort(connection.fd, m_port) == peer) {
            // The answer is already sent: the peer reads it, then the end.
            shutdown(connection.fd, SHUT_WR);
            connection.closing = true;
            connection.deadline = std::min(connection.deadline, std::chrono::steady_clock::now() + kClosingTime);
            connection.byteLimit = std::min(connection.byteLimit, bytesReceived(connection.fd) + kClosingBytes);
        }
}

bool ConnectionWatch::closing(const std::string& peerAddress, int peerPort)
{
    const std::string peer = peerAddress + " " + std::to_string(peerPort);
    std::lock_guard lock(m_mutex);
    return std::any_of(m_connections.begin(), m_connections.end(),
                       [&](const Connection& connection) { return connection.closing && connection.peer == peer; });
}

void ConnectionWatch::watch()
{
    std::unique_lock lock(m_mutex);
    const auto tick = std::min<std::chrono::milliseconds>(m_limits.headTime / 4, kLongestTick);
    while (!m_stopping) {
        // Nothing to look at until a connection comes.
        m_wake.wait(lock, [this] { return m_stopping || !m_connections.empty(); });
        if (m_wake.wait_for(lock, tick, [this] { return m_stopping; }))
            break;
        const auto now = std::chrono::steady_clock::now();
        std::erase_if(m_connections, [&](const Connection& connection) {
            // A descriptor closed (or reused by another connection) is no longer ours.
            if (peerOnPort(connection.fd, m_port) != connection.peer)
                return true;
            if (connection.deadline > now && bytesReceived(connection.fd) <= connection.byteLimit)
                return false;
            abortConnection(connection.fd);
            return true;
        });
    }
}

} // namespace talvane::companion
