#include "companion/CompanionServer.h"

#include "companion/CompanionPages.h"
#include "companion/ConnectionWatch.h"
#include "companion/Html.h"
#include "companion/LabelPhoto.h"
#include "companion/PhoneForms.h"
#include "journal/CareCalendar.h"
#include "journal/Journal.h"
#include "labels/TreeLabel.h"
#include "picture/AlbumFile.h"
#include "timeline/PhotoFacts.h"
#include "timeline/TimelinePhoto.h"

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

constexpr char kSessionCookie[] = "talvane_session";
constexpr char kRef[] = "([a-z0-9-]{1,64})";
constexpr int kThumbnailSide = 128;
constexpr int kAlbumSide = 480;
constexpr std::size_t kMaxQuery = 200;
constexpr std::size_t kMaxFormFields = 32;
constexpr std::size_t kPool = 32;
constexpr int kServingNiceness = 5;
// What a connection may send for one request but an upload: the request line and its
// headers, which browsers keep to a few kilobytes, and a form.
constexpr std::uint64_t kRequestBytes = kMaxFormBytes + 64 * 1024;
// The most an upload's body may hold, and what its connection may send for it.
constexpr std::uint64_t kUploadBodyBytes = kMaxPhotosPerRequest * kMaxPhotoBytes + kMaxFormBytes;
// The photo of a label is read whole into memory with its form.
constexpr std::uint64_t kScanBodyBytes = kMaxLabelPhotoBytes + kMaxFormBytes;
constexpr char kScanPath[] = "/scan";

// The thread pool that serves connections, telling the watch of each one accepted.
class WatchedPool : public httplib::ThreadPool {
public:
    WatchedPool(ConnectionWatch& watch) : httplib::ThreadPool(kPool), m_watch(watch) {}
    void enqueue(std::function<void()> fn) override
    {
        m_watch.noticeAccepted();
        httplib::ThreadPool::enqueue(std::move(fn));
    }

private:
    ConnectionWatch& m_watch;
};

// A folder of its own for one request's photos, removed with everything in it.
class UploadFolder {
public:
    explicit UploadFolder(const std::string& parent)
    {
        std::string pattern =
            (parent.empty() ? std::filesystem::temp_directory_path() : std::filesystem::path(parent)) / "talvane-upload-XXXXXX";
        if (mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~UploadFolder()
    {
        std::error_code ignored;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ignored);
    }
    UploadFolder(const UploadFolder&) = delete;
    UploadFolder& operator=(const UploadFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

std::string sessionSecret(const Request& request)
{
    const std::string cookies = request.get_header_value("Cookie");
    const std::string key = std::string(kSessionCookie) + "=";
    std::size_t at = 0;
    while (at < cookies.size()) {
        const std::size_t end = std::min(cookies.find(';', at), cookies.size());
        std::string_view item(cookies.data() + at, end - at);
        while (!item.empty() && item.front() == ' ')
            item.remove_prefix(1);
        if (item.starts_with(key))
            return std::string(item.substr(key.size()));
        at = end + 1;
    }
    return {};
}

void sendPage(Response& response, int status, std::string page)
{
    response.status = status;
    response.set_content(std::move(page), "text/html; charset=utf-8");
}

// A page that says one thing: the title and the way back's label in English, the text
// said already.
void sendMessage(Response& response, const PhoneWords& words, int status, std::string_view title, std::string_view text,
                 std::string_view back = "/trees", std::string_view backLabel = PHONE_TEXT("Trees"))
{
    sendPage(response, status, messagePage(words, say(words, title), text, back, say(words, backLabel)));
}

void sendPicture(Response& response, const PhoneWords& words, std::optional<PhonePicture> picture)
{
    if (!picture) {
        response.status = 404;
        response.set_content(say(words, PHONE_TEXT("This picture cannot be shown.")), "text/plain; charset=utf-8");
        return;
    }
    response.set_header("Cache-Control", "private, max-age=300");
    response.set_content(std::move(picture->bytes), picture->contentType);
}

void redirect(Response& response, const std::string& to)
{
    response.status = 303;
    response.set_header("Location", to);
}

// The address the phone reached us by, for links a calendar follows; only the
// characters of a host name, an IP address and a port.
std::string requestHost(const Request& request, int port)
{
    std::string host = request.get_header_value("Host");
    const bool plain = !host.empty() && host.size() <= 100 && std::all_of(host.begin(), host.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == ':' || c == '[' || c == ']';
    });
    return plain ? host : "localhost:" + std::to_string(port);
}

constexpr char kNotPaired[] = PHONE_TEXT("This phone is not paired with Talvane. On the desktop, choose File, Share "
                                         "with phones, and scan the code it shows.");

bool isUploadPath(const std::string& path)
{
    return path.starts_with("/tree/") && path.ends_with("/log");
}

// Requests give way to the window: a thread that serves phones runs at a lower
// priority than the one the grower is typing in.
void giveWayToTheWindow()
{
    static thread_local const bool lowered =
        setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), kServingNiceness) == 0;
    (void)lowered;
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
    return "http://" + address + ":" + std::to_string(m_port) + "/pair/" + m_sessions.pairingToken();
}

