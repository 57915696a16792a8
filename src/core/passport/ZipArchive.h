#pragma once

#include <memory>
#include <string>

struct zip;
struct zip_source;

// A libzip archive, discarded unless it was closed.
namespace talvane::passport {

struct ZipDiscard {
    void operator()(zip* archive) const;
};
using ZipArchive = std::unique_ptr<zip, ZipDiscard>;

// libzip's words for one of its error codes: "Not a zip archive".
std::string zipErrorText(int code);

} // namespace talvane::passport
