// A connection that takes too long or sends too much before it is answered is ended,
// so that a few cannot hold the server's threads or memory; an upload may rightly take
// longer.
#include "ServedCollection.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

using namespace talvane::companion;
using namespace std::chrono_literals;

namespace {

ServerOptions requestTime(std::chrono::milliseconds time)
{
    ServerOptions options;
    options.requestTime = time;
    return options;
}

} // namespace

TEST(CompanionConnections, RequestTrickledAByteAtATimeIsDroppedWhileOthersAreServed)
{
    ServedCollection served(garden(), requestTime(1500ms));
    auto phone = served.pairedPhone();
    RawConnection slow(served.server.port());
    ASSERT_TRUE(slow.send("GET /trees HTTP/1.1\r\n"));
    const std::string header = "Host: 127.0.0.1\r\nUser-Agent: " + std::string(200, 'a');
    const auto start = std::chrono::steady_clock::now();
    bool dropped = false;
    bool servedMeanwhile = false;
    // Each byte comes well within the library's wait for one read: only the deadline of
    // the whole request can end this.
    for (std::size_t i = 0; i < header.size() && !dropped; ++i) {
        dropped = !slow.send(header.substr(i, 1)) || slow.closedWithin(300ms);
        if (i == 2) {
            const auto trees = phone->get("/trees");
            servedMeanwhile = trees && trees->status == 200;
        }
    }
    EXPECT_TRUE(dropped);
    EXPECT_TRUE(servedMeanwhile);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 1s) << "dropped before its time was up";
    const auto after = phone->get("/trees");
    ASSERT_TRUE(after);
    EXPECT_EQ(after->status, 200);
}

TEST(CompanionConnections, LineThatNeverEndsIsDroppedByItsSize)
{
    ServedCollection served(garden());
    for (const std::string start : {"GET /", "GET /trees HTTP/1.1\r\nHost: 127.0.0.1\r\nUser-Agent: "}) {
        RawConnection connection(served.server.port());
        ASSERT_TRUE(connection.send(start));
        // The library reads a line whole before it looks at its length.
        const std::string block(64 * 1024, 'a');
        std::size_t sent = 0;
        while (sent < (64u << 20) && connection.send(block))
            sent += block.size();
        EXPECT_LT(sent, 64u << 20) << start;
        EXPECT_TRUE(connection.closedWithin(5s)) << start;
    }
}

TEST(CompanionConnections, SlowUploadOutlastsTheRequestTime)
{
    ServedCollection served(garden(), requestTime(1000ms));
    auto phone = served.pairedPhone();
    const std::string body = multipartText({{"kind", "Note"}, {"text", std::string(60, 'x')}}) + "--AAA--\r\n";
    RawConnection upload(served.server.port());
    ASSERT_TRUE(upload.send("POST " + kMomijiEvents + " HTTP/1.1\r\nHost: 127.0.0.1\r\nCookie: " + phone->cookie +
                            "\r\nX-Talvane-Form: " + phone->formToken +
                            "\r\nContent-Type: multipart/form-data; boundary=AAA\r\nContent-Length: " +
                            std::to_string(body.size()) + "\r\n\r\n"));
    // Two and a half seconds for the body, in twenty-five pieces.
    const std::size_t piece = body.size() / 25 + 1;
    for (std::size_t at = 0; at < body.size(); at += piece) {
        std::this_thread::sleep_for(100ms);
        ASSERT_TRUE(upload.send(std::string_view(body).substr(at, piece))) << "dropped at byte " << at;
    }
    const std::string answer = upload.receive(10s);
    EXPECT_EQ(rawStatus(answer), 201) << answer;
    EXPECT_EQ(served.host.changes(), 1);
}

TEST(CompanionConnections, HeadHasAShortDeadlineAndTheRestOfTheRequestItsOwn)
{
    ServerOptions options;
    options.headTime = 600ms;
    ServedCollection served(garden(), options);
    auto phone = served.pairedPhone();
    RawConnection slow(served.server.port());
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(slow.send("GET /trees HTTP/1.1\r\n"));
    bool dropped = false;
    // A header line every 200 ms, for 5 s at most: well within the request's 30 s.
    for (int line = 0; line < 25 && !dropped; ++line)
        dropped = !slow.send("X-Line: " + std::to_string(line) + "\r\n") || slow.closedWithin(200ms);
    EXPECT_TRUE(dropped);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 500ms) << "dropped before its time was up";

    // Once the head came, a body trickled for longer than the head's time is still read.
    RawConnection body(served.server.port());
    const std::string text(30, 'x');
    ASSERT_TRUE(body.send("POST /trees HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\nCookie: " + phone->cookie +
                          "\r\nContent-Type: text/plain\r\nContent-Length: 30\r\n\r\n"));
    for (std::size_t at = 0; at < text.size(); at += 5) {
        std::this_thread::sleep_for(250ms);
        ASSERT_TRUE(body.send(text.substr(at, 5))) << "dropped at byte " << at;
    }
    EXPECT_EQ(rawStatus(body.receive(5s)), 404);
}

TEST(CompanionConnections, AnAddressHoldsFewConnectionsUnlessAPairedPhoneUsesIt)
{
    ServedCollection served(garden());
    const int port = served.server.port();
    auto phone = served.pairedPhone();
    const auto answered = [port](const char* from) {
        RawConnection connection(port, from);
        connection.send("GET /trees HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
        return rawStatus(connection.receive(2s));
    };
    std::vector<std::unique_ptr<RawConnection>> flood, fromPhone;
    for (int n = 0; n < 12; ++n) {
        // One refused may be ended before it sends.
        flood.push_back(std::make_unique<RawConnection>(port, "127.0.0.2"));
        flood.back()->send("GET /trees HTTP/1.1\r\n");
        fromPhone.push_back(std::make_unique<RawConnection>(port));
        EXPECT_TRUE(fromPhone.back()->send("GET /trees HTTP/1.1\r\n"));
    }
    // Connections are taken in turn: once a later one is answered, the flood was seen.
    EXPECT_EQ(answered("127.0.0.3"), 401);
    const auto trees = phone->get("/trees");
    ASSERT_TRUE(trees);
    EXPECT_EQ(trees->status, 200);
    for (std::size_t n = 0; n < flood.size(); ++n) {
        EXPECT_EQ(flood[n]->closedWithin(n < 8 ? 0ms : 1s), n >= 8) << "connection " << n << " from 127.0.0.2";
        EXPECT_FALSE(fromPhone[n]->closedWithin(0ms)) << "connection " << n << " from the phone's address";
    }

    // Its connections closed, the address is served again.
    flood.clear();
    int status = 0;
    for (int tries = 0; tries < 20 && status != 401; ++tries) {
        std::this_thread::sleep_for(50ms);
        status = answered("127.0.0.2");
    }
    EXPECT_EQ(status, 401);
}
