#include "core/companion/CompanionServer.h"

#include "core/companion/ApiJson.h"
#include "core/companion/ConnectionWatch.h"
#include "core/companion/LabelPhoto.h"
#include "core/companion/PhonePictures.h"
#include "core/companion/Serving.h"
#include "core/companion/ServingRecord.h"

#include <httplib.h>

#include <ifaddrs.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <arpa/inet.h>
#include <net/if.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>

namespace talvane::companion {

namespace {

using httplib::Request;
using httplib::Response;
using HandlerResponse = httplib::Server::HandlerResponse;

constexpr std::size_t kPool = 32;
constexpr int kServingNiceness = 5;
// What a connection may send for one request but an upload: the request line and its
// headers, which browsers keep to a few kilobytes, and a form.
constexpr std::uint64_t kRequestBytes = kMaxFormBytes + 64 * 1024;
// A phone's browser opens a few connections at once; an address that holds more, and
// has no paired phone, is taking threads from the phones.
constexpr std::size_t kConnectionsPerAddress = 8;
// The most an upload's body may hold, and what its connection may send for it.
constexpr std::uint64_t kUploadBodyBytes = kMaxPhotosPerRequest * kMaxPhotoBytes + kMaxFormBytes;
// The photo of a label is read whole into memory with its form.
constexpr std::uint64_t kScanBodyBytes = kMaxLabelPhotoBytes + kMaxFormBytes;
constexpr char kScanPath[] = "/api/labels/scan";

// The thread pool that serves connections, telling the watch of each one accepted.
class WatchedPool : public httplib::ThreadPool {
public:
    WatchedPool(ConnectionWatch& watch) : httplib::ThreadPool(kPool), m_watch(watch) {}
    void enqueue(std::function<void()> fn) override
    {
        // A connection the watch ended takes no thread: its serving finds it closed at
        // once and releases it.
        if (m_watch.noticeAccepted())
            httplib::ThreadPool::enqueue(std::move(fn));
        else
            fn();
    }

private:
    ConnectionWatch& m_watch;
};

constexpr char kNotPaired[] = PHONE_TEXT("This phone is not paired with Talvane. On the desktop, choose File, Share "
                                         "with phones, and scan the code it shows.");

// Requests give way to the window: a thread that serves phones runs at a lower
// priority than the one the grower is typing in.
void giveWayToTheWindow()
{
    static thread_local const bool lowered =
        setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), kServingNiceness) == 0;
    (void)lowered;
}

// What a refusal said: the API's JSON error, or a page's plain words.
std::string refusalWords(const Response& response)
{
    const std::string type = response.get_header_value("Content-Type");
    if (type.starts_with("text/plain"))
        return response.body;
    if (!type.starts_with("application/json"))
        return {};
    const auto body = nlohmann::json::parse(response.body, nullptr, false);
    return body.is_object() && body.contains("error") && body["error"].is_string() ? body["error"].get<std::string>()
                                                                                  : std::string();
}

// "refused 403 POST /api/trees/3/events from 192.168.1.30: This request came from
// another site. Nothing was changed." The address's query is left out, and so is a
// pairing address's token: both may be secrets.
std::string refusalLine(const Request& request, const Response& response)
{
    const std::string path = request.path.starts_with("/pair/") ? "/pair/\u2026" : logSafe(request.path);
    std::string line = "refused " + std::to_string(response.status) + " " + logSafe(request.method, 10) + " " + path +
                       " from " + logSafe(request.remote_addr, 50);
    const std::string words = refusalWords(response);
    return words.empty() ? line : line + ": " + logSafe(words);
}

} // namespace

