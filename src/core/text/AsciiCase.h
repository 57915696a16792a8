#pragma once

#include <string_view>

namespace talvane::text {

// Whether two texts are the same but for the case of the letters A to Z: for keys and
// names the program itself writes ("Wire removal", "place:", "Acer palmatum"), where
// other letters need no folding.
bool sameIgnoringAsciiCase(std::string_view a, std::string_view b);
bool startsIgnoringAsciiCase(std::string_view text, std::string_view prefix);

} // namespace talvane::text
