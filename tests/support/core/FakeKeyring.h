#pragma once

#include "core/reminders/Keyring.h"

#include <map>
#include <utility>

// A keyring of the test's own: secrets in memory, or no keyring at all while
// `unavailable` says why.
class FakeKeyring : public talvane::reminders::Keyring {
public:
    using Kind = talvane::reminders::SecretKind;

    talvane::reminders::KeptSecret find(const std::string& collection, Kind kind) override
    {
        const auto found = secrets.find({collection, kind});
        if (unavailable || found == secrets.end())
            return {std::nullopt, unavailable};
        return {found->second, std::nullopt};
    }
    std::optional<std::string> keep(const std::string& collection, Kind kind, std::string_view secret) override
    {
        if (!unavailable)
            secrets[{collection, kind}] = secret;
        return unavailable;
    }
    std::optional<std::string> forget(const std::string& collection, Kind kind) override
    {
        if (!unavailable)
            secrets.erase({collection, kind});
        return unavailable;
    }

    std::map<std::pair<std::string, Kind>, std::string> secrets;
    std::optional<std::string> unavailable;
};
