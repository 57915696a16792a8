#pragma once

#include <curl/curl.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// One request through libcurl, with the limits every request of the program has: a time
// to connect and a time in all, no signals, an answer kept up to a size, and an end as
// soon as whoever waits says stop.
namespace talvane::reminders {

struct TransferLimits {
    long connectSeconds = 15;
    long totalSeconds = 60;
    std::size_t answerKept = 4096;
    // Past answerKept the transfer ends and fails (a forecast must be whole); otherwise the
    // rest of the answer is only left unkept (a server's reason needs its start).
    bool refuseLongerAnswer = false;
};

class CurlTransfer {
public:
    // `stopped`, when given, is asked as the transfer goes on; true ends it.
    CurlTransfer(const TransferLimits& limits, std::function<bool()> stopped);

    template <typename Value>
    void set(CURLoption option, Value value)
    {
        curl_easy_setopt(m_handle.get(), option, value);
    }

    // The bytes sent as an upload (a mail's text).
    void upload(std::string_view bytes);

    // Gives curl's reason of a failure.
    std::optional<std::string> perform();
    long responseCode() const;
    const std::string& answer() const { return m_answer; }
    // The answer was longer than the limits let it be (and refused, where they say so).
    bool answerTooLong() const { return m_tooLong; }

private:
    static std::size_t keepAnswer(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t giveUpload(char* into, std::size_t size, std::size_t count, void* self);
    static int goOn(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t);

    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> m_handle;
    TransferLimits m_limits;
    std::function<bool()> m_stopped;
    char m_error[CURL_ERROR_SIZE] = {};
    std::string m_answer;
    bool m_tooLong = false;
    std::string_view m_upload;
};

// "the server answered 502", or "the server answered 400 (its reason)".
std::string serverRefusal(long status, std::string_view reason);

} // namespace talvane::reminders
