#include "core/journal/Measurement.h"

#include "core/text/Words.h"

#include <charconv>

namespace talvane::journal {

std::string_view measureKey(MeasureKind kind)
{
    switch (kind) {
    case MeasureKind::Height: return "height";
    case MeasureKind::Trunk: return "trunk";
    case MeasureKind::Nebari: return "nebari";
    case MeasureKind::Canopy: return "canopy";
    }
    return "height";
}

std::string_view measureName(MeasureKind kind)
{
    switch (kind) {
    case MeasureKind::Height: return SHOWN_TEXT("Height");
    case MeasureKind::Trunk: return SHOWN_TEXT("Trunk diameter");
    case MeasureKind::Nebari: return SHOWN_TEXT("Nebari width");
    case MeasureKind::Canopy: return SHOWN_TEXT("Canopy width");
    }
    return "Height";
}

std::string_view unitName(LengthUnit unit)
{
    switch (unit) {
    case LengthUnit::Millimetre: return "mm";
    case LengthUnit::Centimetre: return "cm";
    case LengthUnit::Metre: return "m";
    case LengthUnit::Inch: return "in";
    }
    return "cm";
}

std::optional<LengthUnit> unitFromName(std::string_view name)
{
    for (LengthUnit unit : kLengthUnits)
        if (unitName(unit) == name)
            return unit;
    return std::nullopt;
}

double centimetresPer(LengthUnit unit)
{
    switch (unit) {
    case LengthUnit::Millimetre: return 0.1;
    case LengthUnit::Centimetre: return 1.0;
    case LengthUnit::Metre: return 100.0;
    case LengthUnit::Inch: return 2.54;
    }
    return 1.0;
}

namespace {

bool isDigits(std::string_view text, std::size_t most)
{
    if (text.empty() || text.size() > most)
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

double Measurement::centimetres() const
{
    double value = 0;
    std::from_chars(amount.data(), amount.data() + amount.size(), value);
    return value * centimetresPer(unit);
}

std::string Measurement::text() const
{
    return amount + " " + std::string(unitName(unit));
}

std::string Measurement::stored() const
{
    return std::string(measureKey(kind)) + "=" + amount + std::string(unitName(unit));
}

bool isAmount(std::string_view text)
{
    const auto point = text.find('.');
    if (point == std::string_view::npos)
        return isDigits(text, 6);
    return isDigits(text.substr(0, point), 6) && isDigits(text.substr(point + 1), 3);
}

std::optional<std::string> amountFromTyped(std::string_view typed)
{
    std::string amount(trimmed(typed));
    for (char& c : amount)
        if (c == ',')
            c = '.';
    if (!isAmount(amount))
        return std::nullopt;
    return amount;
}

std::optional<Measurement> parseStoredMeasurement(std::string_view item)
{
    const auto equals = item.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    const std::string_view key = item.substr(0, equals);
    std::string_view value = item.substr(equals + 1);
    std::size_t digits = 0;
    while (digits < value.size() && ((value[digits] >= '0' && value[digits] <= '9') || value[digits] == '.'))
        ++digits;
    const std::string_view amount = value.substr(0, digits);
    const auto unit = unitFromName(value.substr(digits));
    if (!unit || !isAmount(amount))
        return std::nullopt;
    for (MeasureKind kind : kMeasureKinds)
        if (measureKey(kind) == key)
            return Measurement{kind, std::string(amount), *unit};
    return std::nullopt;
}

} // namespace talvane::journal
