#pragma once

#include "core/companion/CollectionHost.h"
#include "core/companion/PhoneSessions.h"
#include "core/companion/ProgramTokens.h"
#include "core/companion/ServerOptions.h"
#include "core/companion/UploadReader.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// What the routes of one running server share: the collection, the sessions, the
// programs' tokens, the options, and who a request comes from.
namespace talvane::companion {

inline constexpr char kSessionCookie[] = "talvane_session";

// Who sent a request: a paired phone's session, or a program's token.
struct Caller {
    std::string secret; // the session cookie's
    std::optional<SessionGrant> session;
    std::optional<std::string> program;
    bool known() const { return session || program; }
    // The paired phone's name, or the program's.
    std::string name() const { return session ? session->name : program.value_or(std::string()); }
};

class Serving {
public:
    Serving(CollectionHost& host, PhoneSessions& sessions, const ServerOptions& options, int port);

    CollectionHost& host;
    PhoneSessions& sessions;
    const ServerOptions& options;
    const int port;

    const PhoneWords& words() const { return options.translate; }
    // Finds who sent a request, noting it in the sessions: the gate does this once for
    // every request, and the route that answers it is handed the same caller.
    const Caller& admitCaller(const httplib::Request& request);
    // The caller the gate found for the request this thread answers: the server answers
    // a request on one thread, from the gate to its route.
    const Caller& admittedCaller() const;
    // Whether the caller may make this write: a session's form token (the header, or
    // the form's `form` field) and a key not sent before. Gives the refusal otherwise.
    std::optional<Refusal> claimWrite(const httplib::Request& request, const Caller& caller,
                                      std::string_view formField = {});
    // Forgets a claimed write that changed nothing.
    void releaseWrite(const httplib::Request& request, const Caller& caller);

private:
    std::unique_ptr<ProgramTokens> m_tokens;
    std::mutex m_programMutex;
    std::map<std::string, SentKeys, std::less<>> m_programWrites;
};

std::string sessionSecret(const httplib::Request& request);
// The Set-Cookie value that holds a session's secret for a year: as long as an unused
// pairing lasts. The cookie stays with this site, out of reach of the page's scripts.
std::string sessionCookie(std::string_view secret);
// True for a request another site's page made: its Origin is not this server.
bool isCrossSite(const httplib::Request& request);

void sendJson(httplib::Response& response, int status, const nlohmann::json& body);
void sendRefusal(httplib::Response& response, const Refusal& refusal);
// Lets the phone keep the answer for that long, in place of the "no-store" every answer
// is given first (were both sent, the stricter would win).
void keepFor(httplib::Response& response, int seconds);

// A route of the JSON API: the method, the path as the API's description writes it,
// and the pattern the server matches.
struct ApiRoute {
    using Handler = void (*)(Serving&, const httplib::Request&, httplib::Response&);
    using ReadingHandler = void (*)(Serving&, const httplib::Request&, httplib::Response&, const httplib::ContentReader&);
    std::string_view method;
    std::string_view path;
    std::string pattern;
    std::variant<Handler, ReadingHandler> handler;
};
const std::vector<ApiRoute>& apiRoutes();
void addApiRoutes(httplib::Server& server, Serving& serving);

// The pages, their files, pairing and the calendar a calendar application fetches.
void addPageRoutes(httplib::Server& server, Serving& serving);
// The care calendar as a calendar application reads it.
void sendCalendar(Serving& serving, httplib::Response& response);

} // namespace talvane::companion
