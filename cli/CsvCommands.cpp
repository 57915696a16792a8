#include "Commands.h"

#include "csv/CsvFiles.h"

namespace {

using FileConversion = std::optional<std::string> (*)(const std::filesystem::path&, const std::filesystem::path&);

// `writes` names what OUT becomes, as refuseToOverwriteOrFail takes it.
void AddCsvCommand(CLI::App& app, const char* name, const char* description, const char* input,
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

} // namespace

void AddCsvCommands(CLI::App& app)
{
    AddCsvCommand(app, "export",
                  "Write a collection (.tvn) as a UTF-8 CSV table: a header row of the field names, one row per entry",
                  "FILE.tvn", "OUT.csv", "a CSV table", ExportCollectionCsv);
    AddCsvCommand(app, "import",
                  "Write a collection (.tvn) from a CSV table as export writes it; columns may come in any order or "
                  "be left out. OUT is left untouched when the table is refused",
                  "IN.csv", "OUT.tvn", {}, ImportCollectionCsv);
}
