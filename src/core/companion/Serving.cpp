#include "core/companion/Serving.h"

#include "core/companion/ApiJson.h"

#include <algorithm>

namespace talvane::companion {

namespace {

constexpr char kFormHeader[] = "X-Talvane-Form";
constexpr char kKeyHeader[] = "Idempotency-Key";

std::optional<std::string> bearerToken(const httplib::Request& request)
{
    constexpr std::string_view kBearer = "Bearer ";
    const std::string value = request.get_header_value("Authorization");
    if (!value.starts_with(kBearer))
        return std::nullopt;
    return value.substr(kBearer.size());
}

bool isWriteKey(std::string_view key)
{
    return key.size() >= 8 && key.size() <= 64 && std::all_of(key.begin(), key.end(), [](char c) {
               return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
           });
}

// Set by the gate for each request, so it is never one that this thread answered before.
thread_local Caller t_admitted;

} // namespace

Serving::Serving(CollectionHost& host, PhoneSessions& sessions, const ServerOptions& options, int port)
    : host(host), sessions(sessions), options(options), port(port),
      m_tokens(options.tokenFile.empty() ? nullptr : std::make_unique<ProgramTokens>(options.tokenFile))
{
}

const Caller& Serving::admitCaller(const httplib::Request& request)
{
    Caller caller;
    caller.secret = sessionSecret(request);
    if (!caller.secret.empty())
        caller.session = sessions.find(caller.secret, request.remote_addr);
    if (!caller.session && m_tokens)
        if (const auto token = bearerToken(request))
            caller.program = m_tokens->check(*token);
    t_admitted = std::move(caller);
    return t_admitted;
}

const Caller& Serving::admittedCaller() const
{
    return t_admitted;
}

std::optional<Refusal> Serving::claimWrite(const httplib::Request& request, const Caller& caller,
                                           std::string_view formField)
{
    const std::string key = request.get_header_value(kKeyHeader);
    if (!key.empty() && !isWriteKey(key))
        return Refusal{400, say(words(), PHONE_TEXT("The Idempotency-Key header is not 8 to 64 letters, digits and "
                                                    "hyphens. Nothing was changed."))};
    bool fresh = false;
    if (caller.session) {
        const std::string header = request.get_header_value(kFormHeader);
        switch (sessions.claimWrite(caller.secret, header.empty() ? formField : std::string_view(header), key)) {
        case FormCheck::Refused:
            return Refusal{403, say(words(), PHONE_TEXT("This form is out of date or did not come from Talvane. Open "
                                                        "the page again; nothing was changed."))};
        case FormCheck::Replayed: break;
        case FormCheck::Accepted: fresh = true; break;
        }
    } else {
        std::lock_guard lock(m_programMutex);
        fresh = m_programWrites[*caller.program].claim(key);
    }
    if (!fresh)
        return Refusal{409, say(words(), PHONE_TEXT("This form was sent before: nothing was changed again."))};
    return std::nullopt;
}

void Serving::releaseWrite(const httplib::Request& request, const Caller& caller)
{
    const std::string key = request.get_header_value(kKeyHeader);
    if (caller.session) {
        sessions.releaseWrite(caller.secret, key);
    } else if (caller.program) {
        std::lock_guard lock(m_programMutex);
        m_programWrites[*caller.program].release(key);
    }
}

std::string sessionSecret(const httplib::Request& request)
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

std::string sessionCookie(std::string_view secret)
{
    const auto year = std::chrono::duration_cast<std::chrono::seconds>(PairedPhones::kUnusedLifetime).count();
    return std::string(kSessionCookie) + "=" + std::string(secret) + "; Max-Age=" + std::to_string(year) +
           "; Path=/; HttpOnly; SameSite=Strict";
}

bool isCrossSite(const httplib::Request& request)
{
    // A browser that says where a request comes from is believed: a page that asks for
    // no referrer sends its own posts with the Origin "null".
    const std::string site = request.get_header_value("Sec-Fetch-Site");
    if (!site.empty())
        return site != "same-origin" && site != "none";
    const std::string origin = request.get_header_value("Origin");
    return !origin.empty() && origin != "http://" + request.get_header_value("Host");
}

void sendJson(httplib::Response& response, int status, const nlohmann::json& body)
{
    response.status = status;
    response.set_content(body.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace),
                         "application/json; charset=utf-8");
}

void sendRefusal(httplib::Response& response, const Refusal& refusal)
{
    sendJson(response, refusal.status, errorJson(refusal.message));
}

void keepFor(httplib::Response& response, int seconds)
{
    response.headers.erase("Cache-Control");
    response.set_header("Cache-Control", "private, max-age=" + std::to_string(seconds));
}

} // namespace talvane::companion
