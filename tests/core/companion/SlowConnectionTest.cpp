// A connection that takes too long or sends too much before it is answered is ended,
// so that a few cannot hold the server's threads or memory; an upload may rightly take
// longer.
#include "ServedCollection.h"

#include <gtest/gtest.h>

#include <thread>

using namespace talvane::companion;
using namespace std::chrono_literals;

namespace {

ServerOptions RequestTime(std::chrono::milliseconds time)
{
    ServerOptions options;
    options.requestTime = time;
    return options;
}

} // namespace

TEST(CompanionConnections, RequestTrickledAByteAtATimeIsDroppedWhileOthersAreServed)
{
    ServedCollection served(Garden(), RequestTime(1500ms));
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
    ServedCollection served(Garden());
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
    ServedCollection served(Garden(), RequestTime(1000ms));
    auto phone = served.pairedPhone();
    const auto page = phone->get(kMomijiPage + "/log");
    ASSERT_TRUE(page);
    const std::string body = MultipartText(FormOnPage(page->body).fields) +
                             MultipartText({{"kind", "Note"}, {"text", std::string(60, 'x')}}) + "--AAA--\r\n";
    RawConnection upload(served.server.port());
    ASSERT_TRUE(upload.send("POST " + kMomijiPage + "/log HTTP/1.1\r\nHost: 127.0.0.1\r\nCookie: " + phone->cookie +
                            "\r\nContent-Type: multipart/form-data; boundary=AAA\r\nContent-Length: " +
                            std::to_string(body.size()) + "\r\n\r\n"));
    // Two and a half seconds for the body, in twenty-five pieces.
    const std::size_t piece = body.size() / 25 + 1;
    for (std::size_t at = 0; at < body.size(); at += piece) {
        std::this_thread::sleep_for(100ms);
        ASSERT_TRUE(upload.send(std::string_view(body).substr(at, piece))) << "dropped at byte " << at;
    }
    const std::string answer = upload.receive(10s);
    EXPECT_EQ(RawStatus(answer), 303) << answer;
    EXPECT_EQ(served.host.changes(), 1);
}
