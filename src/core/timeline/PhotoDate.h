#pragma once

#include "core/journal/CalendarDate.h"

#include <filesystem>
#include <optional>

namespace talvane::timeline {

// The day a photo's camera says it was taken (see picture::PhotoMetadata); nothing when
// it says none, or the file is no photo that can be read.
std::optional<journal::CalendarDate> photoDateTaken(const std::filesystem::path& photo);

} // namespace talvane::timeline
