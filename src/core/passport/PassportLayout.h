#pragma once

#include "core/collection/BonsaiData.h"

#include <compare>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// A tree's passport, NAME.tvp, is a zip archive that holds exactly:
//
//   manifest.json      what it is, the tree's name and identifier, when and from which
//                      collection it was exported, who gave it (PassportManifest.h)
//   tree.tvn           the tree as a collection of one entry, as a save writes it
//   Album/<name>       each album picture its photo fields or its journal name
//   Photos/<name>      each timeline photo its journal names, as it was on disk
//
// Names in the archive are UTF-8; the entry's names are Windows-1252.
namespace talvane::passport {

inline constexpr std::string_view kManifestName = "manifest.json";
inline constexpr std::string_view kTreeFileName = "tree.tvn";

enum class PictureFolder { Album, Photos };

// A picture as an entry names it: the folder and the name (Windows-1252), which is a
// bare file name unless the entry holds a name that leads elsewhere.
struct PictureName {
    PictureFolder folder = PictureFolder::Album;
    std::string name;

    auto operator<=>(const PictureName&) const = default;
};

// The picture an event's picture column names ("Photos/2026-05-01 Momiji.jpg", "pine.bmp");
// the column is not empty. eventPicture gives the column back.
PictureName pictureOfEvent(std::string_view picture);
std::string eventPicture(const PictureName& picture);

// "Album/" or "Photos/": how the archive's names of a folder's pictures begin.
std::string_view archiveFolder(PictureFolder folder);
// "Album/pine.bmp", "Photos/2026-05-01 Momiji.jpg": the name in the archive (UTF-8).
std::string archiveName(const PictureName& picture);

// Every picture the entry names, once each: its photo fields' album pictures, then the
// pictures of its journal's events in the order of their lines.
std::vector<PictureName> picturesNamedBy(const CBonsaiData& entry);

// Gives the pictures new names (bare, Windows-1252) wherever the entry names them: in
// its photo fields and in its journal's events. A journal written by another program
// is kept as it is.
void renamePictures(CBonsaiData& entry, const std::map<PictureName, std::string>& newNames);

// True for a file kept as it is in the archive: a JPEG, HEIF, PNG or other picture
// whose bytes are compressed already. Every other file is deflated.
bool isStoredAsIs(std::string_view name);

} // namespace talvane::passport
