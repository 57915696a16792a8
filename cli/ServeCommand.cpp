#include "Commands.h"
#include "Reminders.h"

#include "companion/CompanionServer.h"
#include "companion/FileCollectionHost.h"
#include "companion/PairedPhones.h"
#include "companion/ProgramTokens.h"
#include "companion/ServingRecord.h"

#include <csignal>
#include <iostream>
#include <pthread.h>

namespace {

using namespace talvane::companion;

// 0 asks the system for any free port.
const text::NumberOption kPortOption{
    .name = "--port",
    .meaning = "a port number",
    .minimum = 0,
    .maximum = 65535,
    .choices = {},
};

struct ServeRequest {
    std::string file;
    int port = 0;
    std::string bind = "0.0.0.0";
};

void Serve(const ServeRequest& request)
{
    // Ctrl+C and SIGTERM are taken by sigwait below, never by a server thread: they
    // are blocked before any thread starts, and the threads inherit the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    auto opened = FileCollectionHost::open(request.file, std::filesystem::current_path());
    if (auto* failure = std::get_if<std::string>(&opened))
        throw CliFailure(*failure);
    auto& host = *std::get<std::unique_ptr<FileCollectionHost>>(opened);
    CompanionServer server(host);
    ServerOptions options;
    // Changes and refusals go to standard error, which a service's journal keeps.
    options.log = timedLines(std::cerr);
    host.logChangesTo(options.log);
    options.bindAddress = request.bind;
    options.port = request.port;
    const auto collection = std::filesystem::absolute(request.file);
    options.tokenFile = ProgramTokens::fileFor(collection);
    options.phonesFile = PairedPhones::fileFor(collection);
    options.servingFile = ServingRecord::fileFor(collection);
    if (const auto failure = server.start(options))
        throw CliFailure(*failure);

    std::cout << "Serving " << request.file << " to phones on port " << server.port() << ".\n";
    PrintPairingAddress(server.pairingAddress(phoneAddressFor(request.bind)));
    std::cout << "Every change from a phone is written to the file at once. Press Ctrl+C to stop." << std::endl;
    const auto reminders = talvane::reminders::readReminderSettings(talvane::reminders::reminderSettingsFile(request.file));
    if (reminders.settings.isSetUp())
        std::cout << RemindersText(request.file, reminders.settings) << std::endl;
    auto reminding = std::make_unique<ServeReminders>(request.file, host, server);

    int signal = 0;
    sigwait(&stopSignals, &signal);
    // The reminders look at the server: they stop first.
    reminding.reset();
    server.stop();
    std::cout << "Stopped serving " << request.file << "." << std::endl;
}

} // namespace

void AddServeCommand(CLI::App& app)
{
    auto* serve = app.add_subcommand("serve", "Serve a collection to phones on the home network, without a window, "
                                              "writing each change to the file");
    auto request = std::make_shared<ServeRequest>();
    serve->add_option("FILE", request->file, "the collection file")->required();
    AddNumberOption(*serve, kPortOption, request->port, "the port to listen on (any free one by default)");
    serve->add_option("--bind", request->bind, "the address to listen on (every network by default)");
    serve->callback([request] { Serve(*request); });
}
