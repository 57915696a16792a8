#include "core/timeline/PhotoDate.h"

#include "core/picture/PhotoMetadata.h"

namespace talvane::timeline {

std::optional<journal::CalendarDate> photoDateTaken(const std::filesystem::path& photo)
{
    const auto taken = picture::readPhotoMetadata(photo).dateTaken;
    if (!taken)
        return std::nullopt;
    return journal::CalendarDate::fromYearMonthDay(static_cast<int>(taken->year()), static_cast<unsigned>(taken->month()),
                                                   static_cast<unsigned>(taken->day()));
}

} // namespace talvane::timeline
