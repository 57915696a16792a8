#include "ServedCollection.h"

#include "core/collection/TreeIdentity.h"
#include "core/companion/CollectionSnapshot.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace talvane::collection;

using namespace talvane::companion;
using namespace talvane::journal;

MemoryHost::MemoryHost(EntryList entries, const std::filesystem::path& folder)
    : albumFolder(folder / "Album"), photosFolder(folder / "Photos"), m_entries(std::move(entries))
{
    edit([](EntryList&) {});
}

std::shared_ptr<const CollectionSnapshot> MemoryHost::snapshot()
{
    std::lock_guard lock(m_mutex);
    return m_closed ? nullptr : m_snapshot;
}

ChangeOutcome MemoryHost::apply(const PhoneChange& change)
{
    if (snapshot() == nullptr)
        return collectionClosed();
    ChangeOutcome outcome;
    edit([&](EntryList& entries) {
        auto planned = planChange(entries, change, photosFolder);
        if (auto* refused = std::get_if<ChangeOutcome>(&planned))
            return void(outcome = *refused);
        applyPlannedValues(entries, std::get<PlannedChange>(planned));
        outcome = appliedOutcome(entries, std::get<PlannedChange>(planned));
        ++m_changes;
    });
    return outcome;
}

void MemoryHost::edit(const std::function<void(EntryList&)>& change)
{
    std::lock_guard lock(m_mutex);
    change(m_entries);
    m_snapshot = std::make_shared<const CollectionSnapshot>(m_entries, "garden.tvn", albumFolder, photosFolder);
}

void MemoryHost::setClosed(bool closed)
{
    std::lock_guard lock(m_mutex);
    m_closed = closed;
}

int MemoryHost::changes()
{
    std::lock_guard lock(m_mutex);
    return m_changes;
}

Journal MemoryHost::journal(std::size_t position)
{
    std::lock_guard lock(m_mutex);
    return Journal::read((*m_entries.at(position))[kJournalField]);
}

Phone::Phone(int port) : m_client("127.0.0.1", port)
{
    m_client.set_read_timeout(std::chrono::seconds(30));
}

httplib::Headers Phone::headers(const std::string& key, const httplib::Headers& extra) const
{
    httplib::Headers headers{{"User-Agent", "Mozilla/5.0 (Linux; Android 14) Chrome/120.0 Mobile Safari/537.36"}};
    if (!cookie.empty())
        headers.emplace("Cookie", cookie);
    if (!formToken.empty())
        headers.emplace("X-Talvane-Form", formToken);
    if (!key.empty())
        headers.emplace("Idempotency-Key", key);
    headers.insert(extra.begin(), extra.end());
    return headers;
}

httplib::Result Phone::pair(const std::string& token)
{
    auto result = m_client.Get("/pair/" + token, headers({}));
    if (result && result->status == 200) {
        const std::string set = result->get_header_value("Set-Cookie");
        cookie = set.substr(0, set.find(';'));
        const auto session = get("/api/session");
        formToken = session && session->status == 200
                        ? nlohmann::json::parse(session->body, nullptr, false).value("formToken", std::string())
                        : std::string();
    }
    return result;
}

ServedCollection::ServedCollection(EntryList entries, ServerOptions options, Clock clock)
    : host(std::move(entries), dir.path()), server(host, std::move(clock))
{
    std::filesystem::create_directories(uploads());
    std::filesystem::create_directories(host.albumFolder);
    options.bindAddress = "127.0.0.1";
    options.uploadFolder = uploads().string();
    if (const auto failure = server.start(options))
        throw std::runtime_error(*failure);
}

std::unique_ptr<Phone> ServedCollection::pairedPhone()
{
    auto phone = std::make_unique<Phone>(server.port());
    const auto paired = phone->pair(server.sessions().pairingToken());
    EXPECT_TRUE(paired && paired->status == 200) << "the phone could not pair";
    return phone;
}

std::string multipartText(const FormFields& fields)
{
    std::string text;
    for (const auto& [name, value] : fields)
        text += "--AAA\r\nContent-Disposition: form-data; name=\"" + name + "\"\r\n\r\n" + value + "\r\n";
    return text;
}

nlohmann::json jsonAnswer(const httplib::Result& result, int status, const std::string& what)
{
    EXPECT_TRUE(result) << what;
    if (!result)
        return nullptr;
    EXPECT_EQ(result->status, status) << what << ": " << result->body;
    EXPECT_EQ(result->get_header_value("Content-Type"), "application/json; charset=utf-8") << what;
    if (result->status != status)
        return nullptr;
    auto body = nlohmann::json::parse(result->body, nullptr, false);
    EXPECT_FALSE(body.is_discarded()) << what << ": " << result->body;
    return body.is_discarded() ? nlohmann::json() : body;
}

