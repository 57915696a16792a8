#include "Commands.h"

#include "core/collection/CollectionFile.h"

#include <iostream>

int main(int argc, char** argv)
{
    CLI::App app{"talvane-cli: batch commands over Talvane collections, species guides and album pictures"};
    app.require_subcommand(1);
    app.set_version_flag("--version", "talvane-cli " TALVANE_VERSION);
    AddDumpCommand(app);
    AddGuideCommands(app);
    AddBmpCommand(app);
    AddReportCommand(app);
    AddCsvCommands(app);
    AddJournalCommands(app);
    AddFindCommand(app);
    AddTimelineCommands(app);
    AddServeCommand(app);
    AddPassportCommands(app);
    AddTokenCommand(app);
    AddPairCommand(app);
    AddPhonesCommand(app);
    AddRemindSetupCommand(app);
    SetRollBackNoticeSink([](const std::string& notice) { std::cerr << "talvane-cli: " << notice << ".\n"; });
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
