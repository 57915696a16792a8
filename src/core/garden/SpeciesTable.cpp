#include "core/garden/SpeciesTable.h"

namespace talvane::garden {

namespace {

using enum Vigour;

// Where the figures come from:
// - lowest: roots in a pot freeze long before roots in the ground, so a tree takes about
//   10 °C less frost in a pot than its species' hardiness in the ground (its USDA hardiness
//   zones, given in the guide's Culture section, and its RHS hardiness rating). Where the
//   guide's Wintering section names the temperature below which the pot needs protecting,
//   that figure is used, and it agrees with that rule. The species the guide keeps indoors
//   are held to about 10 °C, the low end of the indoor ranges it gives (the weeping fig a
//   little more, its range starting higher), the hardier of them (Serissa, Bougainvillea:
//   USDA zones 8 and 9) to 5 °C.
// - highest: the day temperature above which the leaves scorch or growth stops, estimated
//   from the species' native climate and the guide's Position advice (shade from the hot
//   midday sun); a mark for the watch rather than a published rating.
// - vigour: how soon the guide's Wiring section says the wire bites in ("within weeks":
//   fast; "may stay on for a year", "set slowly": slow).
// The first row of a genus is its best-known species, which stands for the genus.
constexpr SpeciesRow kSpecies[] = {
    {"Acer palmatum", {-10, 32}, Medium},
    {"Acer buergerianum", {-5, 38}, Fast},
    {"Acer campestre", {-15, 35}, Fast},
    {"Juniperus chinensis", {-10, 38}, Medium},
    {"Juniperus procumbens", {-10, 36}, Medium}, // the guide's 'Nana'
    {"Juniperus communis", {-15, 32}, Slow},
    {"Pinus thunbergii", {-10, 38}, Slow},
    {"Pinus parviflora", {-10, 32}, Slow},
    {"Pinus sylvestris", {-15, 32}, Slow},
    {"Pinus mugo", {-15, 32}, Slow},
    {"Ulmus parvifolia", {-10, 38}, Fast},
    {"Zelkova serrata", {-10, 35}, Medium},
    {"Carpinus betulus", {-15, 32}, Medium},
    {"Carpinus turczaninowii", {-10, 32}, Medium},
    {"Fagus sylvatica", {-15, 30}, Slow},
    {"Rhododendron indicum", {-5, 32}, Slow},
    {"Larix decidua", {-15, 30}, Medium},
    {"Taxus baccata", {-10, 30}, Slow},
    {"Olea europaea", {-5, 40}, Medium},
    {"Punica granatum", {-5, 40}, Medium},
    {"Malus sylvestris", {-15, 35}, Medium},
    {"Chaenomeles japonica", {-10, 35}, Medium},
    {"Pyracantha coccinea", {-10, 38}, Medium},
    {"Wisteria sinensis", {-10, 38}, Slow},
    {"Ginkgo biloba", {-15, 38}, Slow},
    {"Lagerstroemia indica", {-5, 40}, Medium},
    {"Prunus mume", {-10, 35}, Medium},
    {"Cryptomeria japonica", {-10, 32}, Medium},
    {"Chamaecyparis obtusa", {-10, 32}, Slow},
    {"Buxus sempervirens", {-10, 35}, Slow},
    {"Ficus microcarpa", {10, 38}, Fast},
    {"Ficus benjamina", {12, 35}, Fast},
    {"Carmona microphylla", {10, 35}, Medium},
    {"Portulacaria afra", {10, 38}, Medium},
    {"Serissa japonica", {5, 32}, Medium},
    {"Schefflera arboricola", {10, 35}, Medium},
    {"Crassula ovata", {10, 35}, Medium},
    {"Bougainvillea glabra", {5, 40}, Fast},
};

} // namespace

std::span<const SpeciesRow> speciesTable()
{
    return kSpecies;
}

} // namespace talvane::garden
