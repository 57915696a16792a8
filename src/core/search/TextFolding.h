#pragma once

#include <string>
#include <string_view>

// Case and accent folding of Windows-1252 text, so that "Érable", "erable" and
// "ÉRABLE" compare equal. Every byte folds to one or two bytes: letters lose their
// case and accents, the ligatures and ß spell out their letters ("œ" is "oe",
// "ß" is "ss"), and everything else, control bytes included, stays as it is.
namespace talvane::search {

struct FoldedByte {
    char first;
    char second; // '\0' when the byte folds to one byte only
};

// The folding of every byte value, for searches that fold as they read.
const FoldedByte* foldTable();

std::string foldText(std::string_view text);

} // namespace talvane::search
