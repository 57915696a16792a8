#include "core/csv/FormulaGuard.h"

namespace csv {
namespace {

constexpr char kGuard = '\'';
constexpr std::string_view kFormulaStarts = "=+-@\t\r";

// True when the value, past any quotes it begins with, starts as a formula would.
bool StartsFormula(std::string_view value)
{
    const auto first = value.find_first_not_of(kGuard);
    return first != std::string_view::npos && kFormulaStarts.find(value[first]) != std::string_view::npos;
}

} // namespace

std::string GuardFormula(std::string_view value)
{
    if (StartsFormula(value))
        return kGuard + std::string(value);
    return std::string(value);
}

std::string_view UnguardFormula(std::string_view value)
{
    if (value.starts_with(kGuard) && StartsFormula(value))
        value.remove_prefix(1);
    return value;
}

} // namespace csv
