#include "Commands.h"

#include "core/report/EntryReport.h"

#include <iostream>

using namespace talvane::collection;
using namespace talvane::report;

namespace {

struct ReportRequest {
    std::string file;
    long long entry = -1;
    bool all = false;
};

void printReport(const ReportRequest& request)
{
    const EntryList entries = loadCollectionOrFail(request.file);
    ReportLines lines;
    if (request.all) {
        for (const auto& entry : entries)
            BuildEntryReport(entry.get(), lines, true);
    } else {
        BuildEntryReport(&entryOrFail(request.file, entries, request.entry), lines, false);
    }
    for (const auto& line : lines)
        std::cout << printedText(line) << '\n';
}

} // namespace

void addReportCommand(CLI::App& app)
{
    auto* command = app.add_subcommand("report", "Print the report of one entry, or of the whole collection, as text");
    auto request = std::make_shared<ReportRequest>();
    command->add_option("FILE", request->file, "the collection file")->required();
    auto* entry = addNumberOption(*command, talvane::text::kEntryNumberOption, request->entry, "the entry to report, counted from 0");
    auto* all = command->add_flag("--all", request->all, "every entry, each starting on a new page of 60 lines");
    entry->excludes(all);
    command->callback([command, request, entry, all] {
        if (entry->count() == 0 && all->count() == 0)
            throw CLI::RequiredError("--entry or --all");
        printReport(*request);
    });
}
