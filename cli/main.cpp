#include "Commands.h"

#include "core/collection/CollectionFile.h"

#include <iostream>

using namespace talvane::collection;

int main(int argc, char** argv)
{
    CLI::App app{"talvane-cli: batch commands over Talvane collections, species guides and album pictures"};
    app.require_subcommand(1);
    app.set_version_flag("--version", "talvane-cli " TALVANE_VERSION);
    addDumpCommand(app);
    addGuideCommands(app);
    addBmpCommand(app);
    addReportCommand(app);
    addCsvCommands(app);
    addJournalCommands(app);
    addLogCommand(app);
    addFindCommand(app);
    addTimelineCommands(app);
    addServeCommand(app);
    addPassportCommands(app);
    addTokenCommand(app);
    addPairCommand(app);
    addPhonesCommand(app);
    addRemindSetupCommand(app);
    addWatchCommand(app);
    setRollBackNoticeSink([](const std::string& notice) { std::cerr << "talvane-cli: " << notice << ".\n"; });
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    } catch (const CliExit& e) {
        return e.status;
    } catch (const CliFailure& e) {
        std::cerr << "talvane-cli: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