std::string expectRefusal(const httplib::Result& result, int status, const std::string& words, const std::string& what)
{
    const nlohmann::json body = jsonAnswer(result, status, what);
    expectSafetyHeaders(result, what);
    if (!body.is_object() || body.size() != 1 || !body["error"].is_string()) {
        ADD_FAILURE() << what << ": no error said";
        return {};
    }
    const std::string error = body["error"];
    EXPECT_NE(error.find(words), std::string::npos) << what << ": " << error;
    return error;
}

std::string treeApi(std::string_view ref)
{
    return "/api/trees/" + std::string(ref);
}

std::string eventsApi(std::string_view ref)
{
    return treeApi(ref) + "/events";
}

std::string doneApi(std::string_view task)
{
    return "/api/due/" + std::string(task) + "/done";
}

std::string firstDueTask(Phone& phone)
{
    const nlohmann::json due = jsonAnswer(phone.get("/api/due"), 200, "the Due list");
    if (!due.is_object() || due["tasks"].empty()) {
        ADD_FAILURE() << "nothing is due";
        return {};
    }
    return due["tasks"][0]["task"];
}

httplib::MultipartFormDataItems formParts(const FormFields& values)
{
    httplib::MultipartFormDataItems items;
    for (const auto& [name, value] : values)
        items.push_back({name, value, "", ""});
    return items;
}

httplib::MultipartFormData photoPart(const std::string& bytes, const std::string& fileName)
{
    return {"photo", bytes, fileName, "image/jpeg"};
}

RawConnection::RawConnection(int port, const char* from) : m_fd(socket(AF_INET, SOCK_STREAM, 0))
{
    sockaddr_in source{};
    source.sin_family = AF_INET;
    inet_pton(AF_INET, from, &source.sin_addr);
    if (bind(m_fd, reinterpret_cast<const sockaddr*>(&source), sizeof source) != 0)
        ADD_FAILURE() << "cannot send from " << from;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        ADD_FAILURE() << "cannot connect to the server";
}

RawConnection::~RawConnection()
{
    close(m_fd);
}

bool RawConnection::send(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t sent = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

std::string RawConnection::receive(std::chrono::milliseconds wait)
{
    std::string received;
    const auto end = std::chrono::steady_clock::now() + wait;
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        pollfd watched{m_fd, POLLIN, 0};
        if (left.count() <= 0 || poll(&watched, 1, static_cast<int>(left.count())) <= 0)
            return received;
        const ssize_t count = recv(m_fd, buffer, sizeof buffer, 0);
        if (count <= 0)
            return received;
        received.append(buffer, static_cast<std::size_t>(count));
    }
}

bool RawConnection::closedWithin(std::chrono::milliseconds wait)
{
    pollfd watched{m_fd, POLLIN, 0};
    char byte;
    return poll(&watched, 1, int(wait.count())) > 0 && recv(m_fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT) <= 0;
}

void expectSafetyHeaders(const httplib::Result& result, const std::string& what)
{
    ASSERT_TRUE(result) << what;
    const std::string policy = result->get_header_value("Content-Security-Policy");
    EXPECT_NE(policy.find("default-src 'none'"), std::string::npos) << what;
    EXPECT_NE(policy.find("frame-ancestors 'none'"), std::string::npos) << what;
    EXPECT_NE(policy.find("script-src 'self'"), std::string::npos) << what;
    EXPECT_EQ(policy.find("unsafe-"), std::string::npos) << what;
    EXPECT_EQ(result->get_header_value("X-Content-Type-Options"), "nosniff") << what;
}

int rawStatus(std::string_view response)
{
    return response.starts_with("HTTP/1.1 ") && response.size() >= 12 ? std::stoi(std::string(response.substr(9, 3))) : 0;
}

std::unique_ptr<CBonsaiData> tree(std::initializer_list<std::pair<std::size_t, std::string>> fields)
{
    auto entry = std::make_unique<CBonsaiData>();
    for (const auto& [field, text] : fields)
        (*entry)[field] = text;
    return entry;
}

EntryList garden()
{
    const CalendarDate today = CalendarDate::today();
    Journal journal = Journal::read("");
    journal.add({today.plusDays(-40), CareKind::Wiring, today.plusDays(5), {}, "Wired the apex", {}, {}, {}});
    journal.add({today.plusDays(-2), CareKind::Note, std::nullopt, {}, "New buds", {}, {}, {}});
    EntryList entries;
    entries.push_back(tree({{CBonsaiData::Name, "Momiji"}, {CBonsaiData::BotanicalName, "Acer palmatum"},
                            {kTreeIdField, kMomijiId}, {kJournalField, journal.text()}}));
    entries.push_back(tree({{CBonsaiData::Name, "Elm"}, {CBonsaiData::BotanicalName, "Ulmus parvifolia"}}));
    entries.push_back(tree({{CBonsaiData::Name, "Pine"}, {CBonsaiData::BotanicalName, "Pinus thunbergii"}}));
    return entries;
}
