#include "core/csv/FormulaGuard.h"

namespace talvane::csv {
namespace {

constexpr char kGuard = '\'';
constexpr std::string_view kFormulaStarts = "=+-@\t\r";

// True when the value, past any quotes it begins with, starts as a formula would.
bool startsFormula(std::string_view value)
{
    const auto first = value.find_first_not_of(kGuard);
    return first != std::string_view::npos && kFormulaStarts.find(value[first]) != std::string_view::npos;
}

} // namespace

std::string guardFormula(std::string_view value)
{
    if (startsFormula(value))
        return kGuard + std::string(value);
    return std::string(value);
}

std::string_view unguardFormula(std::string_view value)
{
    if (value.starts_with(kGuard) && startsFormula(value))
        value.remove_prefix(1);
    return value;
}

} // namespace talvane::csv
