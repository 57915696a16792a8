#pragma once

#include "core/garden/TreeLimits.h"

#include <span>
#include <string_view>

namespace talvane::garden {

// What a species of the shipped guide takes in a pot.
struct SpeciesRow {
    std::string_view species; // genus and species, as the guide names it without a cultivar
    TemperatureLimits limits;
    Vigour vigour;
};

// Every species of the shipped guide; the first of a genus stands for the genus.
std::span<const SpeciesRow> speciesTable();

} // namespace talvane::garden
