#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace talvane::reminders {

// The secrets a collection's reminders need, each kept apart from the settings.
enum class SecretKind { PushToken, MailPassword };

// What the keyring gave for a secret.
struct KeptSecret {
    std::optional<std::string> secret; // nothing when none is kept
    std::optional<std::string> failure; // why no keyring answered
};

// Where secrets are kept, one per collection (its key, collectionKey) and kind. The
// program uses the system's; tests give one of their own.
class Keyring {
public:
    virtual ~Keyring() = default;
    virtual KeptSecret find(const std::string& collection, SecretKind kind) = 0;
    // Each gives why it could not, said to the grower; nothing when it could.
    virtual std::optional<std::string> keep(const std::string& collection, SecretKind kind, std::string_view secret) = 0;
    virtual std::optional<std::string> forget(const std::string& collection, SecretKind kind) = 0;
};

// The secrets of one collection, as a send uses them.
struct Secrets {
    std::optional<std::string> pushToken;
    std::optional<std::string> mailPassword;
};
// Those the keyring keeps; one it cannot give is left out.
Secrets keptSecrets(Keyring& keyring, const std::string& collection);

// "The push access token", "The mail password": the secret as messages name it.
std::string secretName(SecretKind kind);

// Keeps a secret the grower just gave (an empty one is forgotten), or forgets the
// secret of a channel no longer set up. Gives what to tell the grower when the secret
// cannot be kept: it is then written nowhere else.
std::optional<std::string> keepGivenSecret(Keyring& keyring, const std::string& collection, SecretKind kind,
                                           bool channelSetUp, const std::optional<std::string>& given);

} // namespace talvane::reminders
