#pragma once

#include "core/companion/CollectionHost.h"
#include "core/companion/PhoneSessions.h"
#include "core/companion/PhoneWords.h"
#include "core/companion/ServerOptions.h"

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace httplib {
class Server;
struct Request;
struct Response;
}

namespace talvane::companion {

class ConnectionWatch;
class Serving;
class ServingRecord;

// An address of this machine on a network, as the sharing window names it.
struct NetworkAddress {
    std::string interfaceName; // "wlan0"
    std::string address;       // "192.168.1.20"
};
// The machine's IPv4 addresses other than loopback, the likeliest home network first.
std::vector<NetworkAddress> localNetworkAddresses();
// The address a phone should open for a server listening on `bindAddress`: that one,
// or for every network ("0.0.0.0") the likeliest home network.
std::string phoneAddressFor(const std::string& bindAddress);
// "http://192.168.1.20:8080/pair/TOKEN".
std::string pairingAddress(const std::string& address, int port, const std::string& token);

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

    // Listens on the options' address and port with a new pairing token, serving the
    // phones kept in the options' phones file. Gives nothing on success, or why it could
    // not listen.
    std::optional<std::string> start(const ServerOptions& options);
    // Listens on another address of the machine instead, on the same port, keeping the
    // pairing token and the phones' sessions. Gives why it could not, listening where it
    // did before.
    std::optional<std::string> listenOn(const std::string& bindAddress);
    void stop();
    bool isRunning() const { return m_thread.joinable(); }
    int port() const { return m_port; }
    // The address listened on ("0.0.0.0": every network).
    const std::string& bindAddress() const { return m_options.bindAddress; }

    PhoneSessions& sessions() { return m_sessions; }
    // "http://192.168.1.20:8080/pair/TOKEN" for the given address of this machine.
    std::string pairingAddress(const std::string& address) const;

private:
    // Makes m_server, listening on the address and port (any free one for 0), or false.
    bool bind(const std::string& address, int port);
    // Sets the bound server up and accepts its connections on a thread of their own.
    void serve();
    std::string cannotListen(const std::string& address, int port) const;
    void addRoutes();
    // Before routing, every request is admitted or refused; after its answer, the log and
    // the connection's watch are told.
    void watchEveryRequest(httplib::Server& server);
    // What a refused address, an empty answer or a failing route says.
    void answerFailures(httplib::Server& server);
    bool admit(const httplib::Request& request, httplib::Response& response);
    bool admitBody(const httplib::Request& request, httplib::Response& response);
    bool refuseAtTheDoor(const httplib::Request& request, httplib::Response& response, int status,
                         const char* english);

    CollectionHost& m_host;
    PhoneSessions m_sessions;
    ServerOptions m_options;
    std::unique_ptr<httplib::Server> m_server;
    std::unique_ptr<ConnectionWatch> m_watch;
    std::unique_ptr<Serving> m_serving;
    std::unique_ptr<ServingRecord> m_servingRecord;
    std::thread m_thread;
    // The servers that listened before a move, until their last requests are answered.
    using Retired = std::pair<std::unique_ptr<httplib::Server>, std::thread>;
    std::vector<Retired> m_retired;
    int m_port = 0;
};

} // namespace talvane::companion