std::vector<NetworkAddress> localNetworkAddresses()
{
    std::vector<NetworkAddress> addresses;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return addresses;
    for (const ifaddrs* item = list; item; item = item->ifa_next) {
        if (!item->ifa_addr || item->ifa_addr->sa_family != AF_INET || (item->ifa_flags & IFF_LOOPBACK) ||
            !(item->ifa_flags & IFF_UP))
            continue;
        char text[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(item->ifa_addr)->sin_addr, text, sizeof text);
        addresses.push_back({item->ifa_name, text});
    }
    freeifaddrs(list);
    // Home networks are private ranges; wireless and wired interfaces before virtual ones.
    const auto rank = [](const NetworkAddress& a) {
        const bool home = a.address.starts_with("192.168.") || a.address.starts_with("10.") || a.address.starts_with("172.");
        const bool virtualLink = a.interfaceName.starts_with("docker") || a.interfaceName.starts_with("veth") ||
                                 a.interfaceName.starts_with("br-") || a.interfaceName.starts_with("virbr");
        return (home ? 0 : 1) + (virtualLink ? 2 : 0);
    };
    std::stable_sort(addresses.begin(), addresses.end(),
                     [&](const NetworkAddress& a, const NetworkAddress& b) { return rank(a) < rank(b); });
    return addresses;
}

std::string phoneAddressFor(const std::string& bindAddress)
{
    if (bindAddress != "0.0.0.0")
        return bindAddress;
    const auto addresses = localNetworkAddresses();
    return addresses.empty() ? "127.0.0.1" : addresses.front().address;
}

std::string pairingAddress(const std::string& address, int port, const std::string& token)
{
    return "http://" + address + ":" + std::to_string(port) + "/pair/" + token;
}

CompanionServer::CompanionServer(CollectionHost& host, Clock clock, std::size_t maxPhones)
    : m_host(host), m_sessions(std::move(clock), maxPhones)
{
}

CompanionServer::~CompanionServer()
{
    stop();
}

std::string CompanionServer::pairingAddress(const std::string& address) const
{
    return companion::pairingAddress(address, m_port, m_sessions.pairingToken());
}

std::optional<std::string> CompanionServer::start(const ServerOptions& options)
{
    stop();
    m_options = options;
    if (!bind(options.bindAddress, options.port))
        return cannotListen(options.bindAddress, options.port);
    m_watch = std::make_unique<ConnectionWatch>(
        m_port, ConnectionLimits{options.headTime, options.requestTime, kRequestBytes, kConnectionsPerAddress},
        [this](const std::string& address) { return m_sessions.knowsAddress(address); });
    m_sessions.keepIn(options.phonesFile);
    m_sessions.newPairing();
    m_serving = std::make_unique<Serving>(m_host, m_sessions, m_options, m_port);
    if (!options.servingFile.empty())
        m_servingRecord = std::make_unique<ServingRecord>(options.servingFile, ServedAt{options.bindAddress, m_port, 0, options.handsOver});
    serve();
    return std::nullopt;
}

std::optional<std::string> CompanionServer::listenOn(const std::string& bindAddress)
{
    if (!isRunning())
        return cannotListen(bindAddress, m_port);
    // Requests begun before go on to their answers, and their connections end then.
    m_server->stop();
    m_retired.emplace_back(std::move(m_server), std::move(m_thread));
    std::erase_if(m_retired, [](Retired& retired) {
        if (retired.first->is_running())
            return false;
        retired.second.join();
        return true;
    });
    if (!bind(bindAddress, m_port)) {
        // Where it listened a moment ago is free: only another program taking the port
        // meanwhile leaves nothing listening.
        if (bind(m_options.bindAddress, m_port))
            serve();
        return cannotListen(bindAddress, m_port);
    }
    m_options.bindAddress = bindAddress;
    if (m_servingRecord)
        m_servingRecord->moveTo(bindAddress);
    serve();
    return std::nullopt;
}

