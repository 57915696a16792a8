#include "Commands.h"

#include "collection/CollectionFile.h"
#include "passport/PassportExport.h"
#include "passport/PassportImport.h"
#include "text/ControlCharacters.h"
#include "text/Windows1252.h"

#include <iostream>
#include <memory>

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
};

void ExportTree(const ExportRequest& request)
{
    refuseToOverwriteOrFail("passport-export", request.out, {request.file}, "a passport");
    const EntryList entries = LoadCollectionOrFail(request.file);
    EntryOrFail(request.file, entries, request.entry);
    PassportExport what;
    what.collectionFile = request.file;
    what.albumFolder = AlbumFolderOf(request.file);
    what.photosFolder = PhotosFolderOf(request.file);
    what.giver = text::Utf8ToCp1252(request.giver);
    what.target = request.out;
    const ExportedPassport exported = exportPassport(entries, static_cast<std::size_t>(request.entry), what);
    if (!exported.problem.empty())
        throw CliFailure(exported.problem);
    for (const std::string& name : exported.leftOut)
        std::cerr << "talvane-cli: " << request.out << ": " << text::ShowControlCharacters(name)
                  << " is missing and was left out\n";
}

void ImportTree(const ImportRequest& request)
{
    refuseToOverwriteOrFail("passport-import", request.file, {request.passport});
    const auto lock = lockCollectionOrFail(request.file);
    EntryList entries;
    SaveBaseline baseline;
    if (const auto failure = LoadCollectionFile(request.file, entries, &baseline))
        throw CliFailure(request.file + ": " + *failure);

    PassportImport what;
    what.passport = request.passport;
    what.albumFolder = AlbumFolderOf(request.file);
    what.photosFolder = PhotosFolderOf(request.file);
    ImportedTree imported = importPassport(what, entries);
    if (!imported.problem.empty())
        throw CliFailure(imported.problem);
    const std::string name((*imported.entry)[CBonsaiData::Name]);
    entries.push_back(std::move(imported.entry));
    CollectionSaveOptions options;
    options.expected = &baseline;
    // A failed save throws before the commit: the placed pictures go with `imported`.
    if (const auto saved = SaveCollectionFile(request.file, entries, options))
        throw CliFailure(request.file + ": " + saved.reason + " (nothing was imported)");
    imported.placed.commit();
    std::cout << entries.size() - 1 << '\t' << PrintedText(name) << '\n';
    if (!imported.receivedNoted)
        std::cerr << "talvane-cli: the tree's journal was written by another program and is kept as it is, "
                     "without the Received event\n";
}

} // namespace

void AddPassportCommands(CLI::App& app)
{
    auto* exportCommand = app.add_subcommand(
        "passport-export", "Write one tree with its album pictures, timeline photos and journal as a passport file");
    auto exportRequest = std::make_shared<ExportRequest>();
    exportCommand->add_option("FILE", exportRequest->file, "the collection file")->required();
    AddNumberOption(*exportCommand, text::kEntryNumberOption, exportRequest->entry, "the entry, counted from 0")->required();
    exportCommand->add_option("OUT", exportRequest->out, "the passport to write (NAME.tvp)")->required();
    exportCommand->add_option("--giver", exportRequest->giver, "who hands the tree on");
    exportCommand->callback([exportRequest] { ExportTree(*exportRequest); });

    auto* importCommand = app.add_subcommand(
        "passport-import", "Add the tree of a passport at the end of the collection, with its pictures, and write it");
    auto importRequest = std::make_shared<ImportRequest>();
    importCommand->add_option("FILE", importRequest->file, "the collection file")->required();
    importCommand->add_option("IN", importRequest->passport, "the passport to import (NAME.tvp)")->required();
    importCommand->callback([importRequest] { ImportTree(*importRequest); });
}
