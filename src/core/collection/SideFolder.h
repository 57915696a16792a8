#pragma once

#include <filesystem>
#include <string_view>

// The folder called `name` ("Album", "Photos") that holds the pictures of the collection
// at collectionPath (empty for an untitled collection). The one in the folder the
// program started in comes first, so that a program started beside its pictures keeps
// finding them; then the one beside the collection, so that a collection opened from
// another folder finds its own. One that is not a folder, or that cannot be read, is
// passed over. When neither is usable, the folder belongs beside the collection (in the
// start folder for an untitled collection), and it does not exist yet.
std::filesystem::path SideFolder(std::string_view name, const std::filesystem::path& startFolder,
                                 const std::filesystem::path& collectionPath);