std::optional<std::string> CompanionServer::start(const ServerOptions& options)
{
    stop();
    m_options = options;
    m_server = std::make_unique<httplib::Server>();
    // The library writes an answer's head and its body apart: with Nagle's algorithm the
    // body waits for the phone to acknowledge the head, which it delays by some 40 ms.
    // Set before the socket is made: connections take it from the listening socket.
    m_server->set_tcp_nodelay(true);
    // The library's own options share a port with any other program that asks
    // (SO_REUSEPORT): two windows sharing at once would each get half of the phones'
    // connections. A port is this server's alone; only a closed one's lingering
    // connections may be reused.
    m_server->set_socket_options([](socket_t socket) {
        const int yes = 1;
        ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    const int port = options.port == 0 ? m_server->bind_to_any_port(options.bindAddress)
                                       : (m_server->bind_to_port(options.bindAddress, options.port) ? options.port : -1);
    if (port <= 0) {
        m_server.reset();
        const std::string where = options.bindAddress + (options.port ? ":" + std::to_string(options.port) : "");
        return say(options.translate,
                   PHONE_TEXT("Cannot listen on %1: the address is not this machine's, or the port is taken."), {where});
    }
    m_port = port;
    m_watch = std::make_unique<ConnectionWatch>(port, options.requestTime, kRequestBytes);
    m_server->new_task_queue = [this] { return new WatchedPool(*m_watch); };
    m_server->set_read_timeout(5);
    m_server->set_write_timeout(30);
    m_server->set_keep_alive_timeout(3);
    m_server->set_keep_alive_max_count(50);
    m_server->set_payload_max_length(kUploadBodyBytes);
    m_server->set_default_headers({
        {"Content-Security-Policy", "default-src 'none'; img-src 'self'; style-src 'self'; form-action 'self'; "
                                    "base-uri 'none'; frame-ancestors 'none'"},
        {"X-Content-Type-Options", "nosniff"},
        {"Referrer-Policy", "no-referrer"},
        {"X-Frame-Options", "DENY"},
        {"Cache-Control", "no-store"},
    });
    m_sessions.newPairing();
    addRoutes();
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
    // A stop that came before the serving thread began would not reach its socket, and
    // the thread would then wait for a connection forever: the server starts running
    // before start() returns.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!m_server->is_running() && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::yield();
    return std::nullopt;
}

void CompanionServer::stop()
{
    if (m_server)
        m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
    m_server.reset();
    m_watch.reset();
    m_sessions.disconnectAll();
}

void CompanionServer::addRoutes()
{
    httplib::Server& server = *m_server;

    // Nothing is served to a phone that is not paired, and no request body is read first.
    server.set_pre_routing_handler([this, &words = m_options.translate](const Request& request, Response& response) {
        giveWayToTheWindow();
        // What follows a refused request on its connection is what was left of its body.
        if (m_watch->closing(request.remote_addr, request.remote_port)) {
            response.status = 400;
            response.set_header("Connection", "close");
            return HandlerResponse::Handled;
        }
        if (request.path.starts_with("/pair/"))
            return HandlerResponse::Unhandled;
        if (request.path == "/calendar.ics") {
            if (m_sessions.findByCalendarKey(request.get_param_value("key")))
                return HandlerResponse::Unhandled;
        } else if (m_sessions.find(sessionSecret(request))) {
            if (request.method == "POST") {
                const bool upload = isUploadPath(request.path);
                const bool scan = request.path == kScanPath;
                const std::uint64_t limit = upload ? kUploadBodyBytes : scan ? kScanBodyBytes : kMaxFormBytes;
                // A form is read whole into memory: only one whose length is known
                // before is read, since the library reads a chunked body to its end.
                if (!upload && (!request.has_header("Content-Length") || request.has_header("Transfer-Encoding"))) {
                    sendMessage(response, words, 411, PHONE_TEXT("Not sent"),
                                say(words, PHONE_TEXT("The form came without its length. Nothing was changed.")));
                    response.set_header("Connection", "close");
                    return HandlerResponse::Handled;
                }
                if (std::strtoull(request.get_header_value("Content-Length").c_str(), nullptr, 10) > limit) {
                    sendMessage(response, words, 413, PHONE_TEXT("Too much at once"),
                                say(words, upload ? PHONE_TEXT("At most 30 photos of up to 40 MB each can be sent at "
                                                               "once. Nothing was changed.")
                                           : scan ? PHONE_TEXT("The photo of the label is larger than 20 MB: take it "
                                                               "again at a smaller size.")
                                                  : PHONE_TEXT("The form is too large. Nothing was changed.")));
                    response.set_header("Connection", "close");
                    return HandlerResponse::Handled;
                }
                if (upload || scan)
                    m_watch->extend(request.remote_addr, request.remote_port, m_options.uploadTime,
                                    (upload ? kUploadBodyBytes : kScanBodyBytes) + 64 * 1024);
            }
            return HandlerResponse::Unhandled;
        }
        response.status = 401;
        response.set_content(say(words, kNotPaired), "text/plain; charset=utf-8");
        response.set_header("Connection", "close");
        return HandlerResponse::Handled;
    });
    // Called once the answer is written. The library keeps a connection open even when
    // the answer says it closes.
    server.set_logger([this](const Request& request, const Response& response) {
        if (response.get_header_value("Connection") == "close")
            m_watch->close(request.remote_addr, request.remote_port);
        else
            m_watch->renew(request.remote_addr, request.remote_port);
    });
    server.set_exception_handler([&words = m_options.translate](const Request&, Response& response,
                                                                 std::exception_ptr error) {
        std::string what = "unknown error";
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& thrown) {
            what = thrown.what();
        } catch (...) {
        }
        sendMessage(response, words, 500, PHONE_TEXT("Something went wrong"),
                    say(words, PHONE_TEXT("The desktop could not answer: %1."), {what}));
    });

    server.Get("/pair/([0-9a-f]{32})", [this, &words = m_options.translate](const Request& request,
                                                                            Response& response) {
        const auto secret = m_sessions.pair(request.matches[1].str(), request.get_header_value("User-Agent"),
                                            request.remote_addr);
        if (!secret) {
            response.status = 401;
            response.set_content(say(words, PHONE_TEXT("This pairing address is no longer valid: it was used too "
                                                       "often or is too old. Scan the code that Talvane shows now.")),
                                 "text/plain; charset=utf-8");
            return;
        }
        response.set_header("Set-Cookie", std::string(kSessionCookie) + "=" + *secret + "; Path=/; HttpOnly; SameSite=Strict");
        sendPage(response, 200, pairedPage(words));
    });
    server.Get("/style.css", [](const Request&, Response& response) {
        response.set_header("Cache-Control", "private, max-age=3600");
        response.set_content(stylesheet(), "text/css; charset=utf-8");
    });
    server.Get("/", [](const Request&, Response& response) { redirect(response, "/trees"); });

    // Every page is made from one snapshot of the collection, with the session's forms.
    const auto page = [this](auto render) {
        return [this, &words = m_options.translate, render](const Request& request, Response& response) {
            const auto collection = m_host.snapshot();
            const std::string secret = sessionSecret(request);
            const auto grant = m_sessions.find(secret);
            if (!collection || !grant) {
                sendMessage(response, words, 503, PHONE_TEXT("Not shared"),
                            say(words, PHONE_TEXT("The collection is no longer shared from the desktop.")));
                return;
            }
            const PageContext context{*collection, *grant, [this, secret] { return m_sessions.openForm(secret); },
                                      journal::CalendarDate::today(), words};
            render(context, request, response);
        };
    };
    const auto treeGone = [&words = m_options.translate](Response& response) {
        sendMessage(response, words, 404, PHONE_TEXT("Tree not found"),
                    say(words, PHONE_TEXT("This tree is no longer in the collection: it was deleted or changed on the "
                                          "desktop.")));
    };

    server.Get("/trees", page([](const PageContext& context, const Request& request, Response& response) {
        const std::string query = request.get_param_value("q").substr(0, kMaxQuery);
        // A label's code or the text its QR code holds opens its tree.
        if (const auto labelled = context.collection.findLabelledTree(query)) {
            redirect(response, "/tree/" + urlComponent(context.collection.treeRef(*labelled)));
            return;
        }
        const std::size_t number = readIndex(request.get_param_value("page"), 6).value_or(0);
        sendPage(response, 200, treesPage(context, query, number));
    }));
    // A photo of a label opens its tree. Scanning changes nothing, yet the form must
    // still be the session's own.
    server.Post(kScanPath, page([this](const PageContext& context, const Request& request, Response& response) {
        const PhoneWords& words = context.words;
        if (!m_sessions.isOwnForm(sessionSecret(request), request.get_file_value("form").content)) {
            sendMessage(response, words, 403, PHONE_TEXT("Form refused"),
                        say(words, PHONE_TEXT("This form is out of date or did not come from Talvane. Open the page "
                                              "again.")));
            return;
        }
        const auto read = readQrCodesInPhoto(request.get_file_value("label").content);
        if (const auto* problem = std::get_if<std::string>(&read)) {
            sendMessage(response, words, 415, PHONE_TEXT("Label not read"), say(words, *problem));
            return;
        }
        const auto& texts = std::get<std::vector<std::string>>(read);
        for (const std::string& text : texts)
            if (const auto labelled = context.collection.findLabelledTree(text)) {
                redirect(response, "/tree/" + urlComponent(context.collection.treeRef(*labelled)));
                return;
            }
        const bool isLabel = std::any_of(texts.begin(), texts.end(),
                                         [](const std::string& text) { return treeIdFromQrText(text).has_value(); });
        sendMessage(response, words, texts.empty() ? 422 : 404,
                    texts.empty() ? PHONE_TEXT("Label not read") : PHONE_TEXT("Tree not found"),
                    say(words, texts.empty() ? PHONE_TEXT("No QR code can be read in the photo. Take it again with "
                                                          "the whole code in the picture, in focus and well lit.")
                               : isLabel     ? PHONE_TEXT("The label is of a tree that is not in this collection.")
                                             : PHONE_TEXT("The QR code in the photo is not a Talvane label.")));
    }));
    server.Get(std::string("/tree/") + kRef, page([treeGone](const PageContext& context, const Request& request, Response& response) {
        if (auto shown = treePage(context, request.matches[1].str()))
            sendPage(response, 200, std::move(*shown));
        else
            treeGone(response);
    }));
    server.Get(std::string("/tree/") + kRef + "/log",
               page([treeGone](const PageContext& context, const Request& request, Response& response) {
                   if (auto shown = logCarePage(context, request.matches[1].str()))
                       sendPage(response, 200, std::move(*shown));
                   else
                       treeGone(response);
               }));
    server.Get("/due", page([this](const PageContext& context, const Request& request, Response& response) {
        sendPage(response, 200, duePage(context, requestHost(request, m_port)));
    }));

    const auto picture = [this](auto choose) {
        return [this, &words = m_options.translate, choose](const Request& request, Response& response) {
            const auto collection = m_host.snapshot();
            const auto position = collection ? collection->findTree(request.matches[1].str()) : std::nullopt;
            sendPicture(response, words,
                        position ? choose(*collection, collection->at(*position), request) : std::nullopt);
        };
    };
    server.Get(std::string("/tree/") + kRef + "/thumb",
               picture([](const CollectionSnapshot& collection, const CBonsaiData& entry, const Request&) {
                   for (std::size_t slot = 0; slot < CBonsaiData::kPhotoSlots; ++slot)
                       if (!entry[CBonsaiData::photoField(slot)].empty())
                           return albumPictureForPhone(collection.albumFolder(), entry[CBonsaiData::photoField(slot)],
                                                       kThumbnailSide);
                   return std::optional<PhonePicture>();
               }));
    server.Get(std::string("/tree/") + kRef + "/album/([0-4])",
               picture([](const CollectionSnapshot& collection, const CBonsaiData& entry, const Request& request) {
                   const std::string name = entry[CBonsaiData::photoField(std::stoul(request.matches[2].str()))];
                   return name.empty() ? std::nullopt : albumPictureForPhone(collection.albumFolder(), name, kAlbumSide);
               }));
    server.Get(std::string("/tree/") + kRef + "/photo/([0-9]{1,6})",
               picture([this](const CollectionSnapshot& collection, const CBonsaiData& entry, const Request& request) {
                   const std::size_t line = std::stoul(request.matches[2].str());
                   for (const auto& photo : timeline::timelinePhotos(journal::Journal::read(entry[journal::kJournalField]))) {
                       if (photo.line != line)
                           continue;
                       // An event may show a picture of the album, in an album format
                       // that is sent only once decoded, as the album's pictures are.
                       if (!photo.inPhotosFolder)
                           return albumPictureForPhone(collection.albumFolder(), photo.fileName, kAlbumSide);
                       return m_host.photoForPhone(photo.path(collection.photosFolder(), collection.albumFolder()));
                   }
                   return std::optional<PhonePicture>();
               }));

    server.Get("/calendar.ics", [this](const Request&, Response& response) {
        const auto collection = m_host.snapshot();
        if (!collection) {
            response.status = 503;
            return;
        }
        const EntryList& entries = collection->entries();
        response.set_content(journal::careCalendarText(entries, journal::pendingTasks(entries), std::time(nullptr)),
                             "text/calendar; charset=utf-8");
    });

    // Sends a change once its form proves it came from this session's own page.
    const auto change = [this, &words = m_options.translate](const Request& request, Response& response,
                                                             const FormFields& fields, const PhoneChange& made,
                                                             const std::string& back) {
        const std::string secret = sessionSecret(request);
        const std::string nonce = fieldValue(fields, "nonce");
        switch (m_sessions.sendForm(secret, fieldValue(fields, "form"), nonce)) {
        case FormCheck::Replayed:
            sendMessage(response, words, 409, PHONE_TEXT("Already sent"),
                        say(words, PHONE_TEXT("This form was sent before: nothing was changed again.")), back,
                        PHONE_TEXT("Back"));
            return;
        case FormCheck::Refused:
            sendMessage(response, words, 403, PHONE_TEXT("Form refused"),
                        say(words, PHONE_TEXT("This form is out of date or did not come from Talvane. Open the page "
                                              "again; nothing was changed.")),
                        back, PHONE_TEXT("Back"));
            return;
        case FormCheck::Accepted: break;
        }
        const ChangeOutcome outcome = m_host.apply(made);
        if (!outcome.applied()) {
            m_sessions.reopenForm(secret, nonce);
            sendMessage(response, words, outcome.httpStatus(), PHONE_TEXT("Not saved"), outcome.message.said(words),
                        back, PHONE_TEXT("Back"));
            return;
        }
        redirect(response, back == "/due" ? back : "/tree/" + urlComponent(outcome.treeRef));
    };

    server.Post("/done", [change, &words = m_options.translate](const Request& request, Response& response) {
        FormFields fields(request.params.begin(), request.params.end());
        const std::string back = fieldValue(fields, "back") == "due" ? "/due" : "/tree/" + urlComponent(fieldValue(fields, "tree"));
        auto done = readDoneTask(fields, journal::CalendarDate::today(), words);
        if (auto* problem = std::get_if<std::string>(&done)) {
            sendMessage(response, words, 400, PHONE_TEXT("Not saved"), *problem, "/due", PHONE_TEXT("Due"));
            return;
        }
        change(request, response, fields, std::get<DoneTask>(done), back);
    });

    server.Post(std::string("/tree/") + kRef + "/log",
                [this, change, &words = m_options.translate](const Request& request, Response& response,
                                                             const httplib::ContentReader& reader) {
        const std::string ref = request.matches[1].str();
        const std::string back = "/tree/" + ref;
        const auto notSaved = [&](int status, const std::string& why, const std::string& to) {
            sendMessage(response, words, status, PHONE_TEXT("Not saved"), why, to, PHONE_TEXT("Back"));
        };
        const char* const unreadForm = PHONE_TEXT("The form could not be read. Nothing was changed.");
        if (!request.is_multipart_form_data()) {
            notSaved(400, say(words, unreadForm), back);
            return;
        }
        UploadFolder folder(m_options.uploadFolder);
        if (folder.path().empty()) {
            notSaved(500, say(words, PHONE_TEXT("The desktop has no room for the photos. Nothing was changed.")), back);
            return;
        }
        struct Photo {
            std::string sentName;
            std::filesystem::path file;
            std::string head;
            std::uintmax_t size = 0;
        };
        std::vector<Photo> photos;
        FormFields fields;
        std::ofstream out;
        std::string* value = nullptr;
        std::string problem;
        int status = 400;
        const bool read = reader(
            [&](const httplib::MultipartFormData& part) {
                out.close();
                value = nullptr;
                if (!part.filename.empty()) {
                    if (photos.size() == kMaxPhotosPerRequest) {
                        problem = say(words, PHONE_TEXT("At most 30 photos can be sent at once. Nothing was changed."));
                        status = 413;
                        return false;
                    }
                    photos.push_back({part.filename.substr(0, 200), folder.path() / ("photo-" + std::to_string(photos.size())), {}, 0});
                    out.open(photos.back().file, std::ios::binary);
                    return out.good();
                }
                if (fields.size() == kMaxFormFields) {
                    problem = say(words, PHONE_TEXT("The form has too many fields. Nothing was changed."));
                    return false;
                }
                value = &fields.emplace(part.name, std::string())->second;
                return true;
            },
            [&](const char* data, std::size_t length) {
                if (value) {
                    if (value->size() + length > kMaxFormField) {
                        problem = say(words, PHONE_TEXT("A field of the form is too long. Nothing was changed."));
                        status = 413;
                        return false;
                    }
                    value->append(data, length);
                    return true;
                }
                if (photos.empty())
                    return false;
                Photo& photo = photos.back();
                photo.size += length;
                if (photo.size > kMaxPhotoBytes) {
                    problem =
                        say(words, PHONE_TEXT("“%1” is larger than 40 MB. Nothing was changed."), {photo.sentName});
                    status = 413;
                    return false;
                }
                if (photo.head.size() < timeline::kPhotoHeadBytes)
                    photo.head.append(data, std::min<std::size_t>(length, timeline::kPhotoHeadBytes - photo.head.size()));
                out.write(data, static_cast<std::streamsize>(length));
                return out.good();
            });
        out.close();
        if (!read) {
            notSaved(status, problem.empty() ? say(words, unreadForm) : problem, back);
            response.set_header("Connection", "close");
            return;
        }
        auto care = readLoggedCare(fields, ref, journal::CalendarDate::today(), words);
        if (auto* invalid = std::get_if<std::string>(&care)) {
            notSaved(400, say(words, PHONE_TEXT("%1 Nothing was changed."), {*invalid}), back + "/log");
            return;
        }
        LoggedCare& logged = std::get<LoggedCare>(care);
        for (Photo& photo : photos) {
            std::string extension;
            if (photo.size == 0)
                continue;
            if (sniffPhotoType(photo.head, &extension).empty()) {
                notSaved(415,
                         say(words, PHONE_TEXT("“%1” is not a photo: Talvane takes JPEG, PNG, WebP, GIF, TIFF and HEIC "
                                               "photos. Nothing was changed."),
                             {photo.sentName}),
                         back + "/log");
                return;
            }
            std::filesystem::path named = photo.file;
            named += extension;
            std::filesystem::rename(photo.file, named);
            logged.photos.push_back(named);
        }
        change(request, response, fields, logged, back);
    });
}

} // namespace talvane::companion
