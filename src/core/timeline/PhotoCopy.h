#pragma once

#include "core/journal/CalendarDate.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace talvane::timeline {

// "2026-05-01 Momiji": the day the photo was taken and the tree's name (Windows-1252),
// kept to letters, digits, spaces, "-" and "_" so that the name is one a person
// recognises in a file browser and that any file system and the journal can hold.
std::string photoFileStem(journal::CalendarDate taken, std::string_view treeName);
// The source's extension, lowercased, with its dot (".jpg", ".heic"); empty when it is
// not a short run of ASCII letters and digits.
std::string photoExtension(const std::filesystem::path& source);

// Makes the folder when it is missing; gives why it cannot hold photos otherwise.
// `made` tells whether it was made here, so that a failed step can take it back.
std::string preparePhotoFolder(const std::filesystem::path& folder, bool* made = nullptr);

// Files larger than this are refused: no camera writes them, and a copy would fill a disk.
inline constexpr std::uintmax_t kMaxPhotoBytes = 1ull << 30;

// A photo copied byte for byte under a temporary name in the photo folder, not yet
// made durable nor given its name.
struct StagedPhoto {
    std::filesystem::path temporary;
    std::filesystem::path source;
    // The source's modification time, which the copy keeps (seconds since the epoch).
    std::int64_t modifiedSeconds = 0;
    // Why the copy could not be made, in words for the user; empty when it was. Nothing
    // is left in the folder then.
    std::string problem;

    // Takes the temporary copy out of the folder.
    void discard() const;
};

// A new file in `folder` under a temporary name, its bytes written by `fill` to the
// descriptor it is given; `fill` gives why it could not write them (empty when it
// could). The file has the permissions of a new file and no source.
StagedPhoto stageNewFile(const std::filesystem::path& folder, const std::function<std::string(int fd)>& fill);

// Copies a photo byte for byte into `folder` under a temporary name; it keeps the
// source's modification time.
StagedPhoto stagePhotoCopy(const std::filesystem::path& source, const std::filesystem::path& folder);

// Makes every staged copy in the folder durable at once: one flush for many photos
// costs far less than one each.
void makeStagedCopiesDurable(const std::filesystem::path& folder);

struct CopiedPhoto {
    // The bare name of the copy in the folder (Windows-1252, as the journal holds it).
    std::string name;
    // The number the name took: 1 for none, 2 for " (2)" ...
    int number = 0;
    std::filesystem::path path;
    // Why the copy could not be named, in words for the user; empty when it was.
    std::string problem;
};

// Gives a staged copy its name, stem + the source's extension, or stem + " (2)" ...
// when that name is taken, never over an existing file; numbers below `firstNumber`
// are known to be taken. On failure the staged copy is taken out of the folder.
CopiedPhoto nameStagedCopy(const StagedPhoto& staged, const std::filesystem::path& folder, std::string_view stem,
                           int firstNumber = 1);
// The same with the extension given (".JPG", or empty) rather than the source's.
CopiedPhoto nameStagedFile(const StagedPhoto& staged, const std::filesystem::path& folder, std::string_view stem,
                           std::string_view extension, int firstNumber = 1);

// Gives `temporary` the name `target` unless a file has it: renaming where the file
// system can refuse to replace, else linking (which never replaces). Gives 0 or errno.
int nameWithoutReplacing(const std::filesystem::path& temporary, const std::filesystem::path& target);

// Takes named copies back out of their folders, durably: for a caller whose next
// step failed.
void removePlacedFiles(const std::vector<std::filesystem::path>& files);

} // namespace talvane::timeline
