// Forms that must not change the collection: sent twice, from elsewhere, too large,
// malformed, with values that cannot be taken, or for a tree that is gone.
#include "ServedCollection.h"

#include <gtest/gtest.h>

#include <thread>
#include <tuple>

using namespace talvane::companion;
using talvane::journal::CalendarDate;

namespace {

PageForm FormFrom(Phone& phone, const std::string& path)
{
    const auto page = phone.get(path);
    EXPECT_TRUE(page && page->status == 200) << path;
    return page ? FormOnPage(page->body) : PageForm{};
}

void ExpectAnswer(const httplib::Result& result, int status, const std::string& words, const std::string& what)
{
    ASSERT_TRUE(result) << what;
    EXPECT_EQ(result->status, status) << what;
    EXPECT_NE(result->body.find(words), std::string::npos) << what << ": " << result->body;
    ExpectSafetyHeaders(result, what);
}

bool IsEmptyOrMissing(const std::filesystem::path& folder)
{
    return !std::filesystem::exists(folder) || std::filesystem::is_empty(folder);
}

// No change reached the collection, no photo its folder, no upload was left behind.
void ExpectNothingWritten(ServedCollection& served)
{
    EXPECT_EQ(served.host.changes(), 0);
    EXPECT_TRUE(IsEmptyOrMissing(served.host.photosFolder));
    EXPECT_TRUE(IsEmptyOrMissing(served.uploads()));
}

std::string PostHead(const std::string& path, const Phone& phone, const std::string& type, std::uint64_t length)
{
    return "POST " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nCookie: " + phone.cookie + "\r\nContent-Type: " + type +
           "\r\nContent-Length: " + std::to_string(length) + "\r\n\r\n";
}

// More of a body than the server may take after refusing its head, were it to read on:
// far more than the buffers between and the slack the connection is given.
constexpr std::uint64_t kReadOn = 64u << 20;

struct Streamed {
    std::string answer;
    std::uint64_t bodySent = 0;
};

// Sends the head, then that many bytes from a small buffer, then the end, while the
// answer is read.
Streamed StreamRequest(int port, const std::string& head, std::uint64_t bodyBytes, const std::string& end = {})
{
    RawConnection connection(port);
    Streamed streamed;
    std::thread sender([&] {
        const std::string block(64 * 1024, '\x55');
        bool open = connection.send(head);
        while (open && streamed.bodySent < bodyBytes) {
            const std::size_t count = std::min<std::uint64_t>(bodyBytes - streamed.bodySent, block.size());
            open = connection.send(std::string_view(block).substr(0, count));
            streamed.bodySent += open ? count : 0;
        }
        connection.send(end);
    });
    streamed.answer = connection.receive(std::chrono::seconds(60));
    sender.join();
    return streamed;
}

} // namespace

TEST(CompanionForms, AFormCountsOnceAndOnlyFromItsOwnSession)
{
    ServedCollection served(Garden());
    auto phone = served.pairedPhone();
    auto other = served.pairedPhone();
    const PageForm done = FormFrom(*phone, "/due");
    ASSERT_EQ(done.action, "/done");
    for (const auto& [name, value] : {std::pair{"form", randomToken()}, {"nonce", randomToken()}, {"form", ""}}) {
        FormFields forged = done.fields;
        forged.find(name)->second = value;
        ExpectAnswer(phone->post("/done", forged), 403, "did not come from Talvane", std::string(name) + "=" + value);
    }
    ExpectAnswer(other->post("/done", done.fields), 403, "did not come from Talvane", "another phone's form");
    EXPECT_EQ(served.host.changes(), 0);

    const auto sent = phone->post("/done", done.fields);
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->status, 303);
    EXPECT_EQ(sent->get_header_value("Location"), "/due");
    ExpectAnswer(phone->post("/done", done.fields), 409, "sent before", "the same form again");
    EXPECT_EQ(served.host.changes(), 1);
    // Marked done: the wire task has no date left, and the work is on today.
    const auto journal = served.host.journal(0);
    ASSERT_EQ(journal.lines().size(), 3u);
    EXPECT_FALSE(journal.lines()[0].event->due);
    const auto& work = *journal.lines()[2].event;
    EXPECT_EQ(work.kind, talvane::journal::CareKind::Wiring);
    EXPECT_EQ(work.date, CalendarDate::today());
    EXPECT_EQ(work.text, "Wired the apex");
}

