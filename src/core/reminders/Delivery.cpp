#include "core/reminders/Delivery.h"

#include "core/text/Words.h"

namespace talvane::reminders {

std::vector<Channel> channelsSetUp(const ReminderSettings& settings)
{
    std::vector<Channel> channels;
    if (!settings.ntfyTopic.empty())
        channels.push_back(Channel::Push);
    if (settings.mail.isSetUp())
        channels.push_back(Channel::Mail);
    return channels;
}

std::vector<ChannelOutcome> deliver(const ReminderSettings& settings, const std::vector<Channel>& channels,
                                    const ReminderMessage& message, const Secrets& secrets, const ReminderSender& sender)
{
    std::vector<ChannelOutcome> outcomes;
    for (Channel channel : channels)
        outcomes.push_back({channel, channel == Channel::Push
                                         ? sender.push(settings.ntfyTopic, secrets.pushToken, message)
                                         : sender.mail(settings.mail, secrets.mailPassword, message)});
    return outcomes;
}

std::string outcomeText(const ReminderSettings& settings, const ChannelOutcome& outcome)
{
    if (outcome.failure)
        return *outcome.failure;
    return outcome.channel == Channel::Push
               ? text::sayMessage(SHOWN_TEXT("The push notification was sent to %1."), {settings.ntfyTopic})
               : text::sayMessage(SHOWN_TEXT("The e-mail was sent to %1."), {settings.mail.to});
}

} // namespace talvane::reminders
