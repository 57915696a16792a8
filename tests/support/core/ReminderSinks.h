#pragma once

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// An ntfy server on loopback: answers every POST with the status and answer given,
// and keeps what it was sent. While `held` is set, it answers nothing until released.
class NtfySink {
public:
    struct Post {
        std::string path;
        httplib::Headers headers;
        std::string body;
    };

    explicit NtfySink(int status = 200, std::string answer = R"({"id":"sent","event":"message"})");
    ~NtfySink();

    // "http://127.0.0.1:PORT/bonsai".
    std::string topic() const;
    std::vector<Post> posts() const;

    // Holds every answer until release(), or for 20 seconds at most.
    void hold();
    void release();

private:
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_held = false;
    std::vector<Post> m_posts;
};

// A mail server on loopback (Debian's python3-aiosmtpd, tests/support/smtp_sink.py)
// that logs in every user whose password is not "wrong", offers no STARTTLS, and
// takes one message.
class SmtpSink {
public:
    SmtpSink();
    ~SmtpSink();

    int port() const { return m_port; }
    // The message taken: {"from", "to": [...], "login", "password", "content"}; waits
    // for it, or for the server to give up.
    nlohmann::json received();

private:
    FILE* m_output = nullptr;
    int m_port = 0;
};

// The text of a header made of RFC 2047 encoded words, decoded; other text as it is.
std::string decodedHeader(const std::string& value);
// Base64 decoded, line breaks skipped.
std::string fromBase64(const std::string& text);
