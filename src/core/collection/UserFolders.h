#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace talvane::collection {

// The user's folder for one kind of file, found as the XDG base directory rules find
// it: the variable's value when it is an absolute path, else `underHome` in $HOME
// (".local/state", ".config"…). Nothing when neither is set to an absolute path.
std::optional<std::filesystem::path> userFolder(const char* variable, const std::filesystem::path& underHome);

// How the program's own files name a collection: its absolute path, made plain.
std::string collectionKey(const std::filesystem::path& collection);

// A small file the program keeps for one collection in one of the user's folders (the
// temporary folder where there is none): <folder>/talvane/<kind>/<hash of the
// collection's key>.json. The hash keeps names short, and tells nothing of the path.
std::filesystem::path collectionFileIn(const char* variable, const std::filesystem::path& underHome,
                                       std::string_view kind, const std::filesystem::path& collection);

// Makes a folder of the program's own files when missing, one only its user may enter:
// what they hold is no other user's business. Gives why it could not.
std::optional<std::string> makeOwnFolder(const std::filesystem::path& folder);

// Writes such a file whole or not at all (replaceFile), making its folder when missing.
std::optional<std::string> writeOwnFile(const std::filesystem::path& file, std::string_view bytes);

} // namespace talvane::collection
