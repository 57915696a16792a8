#include "support/core/ReminderSinks.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <algorithm>
#include <regex>

NtfySink::NtfySink(int status, std::string answer)
{
    m_server.Post(".*", [this, status, answer](const httplib::Request& request, httplib::Response& response) {
        std::unique_lock lock(m_mutex);
        m_posts.push_back({request.path, request.headers, request.body});
        m_released.wait_for(lock, std::chrono::seconds(20), [this] { return !m_held; });
        response.status = status;
        response.set_content(answer, "application/json");
    });
    m_port = m_server.bind_to_any_port("127.0.0.1");
    // Bound, the socket already listens: a request made before the thread accepts it waits.
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
}

NtfySink::~NtfySink()
{
    release();
    m_server.stop();
    m_thread.join();
}

std::string NtfySink::topic() const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + "/bonsai";
}

std::vector<NtfySink::Post> NtfySink::posts() const
{
    std::lock_guard lock(m_mutex);
    return m_posts;
}

void NtfySink::hold()
{
    std::lock_guard lock(m_mutex);
    m_held = true;
}

void NtfySink::release()
{
    {
        std::lock_guard lock(m_mutex);
        m_held = false;
    }
    m_released.notify_all();
}

SmtpSink::SmtpSink()
{
    const std::string command = "/usr/bin/python3 '" TALVANE_SOURCE_DIR "/tests/support/smtp_sink.py'";
    m_output = ::popen(command.c_str(), "r");
    char line[64] = {};
    if (!m_output || !std::fgets(line, sizeof line, m_output) || (m_port = std::atoi(line)) <= 0)
        ADD_FAILURE() << "the mail server did not start: install python3-aiosmtpd";
}

SmtpSink::~SmtpSink()
{
    if (m_output)
        ::pclose(m_output);
}

nlohmann::json SmtpSink::received()
{
    std::string text;
    char piece[4096];
    while (m_output && std::fgets(piece, sizeof piece, m_output))
        text += piece;
    if (m_output)
        ::pclose(m_output);
    m_output = nullptr;
    try {
        return nlohmann::json::parse(text);
    } catch (const std::exception&) {
        ADD_FAILURE() << "the mail server took no message: " << text;
        return nlohmann::json::object();
    }
}

std::string fromBase64(const std::string& text)
{
    std::string bare;
    for (char c : text)
        if (c != '\r' && c != '\n')
            bare += c;
    std::string decoded(bare.size(), '\0');
    const int length = EVP_DecodeBlock(reinterpret_cast<unsigned char*>(decoded.data()),
                                       reinterpret_cast<const unsigned char*>(bare.data()), static_cast<int>(bare.size()));
    decoded.resize(static_cast<std::size_t>(std::max(length, 0)));
    // EVP_DecodeBlock counts the padding's bytes as zeros.
    const auto padding = static_cast<std::size_t>(std::count(bare.end() - std::min<std::ptrdiff_t>(2, bare.size()), bare.end(), '='));
    decoded.resize(decoded.size() - std::min(padding, decoded.size()));
    return decoded;
}

std::string decodedHeader(const std::string& value)
{
    static const std::regex word(R"(=\?UTF-8\?B\?([A-Za-z0-9+/=]*)\?=(?:\r\n)?\s*)");
    std::string decoded;
    std::sregex_iterator at(value.begin(), value.end(), word), end;
    if (at == end)
        return value;
    for (; at != end; ++at)
        decoded += fromBase64((*at)[1].str());
    return decoded;
}
