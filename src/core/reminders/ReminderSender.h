#pragma once

#include "core/reminders/ReminderMessage.h"
#include "core/reminders/ReminderSettings.h"

#include <atomic>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace talvane::reminders {

// Sends a message to the grower's phone through libcurl: a push notification to an
// ntfy topic, or an e-mail through the grower's mail server. Each send waits for its
// answer; it gives why it failed, said to the grower, or nothing once the server took it.
class ReminderSender {
public:
    static constexpr long kConnectSeconds = 15;
    static constexpr long kSendSeconds = 60;

    // A send under way ends at once when `stop` (if given) is set.
    explicit ReminderSender(const std::atomic<bool>* stop = nullptr) : m_stop(stop) {}

    // POSTs the body to the topic's address, the title, tags and link as ntfy's headers,
    // and the token, when given, as "Authorization: Bearer".
    std::optional<std::string> push(const std::string& topic, const std::optional<std::string>& token,
                                    const ReminderMessage& message) const;
    // Logs in as the settings' user, when there is one, with the password.
    std::optional<std::string> mail(const MailSettings& settings, const std::optional<std::string>& password,
                                    const ReminderMessage& message) const;

private:
    // Whether the send is to end now.
    std::function<bool()> stopped() const;

    const std::atomic<bool>* m_stop;
};

// A header's value that every server takes: a line of ASCII as it is, any other text as
// RFC 2047 encoded words of UTF-8 joined by `fold`. Line breaks and other control
// characters become spaces.
std::string headerValue(std::string_view utf8, std::string_view fold = " ");

// The e-mail as it is sent (RFC 5322, lines ended by CRLF): its headers, dated `now`,
// and the message as UTF-8 text in base64.
std::string mailText(const MailSettings& settings, const ReminderMessage& message, std::time_t now);

} // namespace talvane::reminders
