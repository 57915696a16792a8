#pragma once

#include "core/reminders/Keyring.h"

namespace talvane::reminders {

// The desktop's keyring, reached through the Secret Service (libsecret): GNOME
// Keyring, KeePassXC, KWallet. Where none answers (a server without a desktop, a
// session without one), every call gives why, and nothing is kept elsewhere. Calls
// wait for the service, so the window makes them away from its own thread or on the
// grower's request.
class SecretServiceKeyring : public Keyring {
public:
    KeptSecret find(const std::string& collection, SecretKind kind) override;
    std::optional<std::string> keep(const std::string& collection, SecretKind kind, std::string_view secret) override;
    std::optional<std::string> forget(const std::string& collection, SecretKind kind) override;
};

} // namespace talvane::reminders
