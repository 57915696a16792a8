#include "core/reminders/ReminderSender.h"

#include "support/core/ReminderSinks.h"

#include <gtest/gtest.h>

#include <future>
#include <regex>

using namespace talvane::reminders;

namespace {

// A title longer than one encoded word holds, with letters of two bytes and a line break.
const std::string kLongTitle = "3 soins \u00E0 faire dans \u00C9rables et \u00E9pic\u00E9as du jardin "
                               "d\u2019hiver\net du balcon";

const ReminderMessage kMessage{kLongTitle, "Momiji: remove wire\nhttp://192.168.1.20:8750/tree/abc\n",
                               "http://192.168.1.20:8750/tree/abc"};

// A header of the mail's text, its continuation lines joined.
std::string mailHeader(const std::string& mail, const std::string& name)
{
    std::smatch found;
    if (!std::regex_search(mail, found, std::regex("\r\n" + name + ": ((?:[^\r]|\r\n )*)\r\n")))
        return "(none)";
    return found[1].str();
}

} // namespace

TEST(ReminderSender, PostsTheMessageToTheNtfyTopic)
{
    NtfySink ntfy;
    EXPECT_FALSE(ReminderSender().push(ntfy.topic(), "tk_secret", kMessage));
    EXPECT_FALSE(ReminderSender().push(ntfy.topic(), std::nullopt, testMessage("trees.tvn", 7, talvane::text::inEnglish)));
    const auto posts = ntfy.posts();
    ASSERT_EQ(posts.size(), 2u);
    EXPECT_EQ(posts[0].path, "/bonsai");
    EXPECT_EQ(posts[0].body, kMessage.body);
    const std::string title = posts[0].headers.find("Title")->second;
    EXPECT_TRUE(std::regex_match(title, std::regex(R"((=\?UTF-8\?B\?[A-Za-z0-9+/=]{1,60}\?= ?)+)"))) << title;
    std::string oneLine = kLongTitle;
    oneLine[oneLine.find('\n')] = ' ';
    EXPECT_EQ(decodedHeader(title), oneLine) << "cut between characters, never inside one";
    EXPECT_EQ(posts[0].headers.find("Click")->second, "http://192.168.1.20:8750/tree/abc");
    EXPECT_EQ(posts[0].headers.find("Tags")->second, "seedling");
    EXPECT_EQ(posts[0].headers.find("Authorization")->second, "Bearer tk_secret");
    EXPECT_EQ(posts[1].headers.find("Title")->second, "Talvane: a test") << "plain ASCII goes as it is";
    EXPECT_EQ(posts[1].body, "The care due in trees.tvn will reach you here each morning from 7:00.\n");
    EXPECT_FALSE(posts[1].headers.contains("Authorization"));
    EXPECT_FALSE(posts[1].headers.contains("Click"));
}

TEST(ReminderSender, SaysWhyAPushDidNotGo)
{
    NtfySink refusing(401, R"({"code":40101,"http":401,"error":"unauthorized"})");
    EXPECT_EQ(ReminderSender().push(refusing.topic(), "tk_wrong", kMessage),
              "The push notification could not be sent to " + refusing.topic() + ": the server answered 401 (unauthorized).");

    // A send under way ends as soon as the program stops, without waiting for the server.
    NtfySink slow;
    slow.hold();
    std::atomic<bool> stop = false;
    auto sent = std::async(std::launch::async, [&] { return ReminderSender(&stop).push(slow.topic(), std::nullopt, kMessage); });
    while (slow.posts().empty())
        std::this_thread::yield();
    stop = true;
    const auto failure = sent.get();
    EXPECT_TRUE(failure) << "it would have gone once the server answered";
    slow.release();
}

TEST(ReminderSender, MailsThroughTheGrowersServer)
{
    SmtpSink smtp;
    MailSettings settings{"127.0.0.1", smtp.port(), MailSecurity::StartTls, "grower", "talvane@example.org",
                          "phone@example.org"};
    const std::string server = "127.0.0.1:" + std::to_string(smtp.port());
    const auto refused = ReminderSender().mail(settings, "s3cret", kMessage);
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->starts_with("The e-mail could not be sent through " + server + ": "))
        << "a server without STARTTLS never sees the password in clear: " << *refused;
    settings.security = MailSecurity::None;
    EXPECT_TRUE(ReminderSender().mail(settings, "wrong", kMessage)) << "login refused";
    EXPECT_FALSE(ReminderSender().mail(settings, "s3cret", kMessage));

    const nlohmann::json received = smtp.received();
    EXPECT_EQ(received.value("from", ""), "talvane@example.org");
    EXPECT_EQ(received.value("to", nlohmann::json()), nlohmann::json::array({"phone@example.org"}));
    EXPECT_EQ(received.value("login", ""), "grower");
    EXPECT_EQ(received.value("password", ""), "s3cret");
    const std::string mail = "\r\n" + received.value("content", "");
    EXPECT_EQ(mailHeader(mail, "From"), "talvane@example.org");
    EXPECT_EQ(mailHeader(mail, "To"), "phone@example.org");
    std::string oneLine = kLongTitle;
    oneLine[oneLine.find('\n')] = ' ';
    EXPECT_EQ(decodedHeader(mailHeader(mail, "Subject")), oneLine);
    EXPECT_TRUE(std::regex_match(mailHeader(mail, "Date"),
                                 std::regex(R"([A-Z][a-z]{2}, \d\d [A-Z][a-z]{2} \d{4} \d\d:\d\d:\d\d [+-]\d{4})")))
        << mailHeader(mail, "Date");
    EXPECT_TRUE(std::regex_match(mailHeader(mail, "Message-ID"), std::regex("<[0-9a-f]{32}@example.org>")));
    EXPECT_EQ(mailHeader(mail, "Content-Type"), "text/plain; charset=UTF-8");
    EXPECT_EQ(fromBase64(mail.substr(mail.find("\r\n\r\n") + 4)),
              "Momiji: remove wire\r\nhttp://192.168.1.20:8750/tree/abc\r\n");
}
