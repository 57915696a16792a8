#pragma once

#include "core/text/Words.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvane::text {

// A command-line option that takes a whole number, and the numbers it takes. Both
// programs read every number given to an option through this, so that a wrong one
// gets the same one-line answer from either.
struct NumberOption {
    std::string_view name;    // "--within"
    std::string_view meaning; // "a whole number of days", said before the range
    long long minimum;
    long long maximum;
    // When not empty, the only numbers of the range taken, said instead of the range.
    std::vector<long long> choices;
};

// An entry of a collection, counted from 0: a collection holds at most 2^32 - 1
// entries, as many as its 32-bit count can say.
inline const NumberOption kEntryNumberOption{
    .name = "--entry",
    .meaning = SHOWN_TEXT("an entry number"),
    .minimum = 0,
    .maximum = std::numeric_limits<std::uint32_t>::max() - 1LL,
    .choices = {},
};

// The number a text gives when it is written in decimal digits, with a "-" before
// them for a negative one, and is one the option takes. Anything else gives
// nothing: blanks, "+", "0x", exponents, fractions, a number past the range.
std::optional<long long> readNumberOption(const NumberOption& option, std::string_view text);

// Why the option refused the text, as one line without the program's name:
// --within must be a whole number of days from 0 to 3650, not “-5”.
// Control characters in the text are shown as escapes, never sent to the terminal.
std::string numberOptionError(const NumberOption& option, std::string_view text);

} // namespace talvane::text
