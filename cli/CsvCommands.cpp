#include "Commands.h"

#include "core/csv/CsvFiles.h"

#include <functional>
#include <iostream>

using namespace talvane::csv;

namespace {

using FileConversion = std::function<std::optional<std::string>(const std::string& input, const std::string& output)>;

// `writes` names what OUT becomes, as refuseToOverwriteOrFail takes it.
void addCsvCommand(CLI::App& app, const char* name, const char* description, const char* input,
                   const char* output, std::string_view writes, FileConversion convert)
{
    auto* command = app.add_subcommand(name, description);
    auto files = std::make_shared<std::pair<std::string, std::string>>();
    command->add_option(input, files->first, "the file to read")->required();
    command->add_option(output, files->second, "the file to write")->required();
    command->callback([name, writes, files, convert] {
        refuseToOverwriteOrFail(name, files->second, {files->first}, writes);
        if (const auto failure = convert(files->first, files->second))
            throw CliFailure(*failure);
    });
}

// Says what became of the table's journals: those a spreadsheet had given LF line
// breaks, and those that still cannot be read.
void tellJournals(const std::string& csvFile, const CsvJournals& journals)
{
    if (journals.restored > 0)
        std::cout << csvFile << ": " << journals.restored << (journals.restored == 1 ? " journal" : " journals")
                  << " had LF line breaks, as a spreadsheet writes them, and " << (journals.restored == 1 ? "was" : "were")
                  << " read as written with CR LF\n";
    const std::size_t unreadable = journals.unreadableRows.size();
    const std::size_t firstRow = unreadable > 0 ? journals.unreadableRows.front() : 0;
    if (unreadable == 1)
        std::cerr << "talvane-cli: " << csvFile << ": the journal (Spare114) of row " << firstRow
                  << " cannot be read and is kept as it is\n";
    else if (unreadable > 1)
        std::cerr << "talvane-cli: " << csvFile << ": the journals (Spare114) of " << unreadable
                  << " trees cannot be read and are kept as they are, the first in row " << firstRow << "\n";
}

std::optional<std::string> importAndTell(const std::string& csvFile, const std::string& tvnFile)
{
    CsvJournals journals;
    auto failure = importCollectionCsv(csvFile, tvnFile, &journals);
    if (!failure)
        tellJournals(csvFile, journals);
    return failure;
}

} // namespace

void addCsvCommands(CLI::App& app)
{
    addCsvCommand(app, "export",
                  "Write a collection (.tvn) as a UTF-8 CSV table: a header row of the field names, one row per entry",
                  "FILE.tvn", "OUT.csv", "a CSV table",
                  [](const std::string& tvnFile, const std::string& csvFile) { return exportCollectionCsv(tvnFile, csvFile); });
    addCsvCommand(app, "import",
                  "Write a collection (.tvn) from a CSV table as export writes it; columns may come in any order or "
                  "be left out. OUT is left untouched when the table is refused",
                  "IN.csv", "OUT.tvn", {}, importAndTell);
}
