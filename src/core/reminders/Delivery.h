#pragma once

#include "core/reminders/Keyring.h"
#include "core/reminders/ReminderMessage.h"
#include "core/reminders/ReminderSender.h"
#include "core/reminders/ReminderSettings.h"

#include <optional>
#include <string>
#include <vector>

namespace talvane::reminders {

// The ways a message reaches the grower's phone.
enum class Channel { Push, Mail };

// The channels the settings set up, the push first.
std::vector<Channel> channelsSetUp(const ReminderSettings& settings);

struct ChannelOutcome {
    Channel channel;
    std::optional<std::string> failure; // nothing: the server took the message
};

// Sends the message to each channel in turn, with the secrets given.
std::vector<ChannelOutcome> deliver(const ReminderSettings& settings, const std::vector<Channel>& channels,
                                    const ReminderMessage& message, const Secrets& secrets, const ReminderSender& sender);

// What became of a send: "The push notification was sent to …", or why it was not.
std::string outcomeText(const ReminderSettings& settings, const ChannelOutcome& outcome);

} // namespace talvane::reminders
