#include "core/companion/Serving.h"
#include "core/companion/WebFiles.h"

namespace talvane::companion {

namespace {

using httplib::Request;
using httplib::Response;

constexpr char kTreePath[] = "/tree/[a-z0-9-]{1,64}";

void sendWebFile(Response& response, std::string_view name)
{
    const auto bytes = webFile(name);
    if (!bytes) {
        response.status = 404;
        return;
    }
    response.set_content(std::string(*bytes), std::string(webFileType(name)));
}

} // namespace

void addPageRoutes(httplib::Server& server, Serving& serving)
{
    // Every page is the one page file: its script asks the API for what the address names.
    const auto page = [](const Request&, Response& response) { sendWebFile(response, "index.html"); };
    for (const std::string& path : {std::string("/trees"), std::string("/places"), std::string("/due"),
                                   std::string(kTreePath), std::string(kTreePath) + "/log"})
        server.Get(path, page);
    server.Get("/", [](const Request&, Response& response) {
        response.status = 303;
        response.set_header("Location", "/trees");
    });
    server.Get("/phone/([a-z0-9-]{1,40}\\.[a-z]{1,5})", [](const Request& request, Response& response) {
        keepFor(response, 3600);
        sendWebFile(response, request.matches[1].str());
    });
    server.Get("/pair/([0-9a-f]{32})", [&serving](const Request& request, Response& response) {
        const auto secret = serving.sessions.pair(request.matches[1].str(), request.get_header_value("User-Agent"),
                                                  request.remote_addr);
        if (!secret) {
            response.status = 401;
            response.set_content(say(serving.words(), PHONE_TEXT("This pairing address is no longer valid: it was used "
                                                                 "too often or is too old. Scan the code that Talvane "
                                                                 "shows now.")),
                                 "text/plain; charset=utf-8");
            return;
        }
        response.set_header("Set-Cookie", sessionCookie(*secret));
        sendWebFile(response, "paired.html");
    });
    // A calendar application subscribes without a cookie: the key in the address is the session's.
    server.Get("/calendar.ics", [&serving](const Request&, Response& response) { sendCalendar(serving, response); });
}

} // namespace talvane::companion
