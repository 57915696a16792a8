#pragma once

#include "core/collection/CollectionArchive.h"

#include <cstddef>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

// Where a collection's pictures live: in "Album" and "Photos" folders of the folder the
// collection lives in, its home, so that copying that folder takes the whole record along.
namespace talvane::timeline {

struct PictureFolders {
    std::filesystem::path album;
    std::filesystem::path photos;

    bool operator==(const PictureFolders&) const = default;
};

// The bare names (Windows-1252) of the pictures a collection names, by the folder each
// is in: its album slots and the pictures of its journal events.
struct NamedPictures {
    std::set<std::string> album;
    std::set<std::string> photos;
};
NamedPictures namedPictures(const collection::EntryList& entries);

// The folder a collection file lives in.
std::filesystem::path collectionHome(const std::filesystem::path& collectionFile);

// The folders of a collection whose home is `home`. Photos are always kept there. So is
// the album, unless home has no Album folder and the folder the program started in has one
// holding a picture the collection names: one program folder serving its collections, as
// an old installation kept them. Neither folder need exist yet.
PictureFolders findPictureFolders(const std::filesystem::path& home, const std::filesystem::path& startFolder,
                                  const collection::EntryList& entries);

// Pictures copied from one collection's folders into another's.
struct BroughtPictures {
    // A picture whose name was taken there by another file goes by a new name: old → new.
    std::map<std::string, std::string> albumRenames;
    std::map<std::string, std::string> photoRenames;
    // The files made, for a caller whose next step fails to take back.
    std::vector<std::filesystem::path> created;
    // Why the pictures could not all be brought, in words for the user; empty when they
    // were. Nothing is left made then.
    std::string problem;
};

// How many of a tree's pictures are not in the folders: its album bitmaps and the
// photos of its journal, each file counted once. An album name that would leave the
// album is never read: it counts as missing.
std::size_t missingPictureCount(const CBonsaiData& entry, const PictureFolders& folders);

// Copies each picture of `names` that is in `from` into `to`, all or nothing. A file
// already there with the same bytes is the picture itself; a missing source is passed over.
BroughtPictures bringPictures(const NamedPictures& names, const PictureFolders& from, const PictureFolders& to);

// The fields of an entry (album slots, journal) that name a renamed picture, with their
// new texts; empty when none does.
std::vector<std::pair<std::size_t, std::string>> renamedPictureFields(const CBonsaiData& entry,
                                                                      const BroughtPictures& brought);

} // namespace talvane::timeline
