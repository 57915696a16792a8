#include "PhoneLoad.h"

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <regex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

std::string formField(const std::string& page, const std::string& name)
{
    std::smatch match;
    return std::regex_search(page, match, std::regex("name=\"" + name + "\" value=\"([0-9a-f]{32})\"")) ? match[1].str()
                                                                                                           : std::string();
}

// A JPEG's first bytes and then noise: the server takes it as a photo and copies it whole.
std::string fakePhoto(std::size_t bytes)
{
    std::string photo = "\xFF\xD8\xFF\xE0";
    photo.resize(bytes, '\0');
    unsigned seed = 12345;
    for (std::size_t i = 4; i < bytes; ++i) {
        seed = seed * 1103515245u + 12345u;
        photo[i] = static_cast<char>(seed >> 16);
    }
    return photo;
}

} // namespace

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(p / 100.0 * static_cast<double>(values.size())));
    return values[std::min(values.size() - 1, rank == 0 ? 0 : rank - 1)];
}

void printLatency(const char* what, const std::vector<double>& values)
{
    std::printf("%-22s n=%-5zu p50 %7.2f ms  p95 %7.2f ms  max %7.2f ms\n", what, values.size(), percentile(values, 50),
                percentile(values, 95), values.empty() ? 0 : *std::max_element(values.begin(), values.end()));
}

PhoneLoadResult runPhoneLoad(const PhoneLoadOptions& options)
{
    struct Phone {
        std::unique_ptr<httplib::Client> client;
        httplib::Headers cookie;
    };
    std::vector<Phone> phones;
    for (int i = 0; i < options.phones; ++i) {
        Phone phone{std::make_unique<httplib::Client>("127.0.0.1", options.port), {}};
        phone.client->set_keep_alive(true);
        phone.client->set_tcp_nodelay(true);
        phone.client->set_read_timeout(60);
        const auto paired = phone.client->Get(("/pair/" + options.newPairing()).c_str(),
                                              {{"User-Agent", "Mozilla/5.0 (Linux; Android 14) Chrome/120.0 Mobile Safari/537.36"}});
        const std::string cookie = paired ? paired->get_header_value("Set-Cookie") : "";
        phone.cookie = {{"Cookie", cookie.substr(0, cookie.find(';'))}};
        phones.push_back(std::move(phone));
    }
    const std::string photo = fakePhoto(options.photoBytes);
    PhoneLoadResult result;
    std::mutex resultMutex;
    const auto started = Clock::now();
    std::vector<std::thread> threads;
    for (int p = 0; p < options.phones; ++p) {
        threads.emplace_back([&, p] {
            Phone& phone = phones[static_cast<std::size_t>(p)];
            PhoneLoadResult mine;
            for (int i = 0; i < options.requestsEach; ++i) {
                const std::string& tree = options.treeRefs[static_cast<std::size_t>(p * 131 + i * 17) % options.treeRefs.size()];
                const int kind = i % 20;
                const auto begin = Clock::now();
                bool ok = false;
                std::vector<double>* into = &mine.otherMs;
                if (kind < 8) {
                    const std::string path = kind % 2 ? "/trees?q=pine&page=0" : "/trees?page=" + std::to_string(i % 5);
                    const auto answer = phone.client->Get(path.c_str(), phone.cookie);
                    ok = answer && answer->status == 200;
                    into = &mine.treesMs;
                } else if (kind < 12) {
                    const auto answer = phone.client->Get(("/tree/" + tree).c_str(), phone.cookie);
                    ok = answer && answer->status == 200;
                } else if (kind < 15) {
                    const auto answer = phone.client->Get(("/tree/" + tree + "/thumb").c_str(), phone.cookie);
                    ok = answer && (answer->status == 200 || answer->status == 404);
                } else if (kind < 17) {
                    const auto answer = phone.client->Get("/due", phone.cookie);
                    ok = answer && answer->status == 200;
                } else {
                    const bool upload = kind == 19;
                    const auto form = phone.client->Get(("/tree/" + tree + "/log").c_str(), phone.cookie);
                    if (form && form->status == 200) {
                        httplib::MultipartFormDataItems items{{"form", formField(form->body, "form"), "", ""},
                                                              {"nonce", formField(form->body, "nonce"), "", ""},
                                                              {"kind", upload ? "Photo" : "Note", "", ""},
                                                              {"text", "logged under load", "", ""}};
                        if (upload)
                            items.push_back({"photos", photo, "IMG_0001.jpg", "image/jpeg"});
                        const auto sent = phone.client->Post(("/tree/" + tree + "/log").c_str(), phone.cookie, items);
                        ok = sent && sent->status == 303;
                    }
                    if (upload)
                        into = &mine.uploadMs;
                }
                into->push_back(std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
                mine.failures += ok ? 0 : 1;
            }
            std::lock_guard lock(resultMutex);
            for (auto [from, to] : {std::pair{&mine.treesMs, &result.treesMs}, std::pair{&mine.uploadMs, &result.uploadMs},
                                    std::pair{&mine.otherMs, &result.otherMs}})
                to->insert(to->end(), from->begin(), from->end());
            result.failures += mine.failures;
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    result.seconds = std::chrono::duration<double>(Clock::now() - started).count();
    return result;
}