bool CompanionServer::bind(const std::string& address, int port)
{
    m_server = std::make_unique<httplib::Server>();
    // The library writes an answer's head and its body apart: with Nagle's algorithm the
    // body waits for the phone to acknowledge the head, which it delays by some 40 ms.
    // Set before the socket is made: connections take it from the listening socket.
    m_server->set_tcp_nodelay(true);
    // The library's own options share a port with any other program that asks
    // (SO_REUSEPORT): two windows sharing at once would each get half of the phones'
    // connections. A port is this server's alone; only a closed one's lingering
    // connections may be reused.
    socket_t listening = INVALID_SOCKET;
    m_server->set_socket_options([&listening](socket_t socket) {
        const int yes = 1;
        ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        listening = socket;
    });
    const int bound = port == 0 ? m_server->bind_to_any_port(address) : (m_server->bind_to_port(address, port) ? port : -1);
    if (bound <= 0) {
        m_server.reset();
        return false;
    }
    // The library keeps 5 connections waiting to be accepted: a burst beyond them (a
    // page's pictures, a flood from one address) has its handshakes dropped, and then
    // retried a second later.
    ::listen(listening, SOMAXCONN);
    m_port = bound;
    return true;
}

std::string CompanionServer::cannotListen(const std::string& address, int port) const
{
    return say(m_options.translate,
               PHONE_TEXT("Cannot listen on %1: the address is not this machine's, or the port is taken."),
               {address + (port ? ":" + std::to_string(port) : "")});
}

void CompanionServer::serve()
{
    m_server->new_task_queue = [this] { return new WatchedPool(*m_watch); };
    m_server->set_read_timeout(5);
    m_server->set_write_timeout(30);
    m_server->set_keep_alive_timeout(3);
    m_server->set_keep_alive_max_count(50);
    m_server->set_payload_max_length(kUploadBodyBytes);
    m_server->set_default_headers({
        {"Content-Security-Policy", "default-src 'none'; script-src 'self'; connect-src 'self'; img-src 'self'; "
                                    "style-src 'self'; form-action 'self'; base-uri 'none'; frame-ancestors 'none'"},
        {"X-Content-Type-Options", "nosniff"},
        {"Referrer-Policy", "no-referrer"},
        {"X-Frame-Options", "DENY"},
    });
    addRoutes();
    m_thread = std::thread([server = m_server.get()] { server->listen_after_bind(); });
    // A stop that came before the serving thread began would not reach its socket, and
    // the thread would then wait for a connection forever: the server starts running
    // before start() returns.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!m_server->is_running() && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::yield();
}

void CompanionServer::stop()
{
    if (m_server)
        m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
    for (Retired& retired : m_retired)
        retired.second.join();
    m_retired.clear();
    m_server.reset();
    m_serving.reset();
    m_servingRecord.reset();
    m_watch.reset();
    m_sessions.endPairing();
}

void CompanionServer::addRoutes()
{
    httplib::Server& server = *m_server;
    watchEveryRequest(server);
    answerFailures(server);
    addApiRoutes(server, *m_serving);
    addPageRoutes(server, *m_serving);
}

void CompanionServer::watchEveryRequest(httplib::Server& server)
{
    server.set_pre_routing_handler([this](const Request& request, Response& response) {
        m_watch->headArrived(request.remote_addr, request.remote_port);
        giveWayToTheWindow();
        // Not a default header: those are added to the answer as it is written, beside
        // any a route sets, and a picture's own would then be overruled.
        response.set_header("Cache-Control", "no-store");
        return admit(request, response) ? HandlerResponse::Unhandled : HandlerResponse::Handled;
    });
    // Called once the answer is written, every refusal's included: the log is told of
    // them here, where the request and its answer are both at hand. The library keeps a
    // connection open even when the answer says it closes.
    server.set_logger([this](const Request& request, const Response& response) {
        if (response.status >= 400 && m_options.log)
            m_options.log(refusalLine(request, response));
        if (response.get_header_value("Connection") == "close")
            m_watch->close(request.remote_addr, request.remote_port);
        else
            m_watch->renew(request.remote_addr, request.remote_port);
    });
}

