// Only a phone paired through the current pairing address is served, for as long as
// it is not disconnected; a refusal tells nothing of the collection.
#include "ServedCollection.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace talvane::companion;

namespace {

// The API's refusals are JSON; the pages' and the calendar's are plain text.
void expectBareRefusal(const httplib::Result& result, const std::string& path, const std::string& what)
{
    ASSERT_TRUE(result) << what;
    EXPECT_EQ(result->status, 401) << what;
    if (path.starts_with("/api/")) {
        const auto body = nlohmann::json::parse(result->body, nullptr, false);
        EXPECT_EQ(result->get_header_value("Content-Type"), "application/json; charset=utf-8") << what;
        ASSERT_TRUE(body.is_object() && body.size() == 1 && body["error"].is_string()) << what << ": " << result->body;
    } else {
        EXPECT_EQ(result->get_header_value("Content-Type"), "text/plain; charset=utf-8") << what;
        EXPECT_EQ(result->body.find_first_of("<>"), std::string::npos) << what;
    }
    EXPECT_NE(result->body.find("not paired"), std::string::npos) << what;
    EXPECT_EQ(result->body.find("Momiji"), std::string::npos) << what;
    EXPECT_FALSE(result->has_header("Set-Cookie")) << what;
    expectSafetyHeaders(result, what);
}

} // namespace

TEST(CompanionAccess, OnlyAPairedSessionIsServed)
{
    ServedCollection served(garden());
    auto paired = served.pairedPhone();
    auto dropped = served.pairedPhone();
    const std::string task = firstDueTask(*paired);
    const auto session = jsonAnswer(paired->get("/api/session"), 200, "the session");
    const std::string calendar = session.value("calendar", "");
    const std::string key = calendar.substr(calendar.find("calendar.ics?key=") + 17);
    ASSERT_EQ(key.size(), 32u) << calendar;
    ASSERT_TRUE(served.server.sessions().disconnect(served.server.sessions().phones().at(1).handle));

    Phone stranger(served.server.port()), forger(served.server.port()), empty(served.server.port());
    forger.cookie = "talvane_session=" + randomToken();
    forger.formToken = paired->formToken;
    empty.cookie = "talvane_session=";
    for (Phone* phone : {&stranger, &forger, &empty, dropped.get()}) {
        for (const std::string& path : std::vector<std::string>{
                 "/trees", "/", "/phone/phone.css", "/phone/phone.js", "/due", kMomijiPage, kMomijiPage + "/log",
                 "/calendar.ics?key=" + randomToken(), "/calendar.ics", "/nowhere", "/api/session", "/api/words",
                 "/api/trees", kMomijiApi, "/api/due", "/api/photos/elm.bmp", "/api/calendar.ics", "/api/openapi.json",
                 "/api/nowhere"})
            expectBareRefusal(phone->get(path), path, phone->cookie + " " + path);
        expectBareRefusal(phone->post(doneApi(task)), "/api/", phone->cookie + " done");
        expectBareRefusal(phone->postMultipart(kMomijiEvents, formParts({{"kind", "Note"}})), "/api/", phone->cookie + " log");
        expectBareRefusal(phone->postMultipart("/api/labels/scan", {{"label", "x", "label.jpg", "image/jpeg"}}), "/api/",
                          phone->cookie + " scan");
    }
    EXPECT_EQ(served.host.changes(), 0);

    // A calendar fetches without cookies: its key alone lets it in.
    const auto fetched = stranger.get("/calendar.ics?key=" + key);
    ASSERT_TRUE(fetched);
    EXPECT_EQ(fetched->status, 200);
    EXPECT_NE(fetched->body.find("BEGIN:VCALENDAR"), std::string::npos);
    // The write the others could not send is still good for its own session.
    EXPECT_EQ(jsonAnswer(paired->post(doneApi(task)), 200, "done by its session").value("tree", ""), kMomijiId);
    EXPECT_EQ(served.host.changes(), 1);
}

TEST(CompanionAccess, WrongUsedUpAndExpiredPairingTokensOpenNoSession)
{
    const auto start = std::chrono::system_clock::now();
    std::atomic<long> seconds = 0;
    ServedCollection served(garden(), {}, [&] { return start + std::chrono::seconds(seconds.load()); });
    PhoneSessions& sessions = served.server.sessions();
    const auto pairWith = [&](const std::string& token) {
        Phone phone(served.server.port());
        const auto result = phone.pair(token);
        if (!result)
            return 0;
        EXPECT_EQ(result->status == 200, result->has_header("Set-Cookie"));
        return result->status;
    };

    EXPECT_EQ(pairWith(randomToken()), 401);
    EXPECT_EQ(pairWith(std::string(32, '0')), 401);
    EXPECT_TRUE(sessions.phones().empty());
    const std::string token = sessions.pairingToken();
    Phone first(served.server.port());
    const auto paired = first.pair(token);
    ASSERT_TRUE(paired);
    // The cookie stays with this site, out of reach of the page's scripts, for a year.
    const std::string cookie = paired->get_header_value("Set-Cookie");
    ASSERT_TRUE(cookie.starts_with("talvane_session=")) << cookie;
    EXPECT_EQ(cookie.find_first_not_of("0123456789abcdef", 16), 48u) << cookie;
    EXPECT_EQ(cookie.substr(48), "; Max-Age=31536000; Path=/; HttpOnly; SameSite=Strict");
    for (int use = 2; use <= PhoneSessions::kPairingUses; ++use)
        EXPECT_EQ(pairWith(token), 200) << "use " << use;
    EXPECT_EQ(pairWith(token), 401) << "one use too many";
    EXPECT_EQ(sessions.phones().size(), std::size_t(PhoneSessions::kPairingUses));

    // A new pairing address ends the old one, used up or not.
    const std::string fresh = sessions.newPairing();
    EXPECT_EQ(pairWith(token), 401);
    seconds = 10 * 60 - 1;
    EXPECT_EQ(pairWith(fresh), 200) << "a second before it expires";
    seconds = 10 * 60;
    EXPECT_EQ(pairWith(fresh), 401) << "when it expires";
    // The sessions it opened last while the sharing does.
    const auto trees = first.get("/trees");
    ASSERT_TRUE(trees);
    EXPECT_EQ(trees->status, 200);
    EXPECT_EQ(jsonAnswer(first.get("/api/trees"), 200, "the first phone's trees").value("total", 0), 3);
}

// The gate finds who sent a request and hands it to the route: the phone's request is
// noted once, writes included.
TEST(CompanionAccess, EachRequestIsNotedOnce)
{
    ServedCollection served(garden());
    auto phone = served.pairedPhone();
    const std::string task = firstDueTask(*phone);
    std::atomic<int> noted = 0;
    served.server.sessions().setOnChange([&noted] { ++noted; });
    jsonAnswer(phone->get("/api/session"), 200, "the session");
    jsonAnswer(phone->postMultipart(kMomijiEvents, formParts({{"kind", "Note"}})), 201, "care logged");
    jsonAnswer(phone->post(doneApi(task)), 200, "a task done");
    ASSERT_TRUE(phone->get("/trees"));
    EXPECT_EQ(noted, 4);
}
