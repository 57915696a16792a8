#include "Commands.h"

#include "core/collection/CollectionFile.h"
#include "core/collection/TreeIdentity.h"
#include "core/journal/Journal.h"
#include "core/text/Windows1252.h"
#include "core/timeline/TimelineAdding.h"
#include "core/timeline/TimelinePhoto.h"

#include <iostream>
#include <nlohmann/json.hpp>

using namespace talvane::collection;

namespace {

using namespace talvane::journal;
using namespace talvane::timeline;

struct PhotoAddRequest {
    std::string file;
    long long entry = -1;
    std::string text;
    std::vector<std::string> photos;
};

struct TimelineRequest {
    std::string file;
    long long entry = -1;
};

void addPhotos(const PhotoAddRequest& request)
{
    const auto lock = lockCollectionOrFail(request.file);
    EntryList entries = loadCollectionOrFail(request.file);
    entryOrFail(request.file, entries, request.entry);
    const auto position = static_cast<std::size_t>(request.entry);
    CBonsaiData& entry = *entries[position];
    Journal journal = Journal::read(entry[kJournalField]);
    if (journal.isForeign())
        throw CliFailure(request.file + ": the journal of entry " + std::to_string(request.entry) +
                         " was written by another program and is kept as it is");

    PhotoAddition addition;
    addition.sources.assign(request.photos.begin(), request.photos.end());
    addition.treeName = entry[CBonsaiData::Name];
    addition.treeId = treeIdGivenIfMissing(entries, position);
    addition.text = talvane::text::utf8ToCp1252(request.text);
    const AddedPhotos added = copyPhotosToTimeline(pictureFoldersOf(request.file, entries).photos, addition);
    if (!added.problem.empty())
        throw CliFailure(added.problem + " (nothing was added)");
    for (const CareEvent& event : added.events)
        journal.add(event);
    entry[kJournalField] = journal.text();
    if (const auto failure = saveCollectionFile(request.file, entries)) {
        added.removeCopies();
        throw CliFailure(request.file + ": " + *failure + " (nothing was added)");
    }
    for (const CareEvent& event : added.events)
        std::cout << event.date.text() << '\t' << printedText(event.picture) << '\n';
}

nlohmann::ordered_json measurementsToJson(const std::vector<Measurement>& measurements)
{
    nlohmann::ordered_json out = nlohmann::ordered_json::array();
    for (const Measurement& measurement : measurements)
        out.push_back({{"kind", measureKey(measurement.kind)},
                       {"amount", measurement.amount},
                       {"unit", unitName(measurement.unit)},
                       {"centimetres", measurement.centimetres()}});
    return out;
}

void printTimeline(const TimelineRequest& request)
{
    const EntryList entries = loadCollectionOrFail(request.file);
    const CBonsaiData& entry = entryOrFail(request.file, entries, request.entry);
    const Journal journal = Journal::read(entry[kJournalField]);
    const auto folders = pictureFoldersOf(request.file, entries);
    const auto& photosFolder = folders.photos;
    const auto& albumFolder = folders.album;

    nlohmann::ordered_json photos = nlohmann::ordered_json::array();
    for (const TimelinePhoto& photo : timelinePhotos(journal)) {
        std::error_code error;
        photos.push_back({{"line", photo.line},
                          {"file", talvane::text::cp1252ToUtf8(photo.picture())},
                          {"date", photo.event.date.text()},
                          {"kind", careKindName(photo.event.kind)},
                          {"text", talvane::text::cp1252ToUtf8(photo.event.text)},
                          {"measurements", measurementsToJson(photo.event.measurements)},
                          {"present", std::filesystem::is_regular_file(photo.path(photosFolder, albumFolder), error)}});
    }
    nlohmann::ordered_json measured = nlohmann::ordered_json::array();
    auto events = journal.newestFirst();
    for (auto it = events.rbegin(); it != events.rend(); ++it)
        if (!it->event.measurements.empty())
            measured.push_back({{"line", it->line},
                                {"date", it->event.date.text()},
                                {"kind", careKindName(it->event.kind)},
                                {"measurements", measurementsToJson(it->event.measurements)}});

    nlohmann::ordered_json out{{"entry", request.entry},
                               {"name", talvane::text::cp1252ToUtf8(entry[CBonsaiData::Name])},
                               {"id", std::string(treeIdAt(entries, static_cast<std::size_t>(request.entry)))},
                               {"photosFolder", photosFolder.string()},
                               {"photos", std::move(photos)},
                               {"measured", std::move(measured)}};
    std::cout << out.dump(2) << '\n';
}

} // namespace

void addTimelineCommands(CLI::App& app)
{
    auto* add = app.add_subcommand("photo-add", "Copy photos onto a tree's timeline, one Photo event each, "
                                                "dated by the camera (or the file), and write the collection");
    auto addRequest = std::make_shared<PhotoAddRequest>();
    add->add_option("FILE", addRequest->file, "the collection file")->required();
    addNumberOption(*add, talvane::text::kEntryNumberOption, addRequest->entry, "the entry, counted from 0")->required();
    add->add_option("--text", addRequest->text, "the text of each new event");
    add->add_option("PHOTO", addRequest->photos, "the photos to add")->required();
    add->callback([addRequest] { addPhotos(*addRequest); });

    auto* timeline = app.add_subcommand("timeline", "Print a tree's photos and measurements as JSON, oldest first");
    auto timelineRequest = std::make_shared<TimelineRequest>();
    timeline->add_option("FILE", timelineRequest->file, "the collection file")->required();
    addNumberOption(*timeline, talvane::text::kEntryNumberOption, timelineRequest->entry, "the entry, counted from 0")->required();
    timeline->callback([timelineRequest] { printTimeline(*timelineRequest); });
}
