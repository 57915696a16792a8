// A phone is paired once: it stays paired across servers of the same collection,
// whichever process revokes, renames or pairs it, until it goes a year unused.
#include "ServedCollection.h"

#include "core/companion/PairedPhones.h"
#include "support/core/ScopedVariable.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace talvane::companion;
using namespace std::chrono_literals;

namespace {

class KeptPairingTest : public ::testing::Test {
protected:
    ServerOptions keptOptions() const
    {
        ServerOptions options;
        options.phonesFile = m_file;
        return options;
    }

    static int status(const httplib::Result& result) { return result ? result->status : 0; }

    static std::string calendarKey(Phone& phone)
    {
        const std::string calendar = jsonAnswer(phone.get("/api/session"), 200, "the session").value("calendar", "");
        const auto at = calendar.find("key=");
        return at == std::string::npos ? std::string() : calendar.substr(at + 4);
    }

    TempDir m_dir;
    const ScopedVariable m_config{"XDG_CONFIG_HOME", (m_dir / "config").c_str()};
    const std::filesystem::path m_file = PairedPhones::fileFor(m_dir / "garden.tvn");
};

} // namespace

TEST_F(KeptPairingTest, APhoneStaysPairedOnANewServerOfTheSameCollectionAndOnlyHashesAreKept)
{
    EXPECT_EQ(m_file.parent_path(), m_dir / "config" / "talvane" / "sharing");
    auto first = std::make_unique<ServedCollection>(garden(), keptOptions());
    auto phone = first->pairedPhone();
    auto other = first->pairedPhone();
    const std::string cookie = phone->cookie;
    const std::string formToken = phone->formToken;
    const std::string key = calendarKey(*phone);
    ASSERT_EQ(key.size(), 32u);
    EXPECT_NE(calendarKey(*other), key);
    first.reset();

    ServedCollection second(garden(), keptOptions());
    Phone back(second.server.port());
    back.cookie = cookie;
    back.formToken = formToken;
    EXPECT_EQ(status(back.get("/api/trees")), 200) << "its cookie still works";
    EXPECT_EQ(calendarKey(back), key) << "a subscribed calendar keeps its address";
    EXPECT_EQ(status(Phone(second.server.port()).get("/calendar.ics?key=" + key)), 200);
    EXPECT_EQ(jsonAnswer(back.post(doneApi(firstDueTask(back))), 200, "a form of the page opened before").value("tree", ""),
              kMomijiId);
    // Opening a page keeps the cookie a year from then.
    const auto page = back.get("/trees");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->get_header_value("Set-Cookie").substr(0, cookie.size()), cookie);
    const auto phones = second.server.sessions().phones();
    ASSERT_EQ(phones.size(), 2u);
    EXPECT_EQ(phones[0].name, "Chrome on Android");
    EXPECT_EQ(phones[1].name, "Chrome on Android 2") << "names are told apart";

    const std::string kept = readFileBytes(m_file);
    for (const std::string& secret : {cookie.substr(cookie.find('=') + 1), formToken, key})
        EXPECT_EQ(kept.find(secret), std::string::npos) << secret;
    EXPECT_NE(kept.find("Chrome on Android"), std::string::npos);
}

