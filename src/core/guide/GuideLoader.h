#pragma once

#include "core/guide/GuideEspece.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace talvane::guide {

// The guide file the program reads at start-up, in its base directory.
inline constexpr char kSpeciesGuideFileName[] = "esspef.dat";

// Where the loader reports a damaged block: message text and caption in Windows-1252,
// and the message box flags (OK button, stop icon).
using GuideMessageSink = std::function<void(const std::string& text, const std::string& caption, unsigned flags)>;

// The whole file, or nothing when it is missing, not a regular file or unreadable.
std::optional<std::string> readGuideFile(const std::filesystem::path& path);

// Appends one record per block of the file's bytes to guide, in file order, whatever
// sections were missing or empty; each of those is reported through show. Any content
// is read in time proportional to its size.
void parseSpeciesGuide(std::string_view file, SpeciesGuide& guide, const GuideMessageSink& show);

} // namespace talvane::guide

// The line of a guide file's bytes that starts at position, with the shift undone;
// position moves past it and its line end. At the end of the bytes there is no line,
// so a caller can never take a line it did not read.
std::optional<std::string> ReadGuideLine(std::string_view file, std::size_t& position);

// Reads the guide file at path into guide. A missing or unreadable file adds nothing
// and shows nothing: the program then simply offers no species.
void LoadSpeciesGuide(const std::filesystem::path& path, const talvane::guide::GuideMessageSink& show,
                      talvane::guide::SpeciesGuide& guide = g_speciesGuide);
