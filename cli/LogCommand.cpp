#include "Commands.h"

#include "core/collection/CollectionFile.h"
#include "core/garden/Place.h"
#include "core/journal/CareOnTrees.h"
#include "core/text/AsciiCase.h"
#include "core/text/StorableForm.h"
#include "core/text/Windows1252.h"

#include <algorithm>
#include <iostream>

using namespace talvane::collection;

namespace {

using namespace talvane::journal;

struct LogRequest {
    std::string file;
    std::string kind;
    std::string text;
    std::string date;
    std::string place;
    std::vector<long long> entries;
};

CareKind kindOrFail(const std::string& given)
{
    std::string kinds;
    for (const CareKind kind : kCareKinds) {
        if (talvane::text::sameIgnoringAsciiCase(careKindName(kind), given))
            return kind;
        kinds += (kinds.empty() ? "" : ", ") + std::string(careKindName(kind));
    }
    throw CliFailure("--kind " + given + ": not a kind of care; the kinds are " + kinds);
}

// The text as the collection keeps it, as the window keeps a typed one.
std::string storedTextOrFail(const std::string& given)
{
    talvane::text::StorableForm storable = talvane::text::makeStorable(given);
    if (const auto* leftOut = storable.firstLeftOut())
        throw CliFailure("--text: \u201C" + leftOut->typed + "\u201D cannot be stored in a Talvane collection");
    return std::move(storable.cp1252);
}

// The trees at the place and the entries given, in file order; a tree may come twice.
std::vector<std::size_t> chosenTrees(const LogRequest& request, const EntryList& entries)
{
    std::vector<std::size_t> positions;
    if (!request.place.empty()) {
        positions = talvane::garden::treesAt(entries, talvane::text::utf8ToCp1252(request.place));
        if (positions.empty())
            throw CliFailure(request.file + ": no tree stands at \u201C" + request.place + "\u201D");
    }
    for (const long long entry : request.entries) {
        entryOrFail(request.file, entries, entry);
        positions.push_back(static_cast<std::size_t>(entry));
    }
    std::sort(positions.begin(), positions.end());
    return positions;
}

void logCare(const LogRequest& request)
{
    if (request.place.empty() && request.entries.empty())
        throw CliFailure("log: give the trees with --place or --entry");
    const CareEvent event{dayOptionOrFail("--date", request.date), kindOrFail(request.kind), std::nullopt, {},
                          storedTextOrFail(request.text), {}, {}, {}};
    const auto lock = lockCollectionOrFail(request.file);
    EntryList entries = loadCollectionOrFail(request.file);
    auto care = careOnTrees(entries, chosenTrees(request, entries), event);
    if (const auto* refusal = std::get_if<std::string>(&care))
        throw CliFailure(request.file + ": " + *refusal);
    const auto& changes = std::get<std::vector<JournalChange>>(care);
    for (const JournalChange& change : changes) {
        (*entries[change.entry])[kJournalField] = change.journalText;
        treeIdGivenIfMissing(entries, change.entry);
    }
    if (const auto failure = saveCollectionFile(request.file, entries))
        throw CliFailure(request.file + ": " + *failure + " (no tree was logged)");
    for (const JournalChange& change : changes)
        std::cout << change.entry << '\t' << printedText((*entries[change.entry])[CBonsaiData::Name]) << '\n';
}

} // namespace

void addLogCommand(CLI::App& app)
{
    auto* command = app.add_subcommand("log", "Log one care event on several trees at once: those standing at a "
                                              "place, entries given by number, or both; each tree once");
    auto request = std::make_shared<LogRequest>();
    command->add_option("FILE", request->file, "the collection file")->required();
    // Required, but checked here: CLI11 would widen the help's option column with the word.
    command->add_option("--kind", request->kind, "the kind of care, as the journal names it (Watering, Wire removal…); required")
        ->type_name("KIND");
    command->add_option("--text", request->text, "the text of the event; required")->type_name("TEXT");
    command->add_option("--date", request->date, "the day the care was given (YYYY-MM-DD); today by default")
        ->type_name("DATE");
    command->add_option("--place", request->place, "every tree standing at this place")->type_name("NAME");
    addNumberOption(*command, talvane::text::kEntryNumberOption, request->entries, "an entry, counted from 0; may be repeated")
        ->type_name("N")
        ->allow_extra_args(false);
    command->callback([command, request] {
        for (const char* option : {"--kind", "--text"})
            if (command->count(option) == 0)
                throw CliFailure(std::string("log: ") + option + " is required");
        logCare(*request);
    });
}
