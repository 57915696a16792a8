#include "core/reminders/CurlTransfer.h"

#include "core/text/Words.h"

#include <algorithm>
#include <mutex>

namespace talvane::reminders {

CurlTransfer::CurlTransfer(const TransferLimits& limits, std::function<bool()> stopped)
    : m_handle(nullptr, curl_easy_cleanup), m_limits(limits), m_stopped(std::move(stopped))
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    m_handle.reset(curl_easy_init());
    if (!m_handle)
        return;
    set(CURLOPT_NOSIGNAL, 1L);
    set(CURLOPT_CONNECTTIMEOUT, m_limits.connectSeconds);
    set(CURLOPT_TIMEOUT, m_limits.totalSeconds);
    set(CURLOPT_ERRORBUFFER, m_error);
    set(CURLOPT_WRITEFUNCTION, &CurlTransfer::keepAnswer);
    set(CURLOPT_WRITEDATA, this);
    if (m_stopped) {
        set(CURLOPT_NOPROGRESS, 0L);
        set(CURLOPT_XFERINFOFUNCTION, &CurlTransfer::goOn);
        set(CURLOPT_XFERINFODATA, this);
    }
}

void CurlTransfer::upload(std::string_view bytes)
{
    m_upload = bytes;
    set(CURLOPT_UPLOAD, 1L);
    set(CURLOPT_READFUNCTION, &CurlTransfer::giveUpload);
    set(CURLOPT_READDATA, this);
}

std::optional<std::string> CurlTransfer::perform()
{
    if (!m_handle)
        return std::string(curl_easy_strerror(CURLE_FAILED_INIT));
    const CURLcode result = curl_easy_perform(m_handle.get());
    // A server that says beforehand how long its answer is finds it refused at once.
    m_tooLong = m_tooLong || result == CURLE_FILESIZE_EXCEEDED;
    if (result == CURLE_OK)
        return std::nullopt;
    return m_error[0] ? std::string(m_error) : std::string(curl_easy_strerror(result));
}

long CurlTransfer::responseCode() const
{
    long code = 0;
    curl_easy_getinfo(m_handle.get(), CURLINFO_RESPONSE_CODE, &code);
    return code;
}

std::size_t CurlTransfer::keepAnswer(char* data, std::size_t size, std::size_t count, void* self)
{
    auto& transfer = *static_cast<CurlTransfer*>(self);
    const std::size_t given = size * count;
    const std::size_t room = transfer.m_limits.answerKept - std::min(transfer.m_answer.size(), transfer.m_limits.answerKept);
    if (given > room && transfer.m_limits.refuseLongerAnswer) {
        transfer.m_tooLong = true;
        return 0;
    }
    transfer.m_answer.append(data, std::min(given, room));
    return given;
}

std::size_t CurlTransfer::giveUpload(char* into, std::size_t size, std::size_t count, void* self)
{
    auto& rest = static_cast<CurlTransfer*>(self)->m_upload;
    const std::size_t given = std::min(size * count, rest.size());
    std::copy_n(rest.data(), given, into);
    rest.remove_prefix(given);
    return given;
}

int CurlTransfer::goOn(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<CurlTransfer*>(self)->m_stopped() ? 1 : 0;
}

std::string serverRefusal(long status, std::string_view reason)
{
    return reason.empty()
               ? text::sayMessage(SHOWN_TEXT("the server answered %1"), {std::to_string(status)})
               : text::sayMessage(SHOWN_TEXT("the server answered %1 (%2)"), {std::to_string(status), std::string(reason)});
}

} // namespace talvane::reminders
