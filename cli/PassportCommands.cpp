#include "Commands.h"

#include "core/collection/CollectionFile.h"
#include "core/journal/Journal.h"
#include "core/passport/PassportExport.h"
#include "core/passport/PassportImport.h"
#include "core/passport/PassportUpdate.h"
#include "core/text/ControlCharacters.h"
#include "core/text/Windows1252.h"

#include <algorithm>
#include <iostream>
#include <memory>

using namespace talvane::collection;

namespace {

using namespace talvane::passport;

struct ExportRequest {
    std::string file;
    long long entry = -1;
    std::string out;
    std::string giver;
};

struct ImportRequest {
    std::string file;
    std::string passport;
    bool copy = false;
};

void exportTree(const ExportRequest& request)
{
    refuseToOverwriteOrFail("passport-export", request.out, {request.file}, "a passport");
    const EntryList entries = loadCollectionOrFail(request.file);
    entryOrFail(request.file, entries, request.entry);
    PassportExport what;
    what.collectionFile = request.file;
    const auto folders = pictureFoldersOf(request.file, entries);
    what.albumFolder = folders.album;
    what.photosFolder = folders.photos;
    what.giver = talvane::text::utf8ToCp1252(request.giver);
    what.target = request.out;
    const ExportedPassport exported = exportPassport(entries, static_cast<std::size_t>(request.entry), what);
    if (!exported.problem.empty())
        throw CliFailure(exported.problem);
    for (const std::string& name : exported.leftOut)
        std::cerr << "talvane-cli: " << request.out << ": " << talvane::text::showControlCharacters(name)
                  << " is missing and was left out\n";
}

// "1 picture", "3 pictures".
std::string counted(std::size_t count, std::string_view thing)
{
    return std::to_string(count) + ' ' + std::string(thing) + (count == 1 ? "" : "s");
}

// Writes the collection with what the passport brought; a failed save fails the command,
// and the pictures placed are taken back out with `placed`.
void saveImport(const ImportRequest& request, const EntryList& entries, const SaveBaseline& baseline, PlacedFiles& placed)
{
    CollectionSaveOptions options;
    options.expected = &baseline;
    if (const auto saved = saveCollectionFile(request.file, entries, options))
        throw CliFailure(request.file + ": " + saved.reason + " (nothing was imported)");
    placed.commit();
}

void addTree(const ImportRequest& request, const PassportImport& what, EntryList& entries, const SaveBaseline& baseline)
{
    ImportedTree imported = importPassport(what, entries);
    if (!imported.problem.empty())
        throw CliFailure(imported.problem);
    const std::string name((*imported.entry)[CBonsaiData::Name]);
    const auto journal = talvane::journal::Journal::read((*imported.entry)[talvane::journal::kJournalField]);
    const auto events = std::count_if(journal.lines().begin(), journal.lines().end(),
                                      [](const auto& line) { return line.event.has_value(); });
    const std::size_t pictures = imported.placed.files().size();
    entries.push_back(std::move(imported.entry));
    saveImport(request, entries, baseline, imported.placed);
    std::cout << entries.size() - 1 << '\t' << printedText(name) << '\t'
              << (imported.givenNewId ? "added as a separate copy with " : "added with ")
              << counted(static_cast<std::size_t>(events), "event") << " and " << counted(pictures, "picture") << '\n';
    if (!imported.receivedNoted)
        std::cerr << "talvane-cli: the tree's journal was written by another program and is kept as it is, "
                     "without the Received event\n";
}

void updateTree(const ImportRequest& request, const PassportImport& what, EntryList& entries, const SaveBaseline& baseline)
{
    TreeUpdate update = updateFromPassport(what, entries);
    if (!update.problem.empty())
        throw CliFailure(update.problem);
    CBonsaiData& tree = *entries[update.position];
    const std::size_t pictures = update.placed.files().size();
    std::cout << update.position << '\t' << printedText(tree[CBonsaiData::Name]) << '\t';
    if (update.values.empty()) {
        std::cout << "up to date: nothing added\n";
    } else {
        for (const auto& [field, value] : update.values)
            tree[field] = value;
        saveImport(request, entries, baseline, update.placed);
        std::cout << "updated: " << counted(update.eventsAdded, "event") << " and " << counted(pictures, "picture")
                  << " added\n";
    }
    if (update.albumPicturesLeftOut > 0)
        std::cerr << "talvane-cli: the tree's album had no empty place for " << counted(update.albumPicturesLeftOut, "picture")
                  << " of the passport\n";
    if (update.journalForeign)
        std::cerr << "talvane-cli: a journal written by another program takes no events: none was added\n";
}

void importTree(const ImportRequest& request)
{
    refuseToOverwriteOrFail("passport-import", request.file, {request.passport});
    const auto lock = lockCollectionOrFail(request.file);
    EntryList entries;
    SaveBaseline baseline;
    if (const auto failure = loadCollectionFile(request.file, entries, &baseline))
        throw CliFailure(request.file + ": " + *failure);

    PassportImport what;
    what.passport = request.passport;
    const auto folders = pictureFoldersOf(request.file, entries);
    what.albumFolder = folders.album;
    what.photosFolder = folders.photos;
    const HeldTree held = findHeldTree(what, entries);
    if (!held.problem.empty())
        throw CliFailure(held.problem);
    if (held.position && !request.copy)
        updateTree(request, what, entries, baseline);
    else
        addTree(request, what, entries, baseline);
}

} // namespace

void addPassportCommands(CLI::App& app)
{
    auto* exportCommand = app.add_subcommand(
        "passport-export", "Write one tree with its album pictures, timeline photos and journal as a passport file");
    auto exportRequest = std::make_shared<ExportRequest>();
    exportCommand->add_option("FILE", exportRequest->file, "the collection file")->required();
    addNumberOption(*exportCommand, talvane::text::kEntryNumberOption, exportRequest->entry, "the entry, counted from 0")->required();
    exportCommand->add_option("OUT", exportRequest->out, "the passport to write (NAME.tvp)")->required();
    exportCommand->add_option("--giver", exportRequest->giver, "who hands the tree on");
    exportCommand->callback([exportRequest] { exportTree(*exportRequest); });

    auto* importCommand = app.add_subcommand(
        "passport-import", "Add the tree of a passport at the end of the collection, with its pictures, and write it; "
                           "a tree the collection holds already is brought up to date instead");
    auto importRequest = std::make_shared<ImportRequest>();
    importCommand->add_option("FILE", importRequest->file, "the collection file")->required();
    importCommand->add_option("IN", importRequest->passport, "the passport to import (NAME.tvp)")->required();
    importCommand->add_flag("--copy", importRequest->copy,
                            "add a separate copy, with an identifier of its own, of a tree the collection holds already, "
                            "instead of adding to that tree the journal events and pictures it lacks");
    importCommand->callback([importRequest] { importTree(*importRequest); });
}
