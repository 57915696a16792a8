#pragma once

#include <string_view>

namespace talvane::text {

// The classic decimal reading of a text: leading blanks, an optional sign, then
// digits up to the first other character. A text that does not begin with a
// number gives 0; a number outside the int range gives INT_MIN or INT_MAX.
int decimalTextToInt(std::string_view value);

} // namespace talvane::text
