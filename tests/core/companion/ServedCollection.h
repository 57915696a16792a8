#pragma once

#include "core/companion/CollectionHost.h"
#include "core/companion/CompanionServer.h"
#include "core/companion/PhoneForms.h"
#include "support/core/TempDir.h"
#include "core/journal/Journal.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

// The desktop's side: a collection in memory, changed as a host without a history
// changes it, which the test edits or closes as the desktop would while phones look.
class MemoryHost : public talvane::companion::CollectionHost {
public:
    MemoryHost(talvane::collection::EntryList entries, const std::filesystem::path& folder);
    std::shared_ptr<const talvane::companion::CollectionSnapshot> snapshot() override;
    talvane::companion::ChangeOutcome apply(const talvane::companion::PhoneChange& change) override;

    void edit(const std::function<void(talvane::collection::EntryList&)>& change);
    void setClosed(bool closed);
    int changes(); // made from phones so far
    talvane::journal::Journal journal(std::size_t position);

    const std::filesystem::path albumFolder;
    const std::filesystem::path photosFolder;

private:
    std::mutex m_mutex;
    talvane::collection::EntryList m_entries;
    std::shared_ptr<const talvane::companion::CollectionSnapshot> m_snapshot;
    bool m_closed = false;
    int m_changes = 0;
};

// A phone's browser running the pages: once paired, its session cookie goes with every
// request, and every write carries the session's form token as the pages send it, with
// an Idempotency-Key when one is given.
class Phone {
public:
    explicit Phone(int port);
    // Pairs, then reads the session's form token as the pages do, once.
    httplib::Result pair(const std::string& token);
    httplib::Result get(const std::string& path, const httplib::Headers& extra = {})
    {
        return m_client.Get(path, headers({}, extra));
    }
    // A write without a body, as Mark done is.
    httplib::Result post(const std::string& path, const std::string& key = {}, const httplib::Headers& extra = {})
    {
        return m_client.Post(path, headers(key, extra));
    }
    httplib::Result postMultipart(const std::string& path, const httplib::MultipartFormDataItems& items,
                                  const std::string& key = {}, const httplib::Headers& extra = {})
    {
        return m_client.Post(path, headers(key, extra), items);
    }
    httplib::Result postBody(const std::string& path, const std::string& body, const std::string& type,
                             const std::string& key = {})
    {
        return m_client.Post(path, headers(key), body, type);
    }

    std::string cookie;    // "talvane_session=…"
    std::string formToken; // sent in X-Talvane-Form while not empty

private:
    httplib::Headers headers(const std::string& key, const httplib::Headers& extra = {}) const;
    httplib::Client m_client;
};

// A collection shared on 127.0.0.1 from a folder of its own: Album/ and Photos/, and
// uploads/ where received photos wait.
struct ServedCollection {
    explicit ServedCollection(talvane::collection::EntryList entries, talvane::companion::ServerOptions options = {},
                              talvane::companion::Clock clock = std::chrono::system_clock::now);
    std::unique_ptr<Phone> pairedPhone();
    std::filesystem::path uploads() const { return dir / "uploads"; }

    TempDir dir;
    MemoryHost host;
    talvane::companion::CompanionServer server;
};

// The answer's JSON, once its status and type are as expected; null otherwise.
nlohmann::json jsonAnswer(const httplib::Result& result, int status, const std::string& what);
// A refusal: the status, and an error that says `words`, in JSON and with the safety
// headers. Gives the error.
std::string expectRefusal(const httplib::Result& result, int status, const std::string& words, const std::string& what);

// "/api/trees/<ref>" and where care is logged on it.
std::string treeApi(std::string_view ref);
std::string eventsApi(std::string_view ref);
// "/api/due/<task>/done".
std::string doneApi(std::string_view task);
// The first task the Due list gives the phone.
std::string firstDueTask(Phone& phone);
// The fields as the parts of a multipart form, and a photo's part.
httplib::MultipartFormDataItems formParts(const talvane::companion::FormFields& values);
httplib::MultipartFormData photoPart(const std::string& bytes, const std::string& fileName);
// The fields as the parts of a multipart body with the boundary AAA, unfinished.
std::string multipartText(const talvane::companion::FormFields& fields);

// A connection made by hand, for what no browser sends.
class RawConnection {
public:
    // From a loopback address of its own ("127.0.0.2") when told.
    explicit RawConnection(int port, const char* from = "127.0.0.1");
    ~RawConnection();
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;
    bool send(std::string_view bytes); // false once the server takes no more
    // All the server sends until it ends the connection, waiting at most `wait`.
    std::string receive(std::chrono::milliseconds wait);
    bool closedWithin(std::chrono::milliseconds wait);

private:
    int m_fd = -1;
};
// Every answer forbids inline scripts, frames and guessed content types.
void expectSafetyHeaders(const httplib::Result& result, const std::string& what);
// The status of a response read by hand, 0 for none.
int rawStatus(std::string_view response);

std::unique_ptr<CBonsaiData> tree(std::initializer_list<std::pair<std::size_t, std::string>> fields);
// Momiji, which has an identifier and wire to take off in five days; then an elm and a
// pine, which have none and are named by position.
inline constexpr char kMomijiId[] = "0f8fad5b-d9cb-469f-a165-70867728950e";
inline const std::string kMomijiPage = std::string("/tree/") + kMomijiId;
inline const std::string kMomijiApi = std::string("/api/trees/") + kMomijiId;
inline const std::string kMomijiEvents = kMomijiApi + "/events";
talvane::collection::EntryList garden();
