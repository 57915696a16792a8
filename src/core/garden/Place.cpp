#include "core/garden/Place.h"

#include "core/text/Words.h"

#include <charconv>
#include <utility>

namespace talvane::garden {

namespace {

// A shelter beyond this is not a number a grower meant.
constexpr int kMostShelter = 50;

std::optional<int> shelterFrom(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < -kMostShelter || value > kMostShelter)
        return std::nullopt;
    return value;
}

} // namespace

std::string_view placeKindKey(PlaceKind kind)
{
    switch (kind) {
    case PlaceKind::OpenAir: return "open-air";
    case PlaceKind::Sheltered: return "sheltered";
    case PlaceKind::UnheatedGreenhouse: return "greenhouse";
    case PlaceKind::HeatedGreenhouse: return "heated-greenhouse";
    case PlaceKind::Indoors: return "indoors";
    }
    return "open-air";
}

std::optional<PlaceKind> placeKindFromKey(std::string_view key)
{
    for (PlaceKind kind : kPlaceKinds)
        if (placeKindKey(kind) == key)
            return kind;
    return std::nullopt;
}

std::string_view placeKindName(PlaceKind kind)
{
    switch (kind) {
    case PlaceKind::OpenAir: return SHOWN_TEXT("Open air");
    case PlaceKind::Sheltered: return SHOWN_TEXT("Sheltered (cold frame)");
    case PlaceKind::UnheatedGreenhouse: return SHOWN_TEXT("Unheated greenhouse");
    case PlaceKind::HeatedGreenhouse: return SHOWN_TEXT("Heated greenhouse");
    case PlaceKind::Indoors: return SHOWN_TEXT("Indoors");
    }
    return SHOWN_TEXT("Open air");
}

int defaultShelter(PlaceKind kind)
{
    switch (kind) {
    case PlaceKind::Sheltered: return 4;
    case PlaceKind::UnheatedGreenhouse: return 6;
    case PlaceKind::OpenAir:
    case PlaceKind::HeatedGreenhouse:
    case PlaceKind::Indoors: return 0;
    }
    return 0;
}

bool neverFreezes(PlaceKind kind)
{
    return kind == PlaceKind::HeatedGreenhouse || kind == PlaceKind::Indoors;
}

bool takesOutdoorHeat(PlaceKind kind)
{
    return kind != PlaceKind::Indoors;
}

Place placeOfKind(std::string name, PlaceKind kind)
{
    return {std::move(name), kind, defaultShelter(kind)};
}

std::string placeFieldText(const Place& place)
{
    std::string text;
    for (char c : place.name)
        if (c != '\t' && c != '\r' && c != '\n')
            text += c;
    text += '\t';
    text += placeKindKey(place.kind);
    text += '\t';
    text += std::to_string(place.shelter);
    return text;
}

std::optional<Place> readPlace(std::string_view fieldText)
{
    const std::size_t firstTab = fieldText.find('\t');
    Place place{std::string(fieldText.substr(0, firstTab))};
    if (place.name.empty())
        return std::nullopt;
    if (firstTab == std::string_view::npos)
        return place;
    const std::string_view rest = fieldText.substr(firstTab + 1);
    const std::size_t secondTab = rest.find('\t');
    if (secondTab == std::string_view::npos)
        return place;
    const auto kind = placeKindFromKey(rest.substr(0, secondTab));
    const auto shelter = shelterFrom(rest.substr(secondTab + 1));
    if (kind && shelter) {
        place.kind = *kind;
        place.shelter = *shelter;
    }
    return place;
}

std::optional<Place> placeOf(const CBonsaiData& entry)
{
    return readPlace(entry[kPlaceField]);
}

std::vector<std::size_t> treesAt(const collection::EntryList& entries, std::string_view placeName)
{
    std::vector<std::size_t> positions;
    for (std::size_t position = 0; position < entries.size(); ++position) {
        const auto place = placeOf(*entries[position]);
        if (place && place->name == placeName)
            positions.push_back(position);
    }
    return positions;
}

} // namespace talvane::garden
