#include "Commands.h"
#include "Reminders.h"

#include "core/collection/UserFolders.h"
#include "core/reminders/Delivery.h"
#include "core/reminders/SecretServiceKeyring.h"

#include <iostream>

using namespace talvane::collection;

namespace {

using namespace talvane::reminders;

const talvane::text::NumberOption kSmtpPortOption{
    .name = "--smtp-port",
    .meaning = "a port number",
    .minimum = 1,
    .maximum = 65535,
    .choices = {},
};

const talvane::text::NumberOption kHourOption{
    .name = "--hour",
    .meaning = "an hour",
    .minimum = 0,
    .maximum = 23,
    .choices = {},
};

struct RemindSetupRequest {
    std::string file;
    std::optional<std::string> ntfy;
    bool tokenOnInput = false;
    std::optional<std::string> smtpHost;
    std::optional<int> smtpPort;
    std::optional<std::string> smtpUser;
    bool passwordOnInput = false;
    std::optional<std::string> from;
    std::optional<std::string> to;
    std::optional<std::string> security;
    std::optional<int> hour;
    bool test = false;

    bool changesSettings() const
    {
        return ntfy || tokenOnInput || smtpHost || smtpPort || smtpUser || passwordOnInput || from || to || security || hour;
    }
};

// The settings kept, with what the request changes.
ReminderSettings changedSettings(ReminderSettings settings, const RemindSetupRequest& request)
{
    if (request.ntfy)
        settings.ntfyTopic = *request.ntfy;
    // No server, no e-mail: the rest of its settings go with it.
    if (request.smtpHost && request.smtpHost->empty())
        settings.mail = {};
    else if (request.smtpHost)
        settings.mail.host = *request.smtpHost;
    if (request.smtpPort)
        settings.mail.port = *request.smtpPort;
    if (request.smtpUser)
        settings.mail.user = *request.smtpUser;
    if (request.from)
        settings.mail.from = *request.from;
    if (request.to)
        settings.mail.to = *request.to;
    if (request.security)
        settings.mail.security = *securityNamed(*request.security);
    if (request.hour)
        settings.hour = *request.hour;
    if (const auto problem = settingsProblem(settings))
        throw CliFailure(*problem);
    return settings;
}

// One line of standard input: a secret typed or piped, never seen on the command line.
std::string secretLine()
{
    std::string line;
    std::getline(std::cin, line);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

// The secrets the request reads from standard input, in the order of their options.
Secrets secretsOnInput(const RemindSetupRequest& request)
{
    Secrets given;
    if (request.tokenOnInput)
        given.pushToken = secretLine();
    if (request.passwordOnInput)
        given.mailPassword = secretLine();
    return given;
}

void keepSettings(const std::filesystem::path& file, const ReminderSettings& settings, Keyring& keyring,
                  const std::string& collection, const Secrets& given)
{
    if (const auto failure = writeReminderSettings(file, settings))
        throw CliFailure(*failure);
    for (const auto& notKept :
         {keepGivenSecret(keyring, collection, SecretKind::PushToken, !settings.ntfyTopic.empty(), given.pushToken),
          keepGivenSecret(keyring, collection, SecretKind::MailPassword, settings.mail.isSetUp(), given.mailPassword)})
        if (notKept)
            std::cerr << "talvane-cli: " << *notKept << '\n';
}

void sendTestMessage(const std::string& collectionFile, const ReminderSettings& settings, Keyring& keyring,
                     const std::string& collection, const Secrets& given)
{
    if (!settings.isSetUp())
        throw CliFailure("there is nothing to test: give --ntfy or --smtp-host");
    // The secrets just given serve even where no keyring keeps them.
    const Secrets keptSecrets = talvane::reminders::keptSecrets(keyring, collection);
    const Secrets secrets{given.pushToken ? given.pushToken : keptSecrets.pushToken,
                          given.mailPassword ? given.mailPassword : keptSecrets.mailPassword};
    const auto message = testMessage(std::filesystem::path(collectionFile).filename().string(), settings.hour, talvane::text::inEnglish);
    bool failed = false;
    for (const ChannelOutcome& outcome :
         deliver(settings, channelsSetUp(settings), message, secrets, ReminderSender())) {
        failed = failed || outcome.failure;
        (outcome.failure ? std::cerr << "talvane-cli: " : std::cout) << outcomeText(settings, outcome) << '\n';
    }
    if (failed)
        throw CliExit{1};
}

void remindSetup(const RemindSetupRequest& request)
{
    loadCollectionOrFail(request.file);
    const std::string collection = collectionKey(request.file);
    const auto file = reminderSettingsFile(request.file);
    const SettingsRead kept = readReminderSettings(file);
    if (kept.failure && !request.changesSettings())
        throw CliFailure(*kept.failure);
    const ReminderSettings settings = changedSettings(kept.settings, request);
    const Secrets given = secretsOnInput(request);

    SecretServiceKeyring keyring;
    if (request.changesSettings())
        keepSettings(file, settings, keyring, collection, given);
    std::cout << remindersText(request.file, settings) << '\n';
    if (request.test)
        sendTestMessage(request.file, settings, keyring, collection, given);
}

} // namespace

std::string remindersText(const std::string& file, const ReminderSettings& settings)
{
    if (!settings.isSetUp())
        return "No reminder is set up for " + file + ".";
    std::string where;
    if (!settings.ntfyTopic.empty())
        where = "to the ntfy topic " + settings.ntfyTopic;
    if (settings.mail.isSetUp())
        where += (where.empty() ? "" : " and ") + std::string("by e-mail to ") + settings.mail.to;
    return "Each morning from " + std::to_string(settings.hour) + ":00, the care due in " + file + " goes " + where + ".";
}

void addRemindSetupCommand(CLI::App& app)
{
    auto* setup = app.add_subcommand("remind-setup", "Set up the morning reminders of a collection's care due: a push "
                                                     "notification through ntfy, an e-mail, or both");
    auto request = std::make_shared<RemindSetupRequest>();
    setup->add_option("FILE", request->file, "the collection file")->required();
    setup->add_option("--ntfy", request->ntfy, "the address of the ntfy topic, such as https://ntfy.sh/my-bonsai-topic "
                                               "(empty: no push)");
    setup->add_flag("--ntfy-token-stdin", request->tokenOnInput,
                    "reads the topic's access token from the first line of standard input, for the keyring");
    setup->add_option("--smtp-host", request->smtpHost, "the mail server that sends the e-mail (empty: no e-mail)");
    addNumberOption(*setup, kSmtpPortOption, request->smtpPort, "its port (by default 587, 465 with TLS, 25 without)");
    setup->add_option("--smtp-user", request->smtpUser, "the user to log in to the mail server as");
    setup->add_flag("--smtp-password-stdin", request->passwordOnInput,
                    "reads the mail password from the next line of standard input, for the keyring");
    setup->add_option("--from", request->from, "the address the e-mail comes from");
    setup->add_option("--to", request->to, "the address the e-mail goes to");
    setup->add_option("--security", request->security, "how the mail server is reached: starttls (the default), tls or none")
        ->check(CLI::IsMember({"starttls", "tls", "none"}));
    addNumberOption(*setup, kHourOption, request->hour, "the hour from which the morning message goes (7 by default)");
    setup->add_flag("--test", request->test, "sends a test message at once through each channel set up");
    setup->callback([request] { remindSetup(*request); });
}
