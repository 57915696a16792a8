#pragma once

#include "core/journal/CareEvent.h"
#include "core/journal/Journal.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A tree's photos over the years: the events of its journal that name a picture,
// either an album bitmap or an original kept in the timeline's own folder.
namespace talvane::timeline {

// The folder beside the collection that holds timeline photos as they were taken.
inline constexpr std::string_view kPhotosFolderName = "Photos";
// How an event's picture column names a file of that folder: "Photos/<bare name>".
inline constexpr std::string_view kPhotosPrefix = "Photos/";

// The bare name (Windows-1252) a picture column gives in the photo folder, or nothing
// when it names an album bitmap, nothing, or a name that would leave the folder.
std::optional<std::string> photosFolderName(std::string_view picture);
// True for a name that stays inside its folder: not empty, not "." or "..", no slash,
// backslash or control character.
bool isBareFileName(std::string_view name);

// One photo of an event: an event with several photos stands on the timeline once for
// each, at the event's date.
struct TimelinePhoto {
    // The journal line of the event, by which edits name it.
    std::size_t line = 0;
    journal::CareEvent event;
    // The file's bare name (Windows-1252), in the photo folder or the album.
    std::string fileName;
    bool inPhotosFolder = false;
    // Which of the event's pictures() it is.
    std::size_t pictureIndex = 0;

    // Where the file is, given the two folders it may be in.
    std::filesystem::path path(const std::filesystem::path& photosFolder,
                               const std::filesystem::path& albumFolder) const;
    // The photo as the event names it: "Photos/<bare name>", or the album's bare name.
    std::string picture() const;
};

// The photos of the journal's events that can be looked for, oldest first; the photos
// of one day keep the order of their lines, those of one event its order.
std::vector<TimelinePhoto> timelinePhotos(const journal::Journal& journal);
// How many photos timelinePhotos() finds in a journal field, reading in full only the
// lines that name a picture: a list counts them for every tree.
std::size_t timelinePhotoCount(std::string_view journalField);

enum class Season { Winter, Spring, Summer, Autumn };
// The season of a month as a temperate northern garden has it: December to February
// is winter. December counts with the year it is in, so a year's photos stay together.
Season seasonOf(unsigned month);
std::string_view seasonName(Season season);

// The two photos a comparison starts with, as positions in `photos` (oldest first):
// the one nearest a year before the newest ("this time last year"), then the newest.
// Of two as near, the later. Nothing with fewer than two photos.
std::optional<std::pair<std::size_t, std::size_t>> defaultComparison(const std::vector<TimelinePhoto>& photos);

struct GrowthPoint {
    journal::CalendarDate date;
    journal::Measurement measurement;
};
// Every measurement of one kind in the journal, photo or not, oldest first.
std::vector<GrowthPoint> growthSeries(const journal::Journal& journal, journal::MeasureKind kind);

} // namespace talvane::timeline
