#pragma once

#include "core/companion/PhoneWords.h"

#include <cstddef>
#include <optional>
#include <string_view>

// What the files a sharing keeps hold besides times: names the grower gives, and hashes.
namespace talvane::companion {

inline constexpr std::size_t kLongestKeptName = 60; // characters

// Whose name it is: each refusal names it.
enum class NameOf { Program, Phone };

// A name a sharing keeps is UTF-8 text of 1 to kLongestKeptName characters, not only
// spaces, without control characters: a list shows it as it is, and a terminal too.
// Gives the refusal of any other name.
std::optional<PhoneText> nameProblem(std::string_view name, NameOf whose);

// Whether the text is a SHA-256 digest as the files write it: 64 lower-case hex digits.
bool isSha256Text(std::string_view text);

} // namespace talvane::companion
