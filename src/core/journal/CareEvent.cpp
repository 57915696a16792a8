#include "core/journal/CareEvent.h"

#include "core/text/Words.h"

#include <iterator>

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
    case CareKind::Watering: return SHOWN_TEXT("Watering");
    case CareKind::Treatment: return SHOWN_TEXT("Treatment");
    case CareKind::Protection: return SHOWN_TEXT("Protection");
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

std::vector<std::string> CareEvent::pictures() const
{
    std::vector<std::string> all;
    if (!picture.empty())
        all.push_back(picture);
    for (const std::string& name : morePictures)
        if (!name.empty())
            all.push_back(name);
    return all;
}

void CareEvent::setPictures(std::vector<std::string> names)
{
    std::erase(names, std::string());
    picture = names.empty() ? std::string() : std::move(names.front());
    morePictures.assign(std::make_move_iterator(names.begin() + (names.empty() ? 0 : 1)),
                        std::make_move_iterator(names.end()));
}

} // namespace talvane::journal
