#include "core/reminders/ReminderSettings.h"

#include "core/collection/SafeFile.h"
#include "core/collection/UserFolders.h"
#include "core/text/Words.h"

#include <curl/curl.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <memory>

namespace talvane::reminders {

namespace {

constexpr int kFileVersion = 1;

bool isPlainAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c > ' ' && c < 0x7F; });
}

// A bare address such as "grower@example.org": what an SMTP envelope takes.
bool isMailAddress(std::string_view address)
{
    const std::size_t at = address.find('@');
    return isPlainAscii(address) && at != std::string_view::npos && at > 0 && at + 1 < address.size() &&
           address.find_first_of("@<>()[],;:\"\\", at + 1) == std::string_view::npos &&
           address.substr(0, at).find_first_of("<>()[],;:\"\\") == std::string_view::npos;
}

// An http or https address with a host and a topic after it.
bool isTopicAddress(const std::string& address)
{
    const std::unique_ptr<CURLU, decltype(&curl_url_cleanup)> url(curl_url(), curl_url_cleanup);
    if (!url || !isPlainAscii(address) || curl_url_set(url.get(), CURLUPART_URL, address.c_str(), 0) != CURLUE_OK)
        return false;
    const auto part = [&url](CURLUPart which) {
        char* text = nullptr;
        std::string value;
        if (curl_url_get(url.get(), which, &text, 0) == CURLUE_OK)
            value = text;
        curl_free(text);
        return value;
    };
    const std::string scheme = part(CURLUPART_SCHEME);
    return (scheme == "http" || scheme == "https") && !part(CURLUPART_HOST).empty() && part(CURLUPART_PATH).size() > 1;
}

} // namespace

std::string_view securityName(MailSecurity security)
{
    switch (security) {
    case MailSecurity::None: return "none";
    case MailSecurity::StartTls: return "starttls";
    case MailSecurity::Tls: return "tls";
    }
    return "starttls";
}

std::optional<MailSecurity> securityNamed(std::string_view name)
{
    for (MailSecurity security : {MailSecurity::None, MailSecurity::StartTls, MailSecurity::Tls})
        if (securityName(security) == name)
            return security;
    return std::nullopt;
}

int MailSettings::portToUse() const
{
    if (port != 0)
        return port;
    return security == MailSecurity::Tls ? 465 : security == MailSecurity::StartTls ? 587 : 25;
}

std::optional<std::string> settingsProblem(const ReminderSettings& settings)
{
    using text::sayMessage;
    if (settings.hour < 0 || settings.hour > 23)
        return sayMessage(SHOWN_TEXT("The hour of the morning message is one from 0 to 23."));
    if (!settings.ntfyTopic.empty() && !isTopicAddress(settings.ntfyTopic))
        return sayMessage(SHOWN_TEXT("\u201C%1\u201D is not the address of an ntfy topic, such as "
                                     "https://ntfy.sh/my-bonsai-topic."),
                          {settings.ntfyTopic});
    const MailSettings& mail = settings.mail;
    if (!mail.isSetUp()) {
        if (!mail.user.empty() || !mail.from.empty() || !mail.to.empty())
            return sayMessage(SHOWN_TEXT("Name the mail server (SMTP) that sends the e-mail."));
        return std::nullopt;
    }
    if (!isPlainAscii(mail.host))
        return sayMessage(SHOWN_TEXT("\u201C%1\u201D is not the name of a mail server."), {mail.host});
    if (mail.port < 0 || mail.port > 65535)
        return sayMessage(SHOWN_TEXT("A port is a number from 1 to 65535."));
    for (const std::string* address : {&mail.from, &mail.to})
        if (!isMailAddress(*address))
            return address->empty() ? sayMessage(SHOWN_TEXT("An e-mail needs the address it comes from and the one it goes to."))
                                    : sayMessage(SHOWN_TEXT("\u201C%1\u201D is not an e-mail address."), {*address});
    return std::nullopt;
}

std::filesystem::path reminderSettingsFile(const std::filesystem::path& collection)
{
    return collection::collectionFileIn("XDG_CONFIG_HOME", ".config", "reminders", collection);
}

SettingsRead readReminderSettings(const std::filesystem::path& file)
{
    std::string bytes;
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        return {};
    if (auto failure = collection::readWholeFile(file, bytes))
        return {{}, text::sayMessage(SHOWN_TEXT("The reminder settings %1 cannot be read: %2"), {file.string(), *failure})};
    try {
        const auto json = nlohmann::json::parse(bytes);
        ReminderSettings settings;
        settings.ntfyTopic = json.at("ntfy").at("topic").get<std::string>();
        const auto& mail = json.at("mail");
        settings.mail.host = mail.at("host").get<std::string>();
        settings.mail.port = mail.at("port").get<int>();
        settings.mail.security = securityNamed(mail.at("security").get<std::string>()).value();
        settings.mail.user = mail.at("user").get<std::string>();
        settings.mail.from = mail.at("from").get<std::string>();
        settings.mail.to = mail.at("to").get<std::string>();
        settings.hour = json.at("hour").get<int>();
        return {settings, std::nullopt};
    } catch (const std::exception&) {
        return {{}, text::sayMessage(SHOWN_TEXT("The reminder settings %1 are damaged: set the reminders up again."),
                                     {file.string()})};
    }
}

std::optional<std::string> writeReminderSettings(const std::filesystem::path& file, const ReminderSettings& settings)
{
    const nlohmann::json json = {
        {"version", kFileVersion},
        {"hour", settings.hour},
        {"ntfy", {{"topic", settings.ntfyTopic}}},
        {"mail",
         {{"host", settings.mail.host},
          {"port", settings.mail.port},
          {"security", securityName(settings.mail.security)},
          {"user", settings.mail.user},
          {"from", settings.mail.from},
          {"to", settings.mail.to}}},
    };
    if (const auto failure = collection::writeOwnFile(file, json.dump(2) + "\n"))
        return text::sayMessage(SHOWN_TEXT("The reminder settings %1 cannot be written: %2"), {file.string(), *failure});
    return std::nullopt;
}

} // namespace talvane::reminders
