#include "core/timeline/TimelinePhoto.h"

#include "core/journal/JournalFormat.h"
#include "core/text/Windows1252.h"
#include "core/text/Words.h"

#include <algorithm>
#include <cstdlib>

namespace talvane::timeline {

using journal::CalendarDate;
using journal::Journal;

bool isBareFileName(std::string_view name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return c == '/' || c == '\\' || byte < 0x20 || byte == 0x7F;
    });
}

std::optional<std::string> photosFolderName(std::string_view picture)
{
    if (!picture.starts_with(kPhotosPrefix))
        return std::nullopt;
    picture.remove_prefix(kPhotosPrefix.size());
    if (!isBareFileName(picture))
        return std::nullopt;
    return std::string(picture);
}

std::filesystem::path TimelinePhoto::path(const std::filesystem::path& photosFolder,
                                          const std::filesystem::path& albumFolder) const
{
    return (inPhotosFolder ? photosFolder : albumFolder) / text::cp1252ToUtf8(fileName);
}

std::string TimelinePhoto::picture() const
{
    return inPhotosFolder ? std::string(kPhotosPrefix) + fileName : fileName;
}

namespace {

struct FoundPicture {
    std::string fileName;
    bool inPhotosFolder;
};

// The file a picture names, unless it names one outside the two folders.
std::optional<FoundPicture> findablePicture(const std::string& picture)
{
    if (auto name = photosFolderName(picture))
        return FoundPicture{std::move(*name), true};
    if (isBareFileName(picture))
        return FoundPicture{picture, false};
    return std::nullopt;
}

} // namespace

std::vector<TimelinePhoto> timelinePhotos(const Journal& journal)
{
    std::vector<TimelinePhoto> photos;
    const auto& lines = journal.lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& event = lines[i].event;
        if (!event || event->picture.empty())
            continue;
        const std::vector<std::string> pictures = event->pictures();
        for (std::size_t at = 0; at < pictures.size(); ++at)
            if (auto found = findablePicture(pictures[at]))
                photos.push_back({i, *event, std::move(found->fileName), found->inPhotosFolder, at});
    }
    std::stable_sort(photos.begin(), photos.end(),
                     [](const TimelinePhoto& a, const TimelinePhoto& b) { return a.event.date < b.event.date; });
    return photos;
}

std::size_t timelinePhotoCount(std::string_view journalField)
{
    std::size_t count = 0;
    journal::forEachJournalLine(journalField, [&count](std::string_view line) {
        // A line without a first picture has none: only those with one are read in full.
        const auto columns = journal::quickColumnsOfLine(line);
        if (!columns || columns->picture.empty())
            return;
        if (const auto event = journal::parseEventLine(line))
            for (const std::string& picture : event->pictures())
                count += findablePicture(picture) ? 1 : 0;
    });
    return count;
}

Season seasonOf(unsigned month)
{
    if (month >= 3 && month <= 5)
        return Season::Spring;
    if (month >= 6 && month <= 8)
        return Season::Summer;
    if (month >= 9 && month <= 11)
        return Season::Autumn;
    return Season::Winter;
}

std::string_view seasonName(Season season)
{
    switch (season) {
    case Season::Winter: return SHOWN_TEXT("Winter");
    case Season::Spring: return SHOWN_TEXT("Spring");
    case Season::Summer: return SHOWN_TEXT("Summer");
    case Season::Autumn: return SHOWN_TEXT("Autumn");
    }
    return "Winter";
}

std::optional<std::pair<std::size_t, std::size_t>> defaultComparison(const std::vector<TimelinePhoto>& photos)
{
    if (photos.size() < 2)
        return std::nullopt;
    const std::size_t newest = photos.size() - 1;
    const CalendarDate yearBefore = photos[newest].event.date.plusDays(-365);
    std::size_t best = 0;
    for (std::size_t i = 1; i < newest; ++i) {
        const long distance = std::labs(photos[i].event.date.daysUntil(yearBefore));
        if (distance <= std::labs(photos[best].event.date.daysUntil(yearBefore)))
            best = i;
    }
    return std::pair(best, newest);
}

std::vector<GrowthPoint> growthSeries(const Journal& journal, journal::MeasureKind kind)
{
    std::vector<GrowthPoint> points;
    for (const auto& line : journal.lines()) {
        if (!line.event)
            continue;
        for (const auto& measurement : line.event->measurements)
            if (measurement.kind == kind)
                points.push_back({line.event->date, measurement});
    }
    std::stable_sort(points.begin(), points.end(),
                     [](const GrowthPoint& a, const GrowthPoint& b) { return a.date < b.date; });
    return points;
}

} // namespace talvane::timeline
