#include "Commands.h"

#include "core/journal/CareCalendar.h"
#include "core/journal/DueTasks.h"
#include "core/journal/Journal.h"
#include "core/text/Windows1252.h"

#include <iostream>
#include <nlohmann/json.hpp>

using namespace talvane::collection;

namespace {

using namespace talvane::journal;

// Ten years ahead is as far as a grower plans care.
const talvane::text::NumberOption kWithinOption{
    .name = "--within",
    .meaning = "a whole number of days",
    .minimum = 0,
    .maximum = 3650,
    .choices = {},
};

struct JournalRequest {
    std::string file;
    long long entry = -1;
};

struct DueRequest {
    std::string file;
    int within = kDefaultDueDays;
    std::string ics;
    std::string today;
};

nlohmann::ordered_json eventToJson(const NumberedEvent& numbered)
{
    const CareEvent& event = numbered.event;
    nlohmann::ordered_json out{
        {"line", numbered.line},
        {"date", event.date.text()},
        {"kind", careKindName(event.kind)},
        {"due", event.due ? nlohmann::ordered_json(event.due->text()) : nlohmann::ordered_json(nullptr)},
        {"picture", talvane::text::cp1252ToUtf8(event.picture)},
        {"text", talvane::text::cp1252ToUtf8(event.text)},
    };
    // The photos after the first, where the event holds several.
    if (!event.morePictures.empty()) {
        nlohmann::ordered_json more = nlohmann::ordered_json::array();
        for (const std::string& picture : event.morePictures)
            more.push_back(talvane::text::cp1252ToUtf8(picture));
        out["morePictures"] = std::move(more);
    }
    return out;
}

void printJournal(const JournalRequest& request)
{
    const EntryList entries = loadCollectionOrFail(request.file);
    const CBonsaiData& entry = entryOrFail(request.file, entries, request.entry);
    const Journal journal = Journal::read(entry[kJournalField]);

    nlohmann::ordered_json out{{"entry", request.entry}, {"name", talvane::text::cp1252ToUtf8(entry[CBonsaiData::Name])}};
    out["readable"] = !journal.isForeign();
    if (journal.isForeign())
        out["foreignText"] = talvane::text::cp1252ToUtf8(journal.text());
    nlohmann::ordered_json events = nlohmann::ordered_json::array();
    for (const auto& numbered : journal.newestFirst())
        events.push_back(eventToJson(numbered));
    out["events"] = std::move(events);
    nlohmann::ordered_json unreadable = nlohmann::ordered_json::array();
    for (std::size_t line = 0; line < journal.lines().size(); ++line)
        if (!journal.lines()[line].event)
            unreadable.push_back({{"line", line}, {"text", talvane::text::cp1252ToUtf8(journal.lines()[line].unreadable)}});
    out["unreadableLines"] = std::move(unreadable);
    std::cout << out.dump(2) << '\n';
}

void printDue(const DueRequest& request)
{
    const CalendarDate today = dayOptionOrFail("--today", request.today);
    if (!request.ics.empty())
        refuseToOverwriteOrFail("due", request.ics, {request.file}, "a calendar");
    const EntryList entries = loadCollectionOrFail(request.file);
    const auto tasks = dueTasks(entries, today, request.within);
    for (const DueTask& task : tasks) {
        const std::string name((*entries[task.entry])[CBonsaiData::Name]);
        std::cout << task.due().text() << (task.isOverdue(today) ? "  overdue  " : "           ")
                  << taskTitle(printedText(name), task.event.kind, printedText(firstLineOf(task.event))) << " (entry " << task.entry << ")\n";
    }
    std::cout << dueSummary(tasks.size(), request.within) << '\n';
    if (request.ics.empty())
        return;
    const auto pending = pendingTasks(entries);
    if (const auto failure = writeCareCalendar(request.ics, entries, pending))
        throw CliFailure(*failure);
    std::cout << pending.size() << " pending care tasks written to " << request.ics << '\n';
}

} // namespace

void addJournalCommands(CLI::App& app)
{
    auto* journal = app.add_subcommand("journal", "Print the care journal of one entry as JSON, newest event first");
    auto journalRequest = std::make_shared<JournalRequest>();
    journal->add_option("FILE", journalRequest->file, "the collection file")->required();
    addNumberOption(*journal, talvane::text::kEntryNumberOption, journalRequest->entry, "the entry, counted from 0")->required();
    journal->callback([journalRequest] { printJournal(*journalRequest); });

    auto* due = app.add_subcommand("due", "List the care tasks that are overdue or due soon, and write them as a calendar");
    auto dueRequest = std::make_shared<DueRequest>();
    due->add_option("FILE", dueRequest->file, "the collection file")->required();
    addNumberOption(*due, kWithinOption, dueRequest->within, "days ahead of today to list (default 30)");
    due->add_option("--ics", dueRequest->ics, "also write every pending task to this iCalendar file");
    due->add_option("--today", dueRequest->today, "count from this date (YYYY-MM-DD) instead of the computer's");
    due->callback([dueRequest] { printDue(*dueRequest); });
}
