// Forms that must not change the collection: sent twice, from elsewhere, too large,
// malformed, with values that cannot be taken, or for a tree that is gone.
#include "ServedCollection.h"

#include <gtest/gtest.h>

#include <thread>
#include <tuple>

using namespace talvane::collection;

using namespace talvane::companion;
using talvane::journal::CalendarDate;

namespace {

std::string repeated(const std::string& text, std::size_t times)
{
    std::string repeated;
    for (std::size_t i = 0; i < times; ++i)
        repeated += text;
    return repeated;
}

bool isEmptyOrMissing(const std::filesystem::path& folder)
{
    return !std::filesystem::exists(folder) || std::filesystem::is_empty(folder);
}

// No change reached the collection, no photo its folder, no upload was left behind.
void expectNothingWritten(ServedCollection& served)
{
    EXPECT_EQ(served.host.changes(), 0);
    EXPECT_TRUE(isEmptyOrMissing(served.host.photosFolder));
    EXPECT_TRUE(isEmptyOrMissing(served.uploads()));
}

std::string postHead(const std::string& path, const Phone& phone, const std::string& type, std::uint64_t length)
{
    return "POST " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nCookie: " + phone.cookie + "\r\nX-Talvane-Form: " +
           phone.formToken + "\r\nContent-Type: " + type + "\r\nContent-Length: " + std::to_string(length) + "\r\n\r\n";
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
Streamed streamRequest(int port, const std::string& head, std::uint64_t bodyBytes, const std::string& end = {})
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
    ServedCollection served(garden());
    auto phone = served.pairedPhone();
    auto other = served.pairedPhone();
    const std::string done = doneApi(firstDueTask(*phone));
    const std::string own = phone->formToken;
    for (const std::string& forged : {randomToken(), std::string(), other->formToken}) {
        phone->formToken = forged;
        expectRefusal(phone->post(done, "write-0001"), 403, "did not come from Talvane", "form token " + forged);
    }
    phone->formToken = own;
    other->formToken = own;
    expectRefusal(other->post(done, "write-0001"), 403, "did not come from Talvane", "another phone's form token");
    for (const std::string& key : {std::string("short"), std::string(65, 'k'), std::string("has space 1")})
        expectRefusal(phone->post(done, key), 400, "Idempotency-Key", "key " + key);
    EXPECT_EQ(served.host.changes(), 0);

    EXPECT_EQ(jsonAnswer(phone->post(done, "write-0001"), 200, "marked done").value("tree", ""), kMomijiId);
    expectRefusal(phone->post(done, "write-0001"), 409, "sent before", "the same write again");
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
    ServedCollection served(garden());
    auto phone = served.pairedPhone();
    const CalendarDate today = CalendarDate::today();
    const std::pair<FormFields, std::string> refused[] = {
        {{{"kind", "Misting"}}, "Choose the kind of care."},
        {{{"kind", "Note"}, {"date", "2026-02-30"}}, "The date is not a date of the calendar."},
        {{{"kind", "Note"}, {"date", "yesterday"}}, "The date is not a date of the calendar."},
        {{{"kind", "Note"}, {"date", today.plusDays(1).text()}}, "The date is after today (" + today.text() + ")."},
        {{{"kind", "Note"}, {"due", "2027-02-30"}}, "The due date is not a date of the calendar."},
        {{{"kind", "Note"}, {"due", "next week"}}, "The due date is not a date of the calendar."},
        {{{"kind", "Note"}, {"due", today.plusDays(-1).text()}}, "The due date is before today"},
        {{{"kind", "Note"}, {"due", today.text()}, {"repeat", "2 weeks"}}, "“2 weeks” is not a repeat"},
        {{{"kind", "Note"}, {"due", today.text()}, {"repeat", "0w"}}, "“0w” is not a repeat"},
        {{{"kind", "Note"}, {"repeat", "2w"}}, "A repeat needs a due date."},
        {{{"kind", "Note"}, {"amount-height", "abc"}, {"unit-height", "cm"}}, "Height: “abc” is not an amount."},
        {{{"kind", "Note"}, {"amount-trunk", "-3"}, {"unit-trunk", "cm"}}, "Trunk diameter: “-3” is not an amount."},
        {{{"kind", "Note"}, {"amount-canopy", "30"}, {"unit-canopy", "ft"}}, "Canopy width: choose a unit."},
        {{{"kind", "Note"}, {"text", std::string(kMaxEventText + 1, 'a')}}, "The text is too long"},
        {{{"kind", "Note"}, {"text", "a" + repeated("\u00E9", kMaxEventText)}}, "The text is too long"},
        {{{"kind", "Note"}, {"text", "a" + std::string(kMaxEventText, '\x80')}}, "cannot be stored"},
        {{{"kind", "Note"}, {"text", "Planted \U0001F333"}}, "“\U0001F333” cannot be stored in a Talvane collection"},
    };
    // Each refusal gives its key back: the same write, put right, is taken.
    for (const auto& [values, message] : refused) {
        const std::string said = expectRefusal(phone->postMultipart(kMomijiEvents, formParts(values), "log-care-1"), 422,
                                               message, message);
        EXPECT_TRUE(said.ends_with(" Nothing was changed.")) << said;
    }

    const std::string task = firstDueTask(*phone);
    const std::string tree = task.substr(0, task.find('.'));
    const std::string check = task.substr(task.rfind('.') + 1);
    for (const std::string& malformed : {"..%2FAlbum.0." + check, tree + ".x1." + check, tree + ".1234567." + check,
                                         tree + ".0.0", tree + ".0." + check + "0", std::string("../Album/done")})
        expectRefusal(phone->post(doneApi(malformed)), 404, "There is nothing at this address.", malformed);
    expectRefusal(phone->post(doneApi(tree + ".0." + std::string(32, 'a'))), 409, "changed or done on the desktop",
                  "a task changed since");
    expectRefusal(phone->post(doneApi(tree + ".1." + check)), 409, "changed or done on the desktop", "another line");
    EXPECT_EQ(served.host.changes(), 0);
    EXPECT_EQ(served.host.journal(0).lines().size(), 2u);

    const auto sent = jsonAnswer(phone->postMultipart(kMomijiEvents, formParts({{"kind", "Feeding"}, {"amount-height", " 3,5"},
                                                                                {"unit-height", "cm"}}),
                                                      "log-care-1"),
                                 201, "put right");
    const auto journal = served.host.journal(0);
    const auto& added = *journal.lines().back().event;
    EXPECT_EQ(added.kind, talvane::journal::CareKind::Feeding);
    ASSERT_EQ(added.measurements.size(), 1u);
    EXPECT_EQ(added.measurements[0].text(), "3.5 cm");
    EXPECT_EQ(sent["event"]["measurements"][0]["text"], "3.5 cm");
}

TEST(CompanionForms, MalformedUploadsAre400AndWhatIsNoPhotoIs422)
{
    ServedCollection served(garden());
    auto phone = served.pairedPhone();
    const std::string fields = multipartText({{"kind", "Photo"}});
    const std::string photo = "--AAA\r\nContent-Disposition: form-data; name=\"photo\"; filename=\"a.jpg\"\r\n"
                              "Content-Type: image/jpeg\r\n\r\n\xFF\xD8\xFF\xE0 not much of a photo";
    const std::pair<std::string, std::string> malformed[] = {
        {fields + photo + "\r\n--AAA--\r\n", "multipart/form-data; boundary=BBB"},
        {fields + photo + "\r\n--AAA--\r\n", "multipart/form-data"},
        {fields + photo, "multipart/form-data; boundary=AAA"},
        {fields.substr(0, fields.size() - 20), "multipart/form-data; boundary=AAA"},
        {"kind=Note", "application/x-www-form-urlencoded"},
    };
    for (const auto& [body, type] : malformed)
        expectRefusal(phone->postBody(kMomijiEvents, body, type), 400, "The form could not be read", type);

    const std::string page = fields + "--AAA\r\nContent-Disposition: form-data; name=\"photo\"; "
                                      "filename=\"<b>tree</b>.jpg\"\r\nContent-Type: image/jpeg\r\n\r\n"
                                      "<html><script>alert(1)</script></html>\r\n--AAA--\r\n";
    expectRefusal(phone->postBody(kMomijiEvents, page, "multipart/form-data; boundary=AAA"), 422,
                  "“<b>tree</b>.jpg” is not a photo", "a page sent as a photo");
    expectNothingWritten(served);
}

TEST(CompanionForms, RequestsOverTheLimitsAre413AndWriteNothing)
{
    ServedCollection served(garden());
    auto phone = served.pairedPhone();
    const std::string done = doneApi(firstDueTask(*phone));
    const std::uint64_t uploadLimit = kMaxPhotosPerRequest * kMaxPhotoBytes + kMaxFormBytes;
    // Refused by its head, a request is not read on: the rest of its body is refused as
    // soon as it comes, however long it said it was.
    Phone stranger(served.server.port());
    const std::string multipart = "multipart/form-data; boundary=AAA";
    const std::tuple<std::string, int, std::string> heads[] = {
        {postHead(done, *phone, "application/x-www-form-urlencoded", 10 * kMaxFormBytes), 413, "The form is too large"},
        {postHead(kMomijiEvents, *phone, multipart, 10 * uploadLimit), 413, "At most 30 photos"},
        {postHead("/api/labels/scan", *phone, multipart, 21u << 20), 413, "larger than 20 MB"},
        {postHead(kMomijiEvents, stranger, multipart, 10 * uploadLimit), 401, "not paired"},
        {"POST " + done + " HTTP/1.1\r\nCookie: " + phone->cookie + "\r\nX-Talvane-Form: " + phone->formToken +
         "\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: 10\r\nTransfer-Encoding: "
         "chunked\r\n\r\n100000\r\n", 411, "without its length"},
    };
    for (const auto& [head, status, words] : heads) {
        const Streamed refused = streamRequest(served.server.port(), head, kReadOn);
        EXPECT_EQ(rawStatus(refused.answer), status) << refused.answer;
        EXPECT_NE(refused.answer.find(words), std::string::npos) << refused.answer;
        EXPECT_NE(refused.answer.find("Connection: close"), std::string::npos) << refused.answer;
        EXPECT_NE(refused.answer.find("Content-Type: application/json; charset=utf-8"), std::string::npos) << refused.answer;
        EXPECT_LT(refused.bodySent, kReadOn) << words;
    }

    // A photo over 40 MB is refused once it passes the limit.
    const std::string prefix = multipartText({{"kind", "Photo"}}) +
                               "--AAA\r\nContent-Disposition: form-data; name=\"photo\"; filename=\"big.jpg\"\r\n"
                               "Content-Type: image/jpeg\r\n\r\n\xFF\xD8\xFF\xE0";
    const std::string end = "\r\n--AAA--\r\n";
    const std::uint64_t photoBytes = kMaxPhotoBytes + 1024 * 1024;
    const Streamed big = streamRequest(
        served.server.port(), postHead(kMomijiEvents, *phone, multipart, prefix.size() + photoBytes + end.size()) + prefix,
        photoBytes, end);
    EXPECT_EQ(rawStatus(big.answer), 413) << big.answer;
    EXPECT_NE(big.answer.find("“big.jpg” is larger than 40 MB"), std::string::npos) << big.answer;

    expectNothingWritten(served);
}

TEST(CompanionForms, TreeGoneIs404AndClosedCollectionIs503)
{
    ServedCollection served(garden());
    auto phone = served.pairedPhone();
    const std::string done = doneApi(firstDueTask(*phone));
    const auto trees = jsonAnswer(phone->get("/api/trees"), 200, "the trees");
    // The elm is named by its position: sorted by name, it comes first.
    const std::string elm = trees["trees"][0]["id"];
    ASSERT_TRUE(elm.starts_with("at1-")) << elm;

    // Momiji is deleted on the desktop, which moves the pine to where the elm was: what
    // was meant for the elm must not land on the pine.
    served.host.edit([](EntryList& entries) { entries.erase(entries.begin()); });
    const std::string gone = "no longer in the collection";
    for (const std::string& path : {kMomijiApi, treeApi(elm)})
        expectRefusal(phone->get(path), 404, gone, path);
    expectRefusal(phone->postMultipart(kMomijiEvents, formParts({{"kind", "Note"}})), 404, gone, "logged on Momiji");
    expectRefusal(phone->post(done), 404, gone, "Momiji's task done");
    expectRefusal(phone->postMultipart(eventsApi(elm), formParts({{"kind", "Note"}})), 404, gone, "on the elm");
    EXPECT_EQ(served.host.changes(), 0);

    const std::string moved = jsonAnswer(phone->get("/api/trees"), 200, "the trees after")["trees"][0]["id"];
    served.host.setClosed(true);
    for (const std::string& path : {std::string("/api/trees"), std::string("/api/due"), treeApi(moved),
                                    std::string("/api/session"), std::string("/api/photos/elm.bmp")})
        expectRefusal(phone->get(path), 503, "no longer shared", path);
    const auto items = formParts({{"kind", "Note"}});
    expectRefusal(phone->postMultipart(eventsApi(moved), items, "closed-0001"), 503, "closed on the desktop",
                  "logged while closed");
    EXPECT_EQ(served.host.changes(), 0);

    // Sent again once the collection is back, the write that changed nothing is taken.
    served.host.setClosed(false);
    jsonAnswer(phone->postMultipart(eventsApi(moved), items, "closed-0001"), 201, "sent again");
    EXPECT_EQ(served.host.changes(), 1);
}