TEST(CompanionForms, ValuesThatCannotBeTakenAreNamed)
{
    ServedCollection served(Garden());
    auto phone = served.pairedPhone();
    const PageForm log = FormFrom(*phone, kMomijiPage + "/log");
    ASSERT_EQ(log.action, kMomijiPage + "/log");
    const std::pair<FormFields, std::string> refused[] = {
        {{{"kind", "Watering"}}, "Choose the kind of care."},
        {{{"kind", "Note"}, {"due", "2027-02-30"}}, "The due date is not a date of the calendar."},
        {{{"kind", "Note"}, {"due", "next week"}}, "The due date is not a date of the calendar."},
        {{{"kind", "Note"}, {"due", CalendarDate::today().plusDays(-1).text()}}, "The due date is before today"},
        {{{"kind", "Note"}, {"amount-height", "tall"}, {"unit-height", "cm"}}, "Height: “tall” is not an amount."},
        {{{"kind", "Note"}, {"amount-trunk", "-3"}, {"unit-trunk", "cm"}}, "Trunk diameter: “-3” is not an amount."},
        {{{"kind", "Note"}, {"amount-canopy", "30"}, {"unit-canopy", "ft"}}, "Canopy width: choose a unit."},
        {{{"kind", "Note"}, {"text", std::string(kMaxEventText + 1, 'a')}}, "The text is too long"},
        {{{"kind", "Note"}, {"text", "a" + std::string(kMaxEventText, '\x80')}}, "The text is too long"},
    };
    for (const auto& [values, message] : refused)
        ExpectAnswer(phone->postMultipart(log.action, FormParts(log, values)), 400, message, message);

    const PageForm done = FormFrom(*phone, "/due");
    for (const auto& [name, value] : {std::pair{"tree", "../Album"}, {"line", "x1"}, {"line", "1234567"}, {"check", "0"}}) {
        FormFields fields = done.fields;
        fields.find(name)->second = value;
        ExpectAnswer(phone->post("/done", fields), 400, "The form names no", std::string(name) + "=" + value);
    }
    FormFields stale = done.fields;
    stale.find("check")->second = std::string(32, 'a');
    ExpectAnswer(phone->post("/done", stale), 409, "changed or done on the desktop", "a task changed since");
    EXPECT_EQ(served.host.changes(), 0);

    // None of this used up the log form: it is taken once put right.
    const auto sent = phone->postMultipart(log.action, FormParts(log, {{"kind", "Feeding"}, {"amount-height", " 3,5"},
                                                                       {"unit-height", "cm"}}));
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->status, 303);
    const auto journal = served.host.journal(0);
    const auto& added = *journal.lines().back().event;
    EXPECT_EQ(added.kind, talvane::journal::CareKind::Feeding);
    ASSERT_EQ(added.measurements.size(), 1u);
    EXPECT_EQ(added.measurements[0].text(), "3.5 cm");
}

TEST(CompanionForms, MalformedUploadsAre400AndWhatIsNoPhotoIs415)
{
    ServedCollection served(Garden());
    auto phone = served.pairedPhone();
    const PageForm log = FormFrom(*phone, kMomijiPage + "/log");
    const std::string fields = MultipartText(log.fields) + MultipartText({{"kind", "Photo"}});
    const std::string photo = "--AAA\r\nContent-Disposition: form-data; name=\"photos\"; filename=\"a.jpg\"\r\n"
                              "Content-Type: image/jpeg\r\n\r\n\xFF\xD8\xFF\xE0 not much of a photo";
    const std::pair<std::string, std::string> malformed[] = {
        {fields + photo + "\r\n--AAA--\r\n", "multipart/form-data; boundary=BBB"},
        {fields + photo + "\r\n--AAA--\r\n", "multipart/form-data"},
        {fields + photo, "multipart/form-data; boundary=AAA"},
        {fields.substr(0, fields.size() - 20), "multipart/form-data; boundary=AAA"},
        {"kind=Note&form=" + log.fields.find("form")->second, "application/x-www-form-urlencoded"},
    };
    for (const auto& [body, type] : malformed)
        ExpectAnswer(phone->postBody(log.action, body, type), 400, "The form could not be read", type);

    const std::string page = fields + "--AAA\r\nContent-Disposition: form-data; name=\"photos\"; "
                                      "filename=\"<b>tree</b>.jpg\"\r\nContent-Type: image/jpeg\r\n\r\n"
                                      "<html><script>alert(1)</script></html>\r\n--AAA--\r\n";
    const auto notPhoto = phone->postBody(log.action, page, "multipart/form-data; boundary=AAA");
    ExpectAnswer(notPhoto, 415, "“&lt;b&gt;tree&lt;/b&gt;.jpg” is not a photo", "a page sent as a photo");
    EXPECT_EQ(notPhoto->body.find("<b>"), std::string::npos);
    ExpectNothingWritten(served);
}

