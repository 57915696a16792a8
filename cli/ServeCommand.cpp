#include "Commands.h"
#include "Reminders.h"

#include "core/collection/CollectionLock.h"
#include "core/companion/CompanionServer.h"
#include "core/companion/FileServing.h"
#include "core/companion/ServingRecord.h"

#include <chrono>
#include <csignal>
#include <iostream>
#include <pthread.h>

using namespace talvane::collection;

namespace {

using namespace talvane::companion;

// 0 asks the system for any free port.
const talvane::text::NumberOption kPortOption{
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

using Served = std::unique_ptr<FileServing>;

Served startServing(const ServeRequest& request, int port)
{
    ServerOptions options;
    // Changes and refusals go to standard error, which a service's journal keeps.
    options.log = timedLines(std::cerr);
    options.bindAddress = request.bind;
    options.port = port;
    options.handsOver = true;
    auto started = FileServing::start(request.file, std::filesystem::current_path(), options);
    if (auto* failure = std::get_if<std::string>(&started))
        throw CliFailure(*failure);
    return std::move(std::get<Served>(started));
}

// Waits for `signals` up to `time`; 0 when none came.
int waitForSignal(const sigset_t& signals, std::chrono::milliseconds time)
{
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(time);
    const timespec timeout{static_cast<time_t>(seconds.count()),
                           static_cast<long>(std::chrono::nanoseconds(time - seconds).count())};
    const int signal = sigtimedwait(&signals, nullptr, &timeout);
    return signal > 0 ? signal : 0;
}

// The window that held the collection may still be letting its port go: tried for a
// few seconds. Nothing served when asked to stop meanwhile.
Served startServingAgain(const ServeRequest& request, int port, const sigset_t& stopSignals)
{
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (;;) {
        try {
            return startServing(request, port);
        } catch (const CliFailure&) {
            if (std::chrono::steady_clock::now() >= giveUp)
                throw;
        }
        if (waitForSignal(stopSignals, std::chrono::milliseconds(100)))
            return {};
    }
}

// A window asked for the collection: it is let go, then taken back once the window holds
// it no more (or never took it). False when asked to stop meanwhile.
bool lendToWindow(const std::string& file, const sigset_t& stopSignals)
{
    constexpr auto kPoll = std::chrono::milliseconds(50);
    constexpr auto kWindowTakesIt = std::chrono::seconds(10);
    const auto window = [&] {
        const auto holder = liveLockHolder(file);
        return holder && !isThisProcess(*holder);
    };
    const auto giveUp = std::chrono::steady_clock::now() + kWindowTakesIt;
    while (!window() && std::chrono::steady_clock::now() < giveUp)
        if (waitForSignal(stopSignals, kPoll))
            return false;
    while (window())
        if (waitForSignal(stopSignals, kPoll))
            return false;
    return true;
}

void serve(const ServeRequest& request)
{
    // Ctrl+C, SIGTERM and a window's request are taken by sigwait below, never by a
    // server thread: they are blocked before any thread starts, and the threads inherit
    // the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigset_t signals = stopSignals;
    sigaddset(&signals, ServingRecord::kHandOverSignal);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    Served served = startServing(request, request.port);
    // The phones find it at the same address after each hand-over.
    const int port = served->server().port();
    std::cout << "Serving " << request.file << " to phones on port " << port << ".\n";
    printPairingAddress(served->server().pairingAddress(phoneAddressFor(request.bind)));
    std::cout << "Every change from a phone is written to the file at once. Press Ctrl+C to stop." << std::endl;
    const auto reminders = talvane::reminders::readReminderSettings(talvane::reminders::reminderSettingsFile(request.file));
    if (reminders.settings.isSetUp())
        std::cout << remindersText(request.file, reminders.settings) << std::endl;

    const ServerLog log = timedLines(std::cerr);
    int signal = 0;
    while (sigwait(&signals, &signal) == 0 && signal == ServingRecord::kHandOverSignal) {
        served.reset();
        log("handed the collection to a window");
        if (!lendToWindow(request.file, stopSignals))
            break;
        served = startServingAgain(request, port, stopSignals);
        if (!served)
            break;
        log("took the collection back from the window");
    }
    served.reset();
    std::cout << "Stopped serving " << request.file << "." << std::endl;
}

} // namespace

void addServeCommand(CLI::App& app)
{
    auto* command = app.add_subcommand("serve", "Serve a collection to phones on the home network, without a window, "
                                       "writing each change to the file");
    auto request = std::make_shared<ServeRequest>();
    command->add_option("FILE", request->file, "the collection file")->required();
    addNumberOption(*command, kPortOption, request->port, "the port to listen on (any free one by default)");
    command->add_option("--bind", request->bind, "the address to listen on (every network by default)");
    command->callback([request] { serve(*request); });
}
