#include "journal/CareEvent.h"

#include "text/Words.h"

namespace talvane::journal {

std::string_view careKindName(CareKind kind)
{
    switch (kind) {
    case CareKind::Repotting: return SHOWN_TEXT("Repotting");
    case CareKind::Pruning: return SHOWN_TEXT("Pruning");
    case CareKind::Wiring: return SHOWN_TEXT("Wiring");
    case CareKind::WireRemoval: return SHOWN_TEXT("Wire removal");
    case CareKind::Defoliation: return SHOWN_TEXT("Defoliation");
    case CareKind::Feeding: return SHOWN_TEXT("Feeding");
    case CareKind::Treatment: return SHOWN_TEXT("Treatment");
    case CareKind::Styling: return SHOWN_TEXT("Styling");
    case CareKind::Photo: return SHOWN_TEXT("Photo");
    case CareKind::Note: return SHOWN_TEXT("Note");
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
