#pragma once

#include <CLI/CLI.hpp>

// Each command of talvane-cli adds its subcommand and callback to the app.
// Failures are reported by throwing CliFailure; main() prints it and exits 1.
void AddDumpCommand(CLI::App& app);
void AddGuideCommands(CLI::App& app);
void AddBmpCommand(CLI::App& app);
void AddReportCommand(CLI::App& app);
void AddCsvCommands(CLI::App& app);

#include <stdexcept>
#include <string>

struct CliFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Thrown by a command that has already written its own failure report:
// main() only exits with the status.
struct CliExit {
    int status;
};
