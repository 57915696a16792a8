#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace talvane::journal {

// What a grower measures to follow a tree's growth.
enum class MeasureKind { Height, Trunk, Nebari, Canopy };

// Every kind, in the order they are stored, listed and charted.
inline constexpr std::array<MeasureKind, 4> kMeasureKinds = {
    MeasureKind::Height, MeasureKind::Trunk, MeasureKind::Nebari, MeasureKind::Canopy};

enum class LengthUnit { Millimetre, Centimetre, Metre, Inch };

inline constexpr std::array<LengthUnit, 4> kLengthUnits = {
    LengthUnit::Millimetre, LengthUnit::Centimetre, LengthUnit::Metre, LengthUnit::Inch};

// The key a measurement is stored under ("height", "trunk", "nebari", "canopy").
std::string_view measureKey(MeasureKind kind);
// Its name for people ("Height", "Trunk diameter", "Nebari width", "Canopy width").
std::string_view measureName(MeasureKind kind);
// "mm", "cm", "m", "in".
std::string_view unitName(LengthUnit unit);
// How many centimetres one unit is.
double centimetresPer(LengthUnit unit);
std::optional<LengthUnit> unitFromName(std::string_view name);

// One measurement of a tree. The amount is kept as the decimal text it was given
// ("42", "3.5"), so that a journal line is written back with the bytes it was read.
struct Measurement {
    MeasureKind kind = MeasureKind::Height;
    std::string amount;
    LengthUnit unit = LengthUnit::Centimetre;

    double centimetres() const;
    // "42.5 cm".
    std::string text() const;
    // "height=42.5cm", as a journal line holds it.
    std::string stored() const;

    bool operator==(const Measurement&) const = default;
};

// True for the amounts a measurement keeps: 1 to 6 digits, then optionally a point and
// 1 to 3 digits ("0.5", "120", "3.25"), no sign, no exponent.
bool isAmount(std::string_view text);
// An amount as a person types it: spaces around it dropped, a decimal comma read as a
// point ("3,5"). Nothing when it is not an amount.
std::optional<std::string> amountFromTyped(std::string_view typed);
// Reads "height=42.5cm" exactly as stored() writes it.
std::optional<Measurement> parseStoredMeasurement(std::string_view item);

} // namespace talvane::journal
