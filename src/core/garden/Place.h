#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/collection/FieldCatalogue.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where the trees of a garden stand: a bench, a shelf, a cold frame. Each tree carries
// its place in a spare field, with the place's kind and shelter, so that the file alone
// says where every tree is and how sheltered it is there.
namespace talvane::garden {

using collection::kPlaceField;

enum class PlaceKind { OpenAir, Sheltered, UnheatedGreenhouse, HeatedGreenhouse, Indoors };

inline constexpr std::array<PlaceKind, 5> kPlaceKinds = {PlaceKind::OpenAir, PlaceKind::Sheltered,
                                                         PlaceKind::UnheatedGreenhouse, PlaceKind::HeatedGreenhouse,
                                                         PlaceKind::Indoors};

// As the field, talvane-cli and the phone name a kind: "open-air", "sheltered",
// "greenhouse", "heated-greenhouse", "indoors".
std::string_view placeKindKey(PlaceKind kind);
std::optional<PlaceKind> placeKindFromKey(std::string_view key);
// As a person reads it, in English marked for translation ("Unheated greenhouse").
std::string_view placeKindName(PlaceKind kind);

// How many degrees a kind of place keeps above the open air's low by default: a cold
// frame 4, an unheated greenhouse 6. Heated greenhouses and rooms never freeze.
int defaultShelter(PlaceKind kind);
bool neverFreezes(PlaceKind kind);
// Whether a heat wave outside reaches trees there: everywhere but indoors.
bool takesOutdoorHeat(PlaceKind kind);

// A tree's place. Texts are Windows-1252, like every field.
struct Place {
    std::string name;
    PlaceKind kind = PlaceKind::OpenAir;
    int shelter = 0; // degrees above the open air's low, for the frost watch

    bool operator==(const Place&) const = default;
};

// A new place of a kind, with the kind's shelter.
Place placeOfKind(std::string name, PlaceKind kind);

// The field's text: NAME, TAB, kind key, TAB, shelter in whole degrees ("Bench 1\topen-air\t0").
// Tabs and line ends cannot be part of a name and are taken out of it.
std::string placeFieldText(const Place& place);
// The place a field holds; nothing for a field without a name. A name alone is a place in the
// open air; a kind that is not known, or a shelter that is not a number, reads as the
// open air with no shelter, the name kept, so that the tree is still watched.
std::optional<Place> readPlace(std::string_view fieldText);
std::optional<Place> placeOf(const CBonsaiData& entry);

// The positions of the trees standing at the place of that name, in file order.
std::vector<std::size_t> treesAt(const collection::EntryList& entries, std::string_view placeName);

} // namespace talvane::garden
