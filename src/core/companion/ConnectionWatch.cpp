#include "companion/ConnectionWatch.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

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

} // namespace

ConnectionWatch::ConnectionWatch(int port, std::chrono::milliseconds requestTime)
    : m_port(port), m_requestTime(requestTime), m_thread([this] { watch(); })
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

void ConnectionWatch::noticeAccepted()
{
    DIR* folder = opendir("/proc/self/fd");
    if (!folder)
        return;
    std::vector<std::pair<int, std::string>> found;
    while (const dirent* item = readdir(folder)) {
        char* end = nullptr;
        const long fd = std::strtol(item->d_name, &end, 10);
        if (end == item->d_name || *end != '\0' || fd == dirfd(folder))
            continue;
        std::string peer = peerOnPort(static_cast<int>(fd), m_port);
        if (!peer.empty())
            found.emplace_back(static_cast<int>(fd), std::move(peer));
    }
    closedir(folder);
    std::lock_guard lock(m_mutex);
    const auto now = std::chrono::steady_clock::now();
    for (auto& [fd, peer] : found) {
        const bool known = std::any_of(m_connections.begin(), m_connections.end(),
                                       [&](const Connection& held) { return held.fd == fd && held.peer == peer; });
        if (known)
            continue;
        // Answers go out in several writes: without this, each one after the first
        // waits for the phone's delayed acknowledgement, 40 ms a request.
        const int on = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        m_connections.push_back({fd, std::move(peer), now + m_requestTime});
    }
}

void ConnectionWatch::extend(const std::string& peerAddress, int peerPort, std::chrono::milliseconds time)
{
    const std::string peer = peerAddress + " " + std::to_string(peerPort);
    std::lock_guard lock(m_mutex);
    for (Connection& connection : m_connections)
        if (connection.peer == peer)
            connection.deadline = std::chrono::steady_clock::now() + time;
}

void ConnectionWatch::renew(const std::string& peerAddress, int peerPort)
{
    extend(peerAddress, peerPort, m_requestTime);
}

void ConnectionWatch::watch()
{
    std::unique_lock lock(m_mutex);
    const auto tick = std::min<std::chrono::milliseconds>(m_requestTime / 4, std::chrono::milliseconds(500));
    while (!m_wake.wait_for(lock, tick, [this] { return m_stopping; })) {
        const auto now = std::chrono::steady_clock::now();
        std::erase_if(m_connections, [&](const Connection& connection) {
            // A descriptor closed (or reused by another connection) is no longer ours.
            if (peerOnPort(connection.fd, m_port) != connection.peer)
                return true;
            if (connection.deadline > now)
                return false;
            shutdown(connection.fd, SHUT_RDWR);
            return true;
        });
    }
}

} // namespace talvane::companion