TEST_F(KeptPairingTest, AnotherProcessRevokesRenamesAndMakesCodesThatTheRunningServerFollows)
{
    const auto start = std::chrono::system_clock::now();
    std::atomic<long> seconds = 0;
    ServedCollection served(garden(), keptOptions(), [&] { return start + std::chrono::seconds(seconds.load()); });
    PairedPhones elsewhere(m_file);
    const MadeCode made = elsewhere.makeCode();
    ASSERT_TRUE(std::holds_alternative<std::string>(made));
    const std::string code = std::get<std::string>(made);
    EXPECT_EQ(readFileBytes(m_file).find(code), std::string::npos);

    std::vector<std::unique_ptr<Phone>> phones;
    for (int use = 1; use <= PairedPhones::kCodeUses + 1; ++use) {
        phones.push_back(std::make_unique<Phone>(served.server.port()));
        EXPECT_EQ(status(phones.back()->pair(code)), use <= PairedPhones::kCodeUses ? 200 : 401) << "use " << use;
    }
    EXPECT_EQ(elsewhere.list().size(), std::size_t(PairedPhones::kCodeUses));
    const std::string late = std::get<std::string>(elsewhere.makeCode());
    // Kept in whole seconds: a second more is ten minutes however the clocks fall.
    seconds = 10 * 60 + 1;
    EXPECT_EQ(status(Phone(served.server.port()).pair(late)), 401) << "a code ten minutes old";
    EXPECT_EQ(status(Phone(served.server.port()).pair(randomToken())), 401);

    EXPECT_TRUE(elsewhere.revoke("Chrome on Android 2"));
    EXPECT_EQ(status(phones[1]->get("/api/trees")), 401) << "revoked by another process";
    EXPECT_EQ(status(phones[0]->get("/api/trees")), 200);
    EXPECT_FALSE(elsewhere.revoke("Chrome on Android 2"));

    EXPECT_FALSE(elsewhere.rename("Chrome on Android", "Garden phone"));
    EXPECT_EQ(served.server.sessions().phones().at(0).name, "Garden phone");
    const std::pair<std::pair<std::string, std::string>, std::string> refused[] = {
        {{"Garden phone", "Chrome on Android 3"}, "A phone named \u201CChrome on Android 3\u201D is already paired."},
        {{"Chrome on Android", "Balcony"}, "No phone named \u201CChrome on Android\u201D is paired."},
        {{"Garden phone", " "}, "A phone's name cannot be empty."},
        {{"Garden phone", "one\ntwo"}, "A phone's name cannot hold line breaks, tabs or other control characters."},
    };
    for (const auto& [names, message] : refused) {
        const auto refusal = served.server.sessions().rename(names.first, names.second);
        EXPECT_EQ(refusal ? refusal->said(inEnglish) : "renamed", message) << names.second;
    }
    EXPECT_EQ(status(phones[0]->get("/api/trees")), 200) << "a phone renamed is still paired";
}

TEST_F(KeptPairingTest, APhoneUnusedForAYearIsNoLongerPairedAndADamagedFileServesNone)
{
    auto now = std::chrono::system_clock::time_point(1'790'000'000s);
    PhoneSessions sessions([&] { return now; });
    sessions.keepIn(m_file);
    const auto secret = sessions.pair(sessions.newPairing(), "Firefox on Android", "192.168.1.30");
    ASSERT_TRUE(secret);
    const std::string key = sessions.find(*secret)->calendarKey;
    now += std::chrono::days(364);
    ASSERT_TRUE(sessions.find(*secret)) << "used again within the year";
    EXPECT_EQ(PairedPhones(m_file).list().at(0).lastRequest, now) << "written for other processes";
    now += PairedPhones::kUnusedLifetime - 1s;
    EXPECT_TRUE(sessions.isCalendarKey(key));
    now += std::chrono::days(365);
    EXPECT_FALSE(sessions.find(*secret)) << "a year unused";
    EXPECT_FALSE(sessions.isCalendarKey(key));
    EXPECT_TRUE(sessions.phones().empty());

    // A damaged file pairs no phone, and is left for the grower to remove.
    const auto again = sessions.pair(sessions.newPairing(), "", "");
    ASSERT_TRUE(again);
    for (const std::string damaged : {"not json", R"({"version": 1, "phones": [{"name": "x"}], "codes": []})"}) {
        writeFileBytes(m_file, damaged);
        EXPECT_FALSE(sessions.find(*again)) << damaged;
        EXPECT_FALSE(sessions.pair(sessions.newPairing(), "", "")) << damaged;
        EXPECT_EQ(readFileBytes(m_file), damaged);
        ASSERT_TRUE(sessions.failure());
        EXPECT_EQ(sessions.failure()->said(inEnglish),
                  "The phones file " + m_file.string() +
                      " is damaged, so no phone is paired by it. It was left as it is: remove it to pair the phones again.");
    }
}
