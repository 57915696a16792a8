#pragma once

#include "companion/CollectionHost.h"
#include "companion/PhoneSessions.h"
#include "companion/PhoneWords.h"

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

namespace talvane::companion {

class ConnectionWatch;

// An address of this machine on a network, as the sharing window names it.
struct NetworkAddress {
    std::string interfaceName; // "wlan0"
    std::string address;       // "192.168.1.20"
};
// The machine's IPv4 addresses other than loopback, the likeliest home network first.
std::vector<NetworkAddress> localNetworkAddresses();

struct ServerOptions {
    // "0.0.0.0" serves every network of the machine.
    std::string bindAddress = "0.0.0.0";
    int port = 0; // 0: any free port
    // How long a connection may take to send one request, and a photo upload.
    std::chrono::milliseconds requestTime = std::chrono::seconds(30);
    std::chrono::milliseconds uploadTime = std::chrono::minutes(10);
    // Where received photos wait until they are copied; the system's temporary folder
    // when empty.
    std::string uploadFolder;
    // The language the pages and messages speak: the desktop's, English by default.
    PhoneWords translate = inEnglish;
};

// Limits on what a request may send.
inline constexpr std::size_t kMaxPhotosPerRequest = 30;
inline constexpr std::size_t kMaxFormBytes = 64 * 1024;
inline constexpr std::size_t kMaxFormField = 16 * 1024;

// The phone companion served over HTTP to the phones of the home network: pairing,
// the pages, the pictures, the changes and the calendar, over one CollectionHost.
// Nothing listens until start() and everything stops with stop(); every request but
// the pairing address itself needs a paired phone's session.
class CompanionServer {
public:
    // The sessions tell time by `clock` (pairing tokens expire) and pair at most
    // `maxPhones` phones at once.
    explicit CompanionServer(CollectionHost& host, Clock clock = std::chrono::system_clock::now,
                             std::size_t maxPhones = PhoneSessions::kMaxPhones);
    ~CompanionServer();
    CompanionServer(const CompanionServer&) = delete;
    CompanionServer& operator=(const CompanionServer&) = delete;

    // Listens on the options' address and port with a new pairing token. Gives nothing
    // on success, or why it could not listen.
    std::optional<std::string> start(const ServerOptions& options);
    void stop();
    bool isRunning() const { return m_thread.joinable(); }
    int port() const { return m_port; }

    PhoneSessions& sessions() { return m_sessions; }
    // "http://192.168.1.20:8080/pair/TOKEN" for the given address of this machine.
    std::string pairingAddress(const std::string& address) const;

private:
    void addRoutes();

    CollectionHost& m_host;
    PhoneSessions m_sessions;
    ServerOptions m_options;
    std::unique_ptr<httplib::Server> m_server;
    std::unique_ptr<ConnectionWatch> m_watch;
    std::thread m_thread;
    int m_port = 0;
};

} // namespace talvane::companion
