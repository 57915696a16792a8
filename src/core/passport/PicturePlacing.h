#pragma once

#include "core/passport/PassportLayout.h"
#include "core/passport/PlacedFiles.h"

#include <filesystem>
#include <functional>
#include <map>
#include <string>

namespace talvane::passport {

class PassportReader;

struct PlacedPictures {
    // The refusal, as PassportReader words it; empty when every picture was placed.
    std::string problem;
    // Each picture's name in its folder now (Windows-1252).
    std::map<PictureName, std::string> newNames;
    PlacedFiles files;
};

// Puts every picture of an open passport into the collection's folders, all or nothing,
// as the timeline's photos are copied: each is inflated under a temporary name, all are
// made durable at once, then each takes its own name, or that name with " (2)" ... when
// a file has it. The folders are made when missing. On a problem nothing is left:
// neither a file nor a folder made here. Given `wanted`, only the pictures it wants are placed.
PlacedPictures placePictures(PassportReader& reader, const std::filesystem::path& albumFolder,
                             const std::filesystem::path& photosFolder,
                             const std::function<bool(const PictureName&)>& wanted = {});

} // namespace talvane::passport
