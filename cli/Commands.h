#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/collection/CollectionLock.h"
#include "core/journal/CalendarDate.h"
#include "core/text/NumberOption.h"
#include "core/timeline/PictureFolders.h"

#include <CLI/CLI.hpp>

// Each command of talvane-cli adds its subcommand and callback to the app.
// Failures are reported by throwing CliFailure; main() prints it and exits 1.
void addDumpCommand(CLI::App& app);
void addGuideCommands(CLI::App& app);
void addBmpCommand(CLI::App& app);
void addReportCommand(CLI::App& app);
void addCsvCommands(CLI::App& app);
void addJournalCommands(CLI::App& app);
void addFindCommand(CLI::App& app);
void addTimelineCommands(CLI::App& app);
void addServeCommand(CLI::App& app);
void addPassportCommands(CLI::App& app);
void addTokenCommand(CLI::App& app);
void addPairCommand(CLI::App& app);
void addPhonesCommand(CLI::App& app);
void addRemindSetupCommand(CLI::App& app);
void addWatchCommand(CLI::App& app);
void addLogCommand(CLI::App& app);

// Prints the address a phone opens to pair, and its QR code, as serve and pair do.
void printPairingAddress(const std::string& address);

// Adds the option as the number option names it. A text that is not one of its
// numbers fails the command with the option's one-line message instead of CLI11's
// report; the option's number must fit in Number.
CLI::Validator numberValidator(const talvane::text::NumberOption& option);
template <typename Number>
CLI::Option* addNumberOption(CLI::App& command, const talvane::text::NumberOption& option, Number& value,
                             const std::string& description)
{
    return command.add_option(std::string(option.name), value, description)->transform(numberValidator(option));
}

// The day an option ("--today", "--date") gives as YYYY-MM-DD; today when it is not given.
// Another text fails the command.
talvane::journal::CalendarDate dayOptionOrFail(std::string_view option, const std::string& given);

// find's status when no entry matches, apart from a file that cannot be read (1).
constexpr int kFindNoMatchStatus = 2;

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct CliFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The entries of a collection file; a file that cannot be read, or is damaged,
// fails the command with the reason.
talvane::collection::EntryList loadCollectionOrFail(const std::string& file);
// The entry at a position counted from 0; a position outside the collection fails
// the command.
const CBonsaiData& entryOrFail(const std::string& file, const talvane::collection::EntryList& entries, long long position);

// The tree's identifier, given now in `entries` when it has none and may have one: a
// command that writes care or photos to a tree identifies it, as the window does.
std::string treeIdGivenIfMissing(talvane::collection::EntryList& entries, std::size_t position);

// The folders of a collection's album pictures and timeline photos, found as the
// window finds them, with the folder the command runs in as the start folder.
talvane::timeline::PictureFolders pictureFoldersOf(const std::string& file, const talvane::collection::EntryList& entries);

// A tree's text (Windows-1252) as a command prints it: UTF-8, with its control
// characters shown as escapes when standard output is a terminal, which would act on
// them; into a file or a pipe the text goes unchanged.
std::string printedText(std::string_view treeText);

// Fails the command, writing nothing, where it must not write `output`: one of its
// `inputs`, a Talvane collection, or a file whose collection lock a live process holds.
// `writes` names what the command writes ("a calendar"); empty for a collection, which
// may replace one under the lock the command takes.
void refuseToOverwriteOrFail(std::string_view command, const std::string& output,
                             const std::vector<std::filesystem::path>& inputs, std::string_view writes = {});

// Writes a file that is not a collection, whole or not at all: a failed write leaves
// an earlier file there as it was, and fails the command.
void writeOutputOrFail(const std::string& file, std::string_view bytes);

// The lock of a collection a command is about to write; fails the command while a live
// process holds it. Nothing where no lock can be made: the save then says why.
std::optional<talvane::collection::CommandLock> lockCollectionOrFail(const std::string& file);

// Thrown by a command that has already written its own failure report:
// main() only exits with the status.
struct CliExit {
    int status;
};
