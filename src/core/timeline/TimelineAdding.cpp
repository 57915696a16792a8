#include "core/timeline/TimelineAdding.h"

#include "core/collection/PosixFile.h"
#include "core/text/Windows1252.h"
#include "core/timeline/PhotoCopy.h"
#include "core/timeline/PhotoDate.h"
#include "core/timeline/TimelinePhoto.h"

#include <ctime>
#include <map>

namespace talvane::timeline {

namespace {

using journal::CalendarDate;

CalendarDate localDate(std::int64_t seconds)
{
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    if (::localtime_r(&time, &parts) == nullptr)
        return CalendarDate::today();
    return CalendarDate::fromYearMonthDay(parts.tm_year + 1900, static_cast<unsigned>(parts.tm_mon + 1),
                                          static_cast<unsigned>(parts.tm_mday))
        .value_or(CalendarDate::today());
}

// Nothing of the addition is left: the staged copies go, and so do those already named.
void giveUp(AddedPhotos& added, const std::vector<StagedPhoto>& staged, const std::filesystem::path& source,
            const std::string& problem)
{
    for (const StagedPhoto& photo : staged)
        photo.discard();
    added.removeCopies();
    added.copies.clear();
    added.events.clear();
    added.problem = source.filename().string() + ": " + problem;
}

// Copies every photo under a temporary name; false, having given up, when one cannot be.
bool stagePhotos(const std::filesystem::path& photosFolder, const PhotoAddition& addition,
                 std::vector<StagedPhoto>& staged, AddedPhotos& added)
{
    for (const auto& source : addition.sources) {
        staged.push_back(stagePhotoCopy(source, photosFolder));
        if (!staged.back().problem.empty()) {
            const std::string problem = staged.back().problem;
            staged.pop_back();
            giveUp(added, staged, source, problem);
            return false;
        }
    }
    return true;
}

// Gives each staged copy its name of the day and tree, and its event; false, having
// given up, when one cannot be named.
bool nameStagedPhotos(const std::filesystem::path& photosFolder, const PhotoAddition& addition,
                      std::vector<StagedPhoto>& staged, AddedPhotos& added)
{
    // A day's photos of one tree share a name but for their numbers: each is tried from
    // the one after the last taken, not from the start again.
    std::map<std::string, int> nextNumber;
    for (std::size_t i = 0; i < staged.size(); ++i) {
        // A photo whose camera kept no date is dated by its file, as its copy keeps it.
        const CalendarDate taken = photoDateTaken(staged[i].temporary).value_or(localDate(staged[i].modifiedSeconds));
        const std::string stem = photoFileStem(taken, addition.treeName);
        int& next = nextNumber[stem + photoExtension(staged[i].source)];
        const CopiedPhoto copy = nameStagedCopy(staged[i], photosFolder, stem, next);
        next = copy.number + 1;
        if (!copy.problem.empty()) {
            // This one is gone already and those before it are named: the rest are staged.
            const auto source = staged[i].source;
            staged.erase(staged.begin(), staged.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            giveUp(added, staged, source, copy.problem);
            return false;
        }
        added.copies.push_back(copy.path);
        added.events.push_back({taken, addition.kind, std::nullopt, std::string(kPhotosPrefix) + copy.name,
                                addition.text, addition.treeId, {}, {}});
    }
    return true;
}

} // namespace

void AddedPhotos::removeCopies() const
{
    removePlacedFiles(copies);
}

AddedPhotos copyPhotosToTimeline(const std::filesystem::path& photosFolder, const PhotoAddition& addition)
{
    AddedPhotos added;
    if (const std::string problem = preparePhotoFolder(photosFolder); !problem.empty()) {
        added.problem = photosFolder.string() + ": " + problem;
        return added;
    }
    // Every photo is copied before any is named, so that one flush makes them all
    // durable and a failure leaves no named copy behind.
    std::vector<StagedPhoto> staged;
    if (!stagePhotos(photosFolder, addition, staged, added))
        return added;
    makeStagedCopiesDurable(photosFolder);
    if (nameStagedPhotos(photosFolder, addition, staged, added))
        collection::syncFolder(photosFolder);
    return added;
}

} // namespace talvane::timeline