void CompanionServer::answerFailures(httplib::Server& server)
{
    // An address no route answers, or an answer without a body, still says why.
    server.set_error_handler([this](const Request& request, Response& response) {
        if (!response.body.empty())
            return;
        const std::string said =
            say(m_options.translate, response.status == 404 ? PHONE_TEXT("There is nothing at this address.")
                                                            : PHONE_TEXT("The request cannot be answered."));
        if (request.path.starts_with("/api/"))
            sendRefusal(response, {response.status, said});
        else
            response.set_content(said, "text/plain; charset=utf-8");
    });
    server.set_exception_handler([this](const Request&, Response& response, std::exception_ptr error) {
        std::string what = "unknown error";
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& thrown) {
            what = thrown.what();
        } catch (...) {
        }
        sendRefusal(response, {500, say(m_options.translate, PHONE_TEXT("The desktop could not answer: %1."), {what})});
    });
}

// Nothing is served to a phone that is not paired or a program without a token, and no
// write comes from another site.
bool CompanionServer::admit(const Request& request, Response& response)
{
    // What follows a refused request on its connection is what was left of its body.
    if (m_watch->closing(request.remote_addr, request.remote_port)) {
        response.status = 400;
        response.set_header("Connection", "close");
        return false;
    }
    // Found before any way in, so that no route is handed a caller of an earlier request.
    const Caller& caller = m_serving->admitCaller(request);
    if (request.path.starts_with("/pair/"))
        return true;
    if (request.path == "/calendar.ics" && m_sessions.isCalendarKey(request.get_param_value("key")))
        return true;
    if (!caller.known())
        return refuseAtTheDoor(request, response, 401, kNotPaired);
    if (request.method == "GET" || request.method == "HEAD") {
        // A phone that opens the pages keeps its cookie a year from then, as long as
        // its pairing lasts unused.
        if (caller.session && !request.path.starts_with("/api/") && !request.path.starts_with("/phone/"))
            response.set_header("Set-Cookie", sessionCookie(caller.secret));
        return true;
    }
    if (isCrossSite(request))
        return refuseAtTheDoor(request, response, 403,
                               PHONE_TEXT("This request came from another site. Nothing was changed."));
    return admitBody(request, response);
}

// No request body is read before its size is known to be within its limit.
bool CompanionServer::admitBody(const Request& request, Response& response)
{
    const bool upload = request.path.starts_with("/api/trees/") && request.path.ends_with("/events");
    const bool scan = request.path == kScanPath;
    const std::uint64_t limit = upload ? kUploadBodyBytes : scan ? kScanBodyBytes : kMaxFormBytes;
    // A form is read whole into memory: only one whose length is known before is read,
    // since the library reads a chunked body to its end.
    if (!upload && (!request.has_header("Content-Length") || request.has_header("Transfer-Encoding")))
        return refuseAtTheDoor(request, response, 411,
                               PHONE_TEXT("The form came without its length. Nothing was changed."));
    if (std::strtoull(request.get_header_value("Content-Length").c_str(), nullptr, 10) > limit)
        return refuseAtTheDoor(request, response, 413,
                               upload ? PHONE_TEXT("At most 30 photos of up to 40 MB each can be sent at once. "
                                                   "Nothing was changed.")
                               : scan ? PHONE_TEXT("The photo of the label is larger than 20 MB: take it again at a "
                                                   "smaller size.")
                                      : PHONE_TEXT("The form is too large. Nothing was changed."));
    if (upload || scan)
        m_watch->extend(request.remote_addr, request.remote_port, m_options.uploadTime,
                        (upload ? kUploadBodyBytes : kScanBodyBytes) + 64 * 1024);
    return true;
}

// A refusal before any route: JSON for the API, the plain words for a page a browser
// opened without being paired.
bool CompanionServer::refuseAtTheDoor(const Request& request, Response& response, int status, const char* english)
{
    response.set_header("Connection", "close");
    const std::string said = say(m_options.translate, english);
    if (request.path.starts_with("/api/") || status != 401) {
        sendRefusal(response, {status, said});
    } else {
        response.status = status;
        response.set_content(said, "text/plain; charset=utf-8");
    }
    return false;
}

} // namespace talvane::companion
