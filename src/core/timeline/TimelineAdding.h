#pragma once

#include "core/journal/CareEvent.h"

#include <filesystem>
#include <string>
#include <vector>

namespace talvane::timeline {

// Photos to put on one tree's timeline, each as one event.
struct PhotoAddition {
    std::vector<std::filesystem::path> sources;
    // The tree's name and identifier (Windows-1252): the copies are named after the
    // one and the events name the other.
    std::string treeName;
    std::string treeId;
    journal::CareKind kind = journal::CareKind::Photo;
    std::string text;
};

struct AddedPhotos {
    // One event per source, in the order of the sources.
    std::vector<journal::CareEvent> events;
    std::vector<std::filesystem::path> copies;
    // "IMG_0042.HEIC: No such file or directory" for the first photo that could not be
    // copied; empty when every one was. On a problem no copy is kept.
    std::string problem;

    // Takes the copies back out of the photo folder: for a caller whose next step failed.
    void removeCopies() const;
};

// Copies each photo byte for byte into the photo folder, made when missing, and gives
// its event, dated by the day the camera says it was taken, or else the day the file
// was last changed. Stops at the first photo that cannot be copied and removes the
// copies made, so the folder is left as it was.
AddedPhotos copyPhotosToTimeline(const std::filesystem::path& photosFolder, const PhotoAddition& addition);

} // namespace talvane::timeline
