#include "core/reminders/Keyring.h"

#include "core/text/Words.h"

namespace talvane::reminders {

Secrets keptSecrets(Keyring& keyring, const std::string& collection)
{
    return {keyring.find(collection, SecretKind::PushToken).secret,
            keyring.find(collection, SecretKind::MailPassword).secret};
}

std::string secretName(SecretKind kind)
{
    return kind == SecretKind::PushToken ? text::sayMessage(SHOWN_TEXT("The push access token"))
                                         : text::sayMessage(SHOWN_TEXT("The mail password"));
}

std::optional<std::string> keepGivenSecret(Keyring& keyring, const std::string& collection, SecretKind kind,
                                           bool channelSetUp, const std::optional<std::string>& given)
{
    if (channelSetUp && given && !given->empty()) {
        if (const auto failure = keyring.keep(collection, kind, *given))
            return text::sayMessage(SHOWN_TEXT("%1 cannot be kept: %2. It is written nowhere else: the reminders go "
                                               "without it."),
                                    {secretName(kind), *failure});
    } else if (!channelSetUp || given) {
        // Nothing kept, or no keyring to keep it: nothing is left to forget either way.
        keyring.forget(collection, kind);
    }
    return std::nullopt;
}

} // namespace talvane::reminders
