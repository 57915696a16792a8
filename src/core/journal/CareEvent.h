#pragma once

#include "core/journal/CalendarDate.h"
#include "core/journal/CareRepeat.h"
#include "core/journal/Measurement.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvane::journal {

// Declared in the order kCareKinds lists them.
enum class CareKind {
    Repotting, Pruning, Wiring, WireRemoval, Defoliation, Feeding, Watering, Treatment, Protection, Styling, Photo, Note
};

// Every kind, in the order a list of them shows.
inline constexpr std::array<CareKind, 12> kCareKinds = {
    CareKind::Repotting, CareKind::Pruning,    CareKind::Wiring,  CareKind::WireRemoval, CareKind::Defoliation,
    CareKind::Feeding,   CareKind::Watering,   CareKind::Treatment, CareKind::Protection, CareKind::Styling,
    CareKind::Photo,     CareKind::Note,
};

// The kind's English name, as shown and as stored ("Wire removal").
std::string_view careKindName(CareKind kind);
std::optional<CareKind> careKindFromName(std::string_view name);

// One dated piece of work on a tree. Texts are Windows-1252 bytes, like every field.
struct CareEvent {
    CalendarDate date;
    CareKind kind = CareKind::Note;
    // When the next step falls due ("remove wire by 2027-06-01"); none when nothing is pending.
    std::optional<CalendarDate> due;
    // A bare file name in the album folder, "Photos/" and a bare name in the timeline's
    // photo folder, or empty.
    std::string picture;
    std::string text;
    // The identifier of the tree the event's photo was taken of, so that the photo
    // stays the tree's whatever it is renamed to; empty for none.
    std::string treeId;
    // At most one of each kind, in the order of kMeasureKinds.
    std::vector<Measurement> measurements;
    // How the task comes back once done; kept only with a due date.
    std::optional<CareRepeat> repeat;
    // The pictures after the first, named as `picture` names it: an event shows every
    // photo of the work it records. Only with a picture.
    std::vector<std::string> morePictures = {};

    // Every picture of the event, the picture column's first.
    std::vector<std::string> pictures() const;
    // Names the event's pictures, the first in the picture column; empty names are none.
    void setPictures(std::vector<std::string> names);

    bool operator==(const CareEvent&) const = default;
};

} // namespace talvane::journal
