#pragma once

#include <optional>
#include <string>
#include <string_view>

// What a tree's label carries besides its names: a short code a person reads and
// types, and the text its QR code holds. Both come from the tree's identifier
// (collection/TreeIdentity.h), so they stay whatever the tree is called.
namespace talvane::labels {

// The first 40 bits of the identifier in Crockford's base 32 (digits and the letters
// but I, L, O and U), in two groups of four: "1ZQW-8K3D". Empty for a text that is not
// an identifier.
std::string treeCode(std::string_view treeId);

// "talvane:tree/0f8fad5b-d9cb-469f-a165-70867728950e".
std::string treeQrText(std::string_view treeId);

// The identifier a scanned label's text names, if it is exactly such a text (spaces
// around it aside).
std::optional<std::string> treeIdFromQrText(std::string_view text);

// A code as a person may type it, read as treeCode() writes it: case, spaces and
// dashes do not count, and O is read as 0, I and L as 1. Nothing when it is not eight
// such characters.
std::optional<std::string> typedTreeCode(std::string_view typed);

} // namespace talvane::labels
