#pragma once

#include "companion/CollectionHost.h"
#include "companion/CompanionServer.h"
#include "companion/PhoneForms.h"
#include "core/TempDir.h"
#include "journal/Journal.h"

#include <httplib.h>

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
    MemoryHost(EntryList entries, const std::filesystem::path& folder);
    std::shared_ptr<const talvane::companion::CollectionSnapshot> snapshot() override;
    talvane::companion::ChangeOutcome apply(const talvane::companion::PhoneChange& change) override;

    void edit(const std::function<void(EntryList&)>& change);
    void setClosed(bool closed);
    int changes(); // made from phones so far
    talvane::journal::Journal journal(std::size_t position);

    const std::filesystem::path albumFolder;
    const std::filesystem::path photosFolder;

private:
    std::mutex m_mutex;
    EntryList m_entries;
    std::shared_ptr<const talvane::companion::CollectionSnapshot> m_snapshot;
    bool m_closed = false;
    int m_changes = 0;
};

// A phone's browser: once paired, its session cookie goes with every request.
class Phone {
public:
    explicit Phone(int port);
    httplib::Result pair(const std::string& token);
    httplib::Result get(const std::string& path) { return m_client.Get(path, headers()); }
    httplib::Result post(const std::string& path, const talvane::companion::FormFields& fields)
    {
        return m_client.Post(path, headers(), httplib::Params(fields.begin(), fields.end()));
    }
    httplib::Result postMultipart(const std::string& path, const httplib::MultipartFormDataItems& items)
    {
        return m_client.Post(path, headers(), items);
    }
    httplib::Result postBody(const std::string& path, const std::string& body, const std::string& type)
    {
        return m_client.Post(path, headers(), body, type);
    }

    std::string cookie; // "talvane_session=…"

private:
    httplib::Headers headers() const;
    httplib::Client m_client;
};

// A collection shared on 127.0.0.1 from a folder of its own: Album/ and Photos/, and
// uploads/ where received photos wait.
struct ServedCollection {
    explicit ServedCollection(EntryList entries, talvane::companion::ServerOptions options = {},
                              talvane::companion::Clock clock = std::chrono::system_clock::now);
    std::unique_ptr<Phone> pairedPhone();
    std::filesystem::path uploads() const { return dir / "uploads"; }

    TempDir dir;
    MemoryHost host;
    talvane::companion::CompanionServer server;
};

// What follows the marker in the text, up to the next double quote; empty when the
// marker is not found.
std::string Quoted(const std::string& text, const std::string& marker, std::size_t from = 0);
// The hidden fields of the n-th form of a page, and where it posts.
struct PageForm {
    std::string action;
    talvane::companion::FormFields fields;
};
PageForm FormOnPage(const std::string& page, std::size_t n = 0);
// The same fields as the parts of a multipart form, with more values.
httplib::MultipartFormDataItems FormParts(const PageForm& form, const talvane::companion::FormFields& values = {});
// The fields as the parts of a multipart body with the boundary AAA, unfinished.
std::string MultipartText(const talvane::companion::FormFields& fields);
// "/tree/<ref>" of the first tree a page links to.
std::string FirstTreeLink(const std::string& page);

// A connection made by hand, for what no browser sends.
class RawConnection {
public:
    explicit RawConnection(int port);
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
// Every answer forbids scripts, frames and guessed content types.
void ExpectSafetyHeaders(const httplib::Result& result, const std::string& what);
// The status of a response read by hand, 0 for none.
int RawStatus(std::string_view response);

std::unique_ptr<CBonsaiData> Tree(std::initializer_list<std::pair<std::size_t, std::string>> fields);
// Momiji, which has an identifier and wire to take off in five days; then an elm and a
// pine, which have none and are named by position.
inline constexpr char kMomijiId[] = "0f8fad5b-d9cb-469f-a165-70867728950e";
inline const std::string kMomijiPage = std::string("/tree/") + kMomijiId;
EntryList Garden();
