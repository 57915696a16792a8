#include "core/reminders/ReminderSender.h"

#include "core/reminders/CurlTransfer.h"
#include "core/text/Words.h"

#include <curl/curl.h>
#include <nlohmann/json.hpp>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace talvane::reminders {

namespace {

// What is kept of a server's answer is enough for its reason.
constexpr TransferLimits kLimits{ReminderSender::kConnectSeconds, ReminderSender::kSendSeconds, 4096, false};
// The bytes of UTF-8 in one encoded word, which RFC 2047 keeps within 75 characters.
constexpr std::size_t kEncodedWordBytes = 45;
constexpr std::size_t kBase64LineLength = 76;

std::string base64(std::string_view bytes)
{
    std::string encoded(4 * ((bytes.size() + 2) / 3) + 1, '\0');
    const int length = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(encoded.data()),
                                       reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
    encoded.resize(static_cast<std::size_t>(length));
    return encoded;
}

using CurlList = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

CurlList listOf(const std::vector<std::string>& lines)
{
    curl_slist* list = nullptr;
    for (const std::string& line : lines)
        list = curl_slist_append(list, line.c_str());
    return CurlList(list, curl_slist_free_all);
}

// The reason an HTTP server gives with a refusal: ntfy's "error" field, or its first line.
std::string refusalOf(long status, const std::string& answer)
{
    std::string reason;
    try {
        reason = nlohmann::json::parse(answer).at("error").get<std::string>();
    } catch (const std::exception&) {
        reason = answer.substr(0, std::min(answer.find_first_of("\r\n"), std::size_t{200}));
    }
    return serverRefusal(status, reason);
}

std::string dateHeader(std::time_t now)
{
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm local{};
    ::localtime_r(&now, &local);
    const long minutes = local.tm_gmtoff / 60;
    char text[64];
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d %c%02ld%02ld", kDays[local.tm_wday], local.tm_mday,
                  kMonths[local.tm_mon], local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec,
                  minutes < 0 ? '-' : '+', std::labs(minutes) / 60, std::labs(minutes) % 60);
    return text;
}

std::string messageId(const std::string& from)
{
    unsigned char bytes[16] = {};
    RAND_bytes(bytes, sizeof bytes);
    std::string id = "<";
    for (unsigned char byte : bytes) {
        static constexpr char kHex[] = "0123456789abcdef";
        id += kHex[byte >> 4];
        id += kHex[byte & 0xF];
    }
    return id + from.substr(from.find('@')) + ">";
}

std::string withCrLf(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

} // namespace

std::string headerValue(std::string_view utf8, std::string_view fold)
{
    std::string line(utf8);
    std::replace_if(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, ' ');
    if (std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return line;
    std::string value;
    for (std::size_t at = 0; at < line.size();) {
        std::size_t end = std::min(at + kEncodedWordBytes, line.size());
        // A word ends before a character, never inside one.
        while (end < line.size() && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80)
            --end;
        if (!value.empty())
            value += fold;
        value += "=?UTF-8?B?" + base64(std::string_view(line).substr(at, end - at)) + "?=";
        at = end;
    }
    return value;
}

std::string mailText(const MailSettings& settings, const ReminderMessage& message, std::time_t now)
{
    std::string text = "Date: " + dateHeader(now) + "\r\n" + "From: " + settings.from + "\r\n" + "To: " + settings.to +
                       "\r\n" + "Subject: " + headerValue(message.title, "\r\n ") + "\r\n" +
                       "Message-ID: " + messageId(settings.from) + "\r\n" +
                       "MIME-Version: 1.0\r\n"
                       "Content-Type: text/plain; charset=UTF-8\r\n"
                       "Content-Transfer-Encoding: base64\r\n"
                       "\r\n";
    const std::string body = base64(withCrLf(message.body));
    for (std::size_t at = 0; at < body.size(); at += kBase64LineLength)
        text += body.substr(at, kBase64LineLength) + "\r\n";
    return text;
}

std::function<bool()> ReminderSender::stopped() const
{
    if (!m_stop)
        return {};
    return [stop = m_stop] { return stop->load(); };
}

std::optional<std::string> ReminderSender::push(const std::string& topic, const std::optional<std::string>& token,
                                                const ReminderMessage& message) const
{
    std::vector<std::string> headers = {"Content-Type: text/plain; charset=utf-8", "Title: " + headerValue(message.title),
                                        "Tags: seedling"};
    if (message.link)
        headers.push_back("Click: " + headerValue(*message.link));
    if (token)
        headers.push_back("Authorization: Bearer " + headerValue(*token));
    const CurlList headerList = listOf(headers);
    CurlTransfer transfer(kLimits, stopped());
    transfer.set(CURLOPT_URL, topic.c_str());
    transfer.set(CURLOPT_PROTOCOLS_STR, "http,https");
    transfer.set(CURLOPT_POST, 1L);
    transfer.set(CURLOPT_POSTFIELDS, message.body.c_str());
    transfer.set(CURLOPT_POSTFIELDSIZE, static_cast<long>(message.body.size()));
    transfer.set(CURLOPT_HTTPHEADER, headerList.get());
    auto failure = transfer.perform();
    if (!failure && (transfer.responseCode() < 200 || transfer.responseCode() > 299))
        failure = refusalOf(transfer.responseCode(), transfer.answer());
    if (failure)
        return text::sayMessage(SHOWN_TEXT("The push notification could not be sent to %1: %2."), {topic, *failure});
    return std::nullopt;
}

std::optional<std::string> ReminderSender::mail(const MailSettings& settings, const std::optional<std::string>& password,
                                                const ReminderMessage& message) const
{
    const bool literalV6 = settings.host.find(':') != std::string::npos;
    const std::string server = (literalV6 ? "[" + settings.host + "]" : settings.host) + ":" +
                               std::to_string(settings.portToUse());
    const std::string url = (settings.security == MailSecurity::Tls ? "smtps://" : "smtp://") + server;
    const std::string from = "<" + settings.from + ">";
    const CurlList recipients = listOf({"<" + settings.to + ">"});
    const std::string letter = mailText(settings, message, std::time(nullptr));
    CurlTransfer transfer(kLimits, stopped());
    transfer.set(CURLOPT_URL, url.c_str());
    transfer.set(CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    transfer.set(CURLOPT_USE_SSL, settings.security == MailSecurity::None ? long(CURLUSESSL_NONE) : long(CURLUSESSL_ALL));
    if (!settings.user.empty()) {
        transfer.set(CURLOPT_USERNAME, settings.user.c_str());
        transfer.set(CURLOPT_PASSWORD, password ? password->c_str() : "");
    }
    transfer.set(CURLOPT_MAIL_FROM, from.c_str());
    transfer.set(CURLOPT_MAIL_RCPT, recipients.get());
    transfer.upload(letter);
    if (const auto failure = transfer.perform())
        return text::sayMessage(SHOWN_TEXT("The e-mail could not be sent through %1: %2."), {server, *failure});
    return std::nullopt;
}

} // namespace talvane::reminders
