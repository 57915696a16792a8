#include "journal/CareEvent.h"

namespace talvane::journal {

std::string_view careKindName(CareKind kind)
{
    switch (kind) {
    case CareKind::Repotting: return "Repotting";
    case CareKind::Pruning: return "Pruning";
    case CareKind::Wiring: return "Wiring";
    case CareKind::WireRemoval: return "Wire removal";
    case CareKind::Defoliation: return "Defoliation";
    case CareKind::Feeding: return "Feeding";
    case CareKind::Treatment: return "Treatment";
    case CareKind::Styling: return "Styling";
    case CareKind::Photo: return "Photo";
    case CareKind::Note: return "Note";
    }
    return "Note";
}

std::optional<CareKind> careKindFromName(std::string_view name)
{
    for (CareKind kind : kCareKinds)
        if (careKindName(kind) == name)
            return kind;
    return std::nullopt;
}

} // namespace talvane::journal
