#pragma once

#include <filesystem>
#include <optional>

// The user's folder for one kind of file, found as the XDG base directory rules find
// it: the variable's value when it is an absolute path, else `underHome` in $HOME
// (".local/state", ".config"…). Nothing when neither is set to an absolute path.
std::optional<std::filesystem::path> UserFolder(const char* variable, const std::filesystem::path& underHome);
