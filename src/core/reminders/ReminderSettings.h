#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace talvane::reminders {

// How the connection to the mail server is protected: not at all, by STARTTLS after a
// plain greeting, or by TLS from the start (SMTPS).
enum class MailSecurity { None, StartTls, Tls };

// "none", "starttls", "tls": as the settings file and talvane-cli name them.
std::string_view securityName(MailSecurity security);
std::optional<MailSecurity> securityNamed(std::string_view name);

// The grower's mail server and addresses; the password is kept in the keyring.
struct MailSettings {
    std::string host;
    int port = 0; // 0: the usual port of the security chosen
    MailSecurity security = MailSecurity::StartTls;
    std::string user; // empty: the server is not logged in to
    std::string from;
    std::string to;

    bool isSetUp() const { return !host.empty(); }
    int portToUse() const;

    bool operator==(const MailSettings&) const = default;
};

// How one collection's morning reminders reach the grower: an ntfy topic, an e-mail,
// or both, from the hour given. Secrets are never kept here.
struct ReminderSettings {
    static constexpr int kDefaultHour = 7;

    std::string ntfyTopic; // "https://ntfy.sh/my-bonsai-topic"; empty: no push
    MailSettings mail;
    int hour = kDefaultHour;

    bool isSetUp() const { return !ntfyTopic.empty() || mail.isSetUp(); }

    bool operator==(const ReminderSettings&) const = default;
};

// Why the settings cannot be used, said to the grower; nothing when they can.
std::optional<std::string> settingsProblem(const ReminderSettings& settings);

// $XDG_CONFIG_HOME/talvane/reminders/<hash of the collection's path>.json: read by the
// window and by talvane-cli alike.
std::filesystem::path reminderSettingsFile(const std::filesystem::path& collection);

struct SettingsRead {
    ReminderSettings settings;
    // Why the file could not be read; the settings are then those of nothing set up.
    std::optional<std::string> failure;
};
// A missing file is nothing set up, and no failure.
SettingsRead readReminderSettings(const std::filesystem::path& file);
// Written whole or not at all, in a folder only the user may read; gives why not.
std::optional<std::string> writeReminderSettings(const std::filesystem::path& file, const ReminderSettings& settings);

} // namespace talvane::reminders
