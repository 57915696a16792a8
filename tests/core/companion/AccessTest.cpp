// Only a phone paired through the current pairing address is served, for as long as
// it is not disconnected; a refusal tells nothing of the collection.
#include "ServedCollection.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace talvane::companion;

namespace {

void ExpectBareRefusal(const httplib::Result& result, const std::string& what)
{
    ASSERT_TRUE(result) << what;
    EXPECT_EQ(result->status, 401) << what;
    EXPECT_EQ(result->get_header_value("Content-Type"), "text/plain; charset=utf-8") << what;
    EXPECT_NE(result->body.find("not paired"), std::string::npos) << what;
    EXPECT_EQ(result->body.find_first_of("<>"), std::string::npos) << what;
    EXPECT_EQ(result->body.find("Momiji"), std::string::npos) << what;
    EXPECT_FALSE(result->has_header("Set-Cookie")) << what;
    ExpectSafetyHeaders(result, what);
}

} // namespace

TEST(CompanionAccess, OnlyAPairedSessionIsServed)
{
    ServedCollection served(Garden());
    auto paired = served.pairedPhone();
    auto dropped = served.pairedPhone();
    const auto due = paired->get("/due");
    ASSERT_TRUE(due);
    const PageForm done = FormOnPage(due->body);
    const std::string key = Quoted(due->body, "calendar.ics?key=");
    ASSERT_EQ(key.size(), 32u);
    ASSERT_TRUE(served.server.sessions().disconnect(served.server.sessions().phones().at(1).handle));

    Phone stranger(served.server.port()), forger(served.server.port()), empty(served.server.port());
    forger.cookie = "talvane_session=" + randomToken();
    empty.cookie = "talvane_session=";
    for (Phone* phone : {&stranger, &forger, &empty, dropped.get()}) {
        for (const std::string& path : std::vector<std::string>{
                 "/trees", "/", "/style.css", "/due", kMomijiPage, kMomijiPage + "/log", kMomijiPage + "/thumb",
                 "/calendar.ics?key=" + randomToken(), "/calendar.ics", "/nowhere"})
            ExpectBareRefusal(phone->get(path), phone->cookie + " " + path);
        ExpectBareRefusal(phone->post("/done", done.fields), phone->cookie + " /done");
        ExpectBareRefusal(phone->postMultipart(kMomijiPage + "/log", {{"kind", "Note", "", ""}}), phone->cookie + " log");
    }
    EXPECT_EQ(served.host.changes(), 0);

    // A calendar fetches without cookies: its key alone lets it in.
    const auto calendar = stranger.get("/calendar.ics?key=" + key);
    ASSERT_TRUE(calendar);
    EXPECT_EQ(calendar->status, 200);
    EXPECT_NE(calendar->body.find("BEGIN:VCALENDAR"), std::string::npos);
    // The form the others could not send is still good for its own session.
    const auto sent = paired->post("/done", done.fields);
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->status, 303);
}

TEST(CompanionAccess, WrongUsedUpAndExpiredPairingTokensOpenNoSession)
{
    const auto start = std::chrono::system_clock::now();
    std::atomic<long> seconds = 0;
    ServedCollection served(Garden(), {}, [&] { return start + std::chrono::seconds(seconds.load()); });
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
    // The cookie stays with this site, out of reach of the page's scripts.
    const std::string cookie = paired->get_header_value("Set-Cookie");
    ASSERT_TRUE(cookie.starts_with("talvane_session=")) << cookie;
    EXPECT_EQ(cookie.find_first_not_of("0123456789abcdef", 16), 48u) << cookie;
    EXPECT_EQ(cookie.substr(48), "; Path=/; HttpOnly; SameSite=Strict");
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
}