TEST(CompanionForms, RequestsOverTheLimitsAre413AndWriteNothing)
{
    ServedCollection served(Garden());
    auto phone = served.pairedPhone();
    const PageForm log = FormFrom(*phone, kMomijiPage + "/log");
    const std::uint64_t uploadLimit = kMaxPhotosPerRequest * kMaxPhotoBytes + kMaxFormBytes;
    // Refused by its head, a request is not read on: the rest of its body is refused as
    // soon as it comes, however long it said it was.
    Phone stranger(served.server.port());
    const std::string multipart = "multipart/form-data; boundary=AAA";
    const std::tuple<std::string, int, std::string> heads[] = {
        {PostHead("/done", *phone, "application/x-www-form-urlencoded", 10 * kMaxFormBytes), 413, "The form is too large"},
        {PostHead(log.action, *phone, multipart, 10 * uploadLimit), 413, "At most 30 photos"},
        {PostHead("/scan", *phone, multipart, 21u << 20), 413, "larger than 20 MB"},
        {PostHead(log.action, stranger, multipart, 10 * uploadLimit), 401, "not paired"},
        {"POST /done HTTP/1.1\r\nCookie: " + phone->cookie + "\r\nContent-Type: application/x-www-form-urlencoded\r\n"
         "Content-Length: 10\r\nTransfer-Encoding: chunked\r\n\r\n100000\r\n", 411, "without its length"},
    };
    for (const auto& [head, status, words] : heads) {
        const Streamed refused = StreamRequest(served.server.port(), head, kReadOn);
        EXPECT_EQ(RawStatus(refused.answer), status) << refused.answer;
        EXPECT_NE(refused.answer.find(words), std::string::npos) << refused.answer;
        EXPECT_NE(refused.answer.find("Connection: close"), std::string::npos) << refused.answer;
        EXPECT_LT(refused.bodySent, kReadOn) << words;
    }

    // A photo over 40 MB is refused once it passes the limit.
    const std::string prefix = MultipartText(log.fields) + MultipartText({{"kind", "Photo"}}) +
                               "--AAA\r\nContent-Disposition: form-data; name=\"photos\"; filename=\"big.jpg\"\r\n"
                               "Content-Type: image/jpeg\r\n\r\n\xFF\xD8\xFF\xE0";
    const std::string end = "\r\n--AAA--\r\n";
    const std::uint64_t photoBytes = kMaxPhotoBytes + 1024 * 1024;
    const Streamed big = StreamRequest(
        served.server.port(), PostHead(log.action, *phone, multipart, prefix.size() + photoBytes + end.size()) + prefix,
        photoBytes, end);
    EXPECT_EQ(RawStatus(big.answer), 413) << big.answer;
    EXPECT_NE(big.answer.find("“big.jpg” is larger than 40 MB"), std::string::npos) << big.answer;

    ExpectNothingWritten(served);
}

TEST(CompanionForms, TreeGoneIs404AndClosedCollectionIs503)
{
    ServedCollection served(Garden());
    auto phone = served.pairedPhone();
    const PageForm log = FormFrom(*phone, kMomijiPage + "/log");
    const PageForm done = FormFrom(*phone, "/due");
    const auto trees = phone->get("/trees");
    ASSERT_TRUE(trees);
    // The elm is named by its position: sorted by name, it comes first.
    const std::string elmPage = FirstTreeLink(trees->body);
    ASSERT_TRUE(elmPage.starts_with("/tree/at1-")) << elmPage;
    const PageForm elmLog = FormFrom(*phone, elmPage + "/log");

    // Momiji is deleted on the desktop, which moves the pine to where the elm was: what
    // was meant for the elm must not land on the pine.
    served.host.edit([](EntryList& entries) { entries.erase(entries.begin()); });
    const std::string gone = "no longer in the collection";
    for (const std::string& path : std::vector<std::string>{kMomijiPage, kMomijiPage + "/log", elmPage})
        ExpectAnswer(phone->get(path), 404, gone, path);
    ExpectAnswer(phone->postMultipart(log.action, FormParts(log, {{"kind", "Note"}})), 404, gone, "logged on Momiji");
    ExpectAnswer(phone->post("/done", done.fields), 404, gone, "Momiji's task done");
    ExpectAnswer(phone->postMultipart(elmLog.action, FormParts(elmLog, {{"kind", "Note"}})), 404, gone, "on the elm");
    EXPECT_EQ(served.host.changes(), 0);

    const auto moved = phone->get("/trees");
    ASSERT_TRUE(moved);
    const PageForm movedLog = FormFrom(*phone, FirstTreeLink(moved->body) + "/log");
    served.host.setClosed(true);
    for (const std::string& path : std::vector<std::string>{"/trees", "/due", elmPage})
        ExpectAnswer(phone->get(path), 503, "no longer shared", path);
    const auto items = FormParts(movedLog, {{"kind", "Note"}});
    ExpectAnswer(phone->postMultipart(movedLog.action, items), 503, "closed on the desktop", "logged while closed");
    EXPECT_EQ(served.host.changes(), 0);

    // Sent again once the collection is back, the form that changed nothing is taken.
    served.host.setClosed(false);
    const auto again = phone->postMultipart(movedLog.action, items);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->status, 303) << again->body;
    EXPECT_EQ(served.host.changes(), 1);
}
