#pragma once

#include <optional>
#include <string_view>
#include <vector>

// The files the phone's browser is given as they are: the pages, their stylesheet and
// script, and the API's description. They are files of the project, built into the
// program so that the pages always match the server that answers them.
namespace talvane::companion {

struct WebFile {
    std::string_view name; // "phone.js"
    std::string_view bytes;
};

const std::vector<WebFile>& webFiles();
std::optional<std::string_view> webFile(std::string_view name);
// "text/javascript; charset=utf-8" by the name's extension.
std::string_view webFileType(std::string_view name);

// The English texts a page script shows, each one marked in it by PHONE_TEXT and
// written as one double-quoted literal.
std::vector<std::string> pageTexts(std::string_view script);

} // namespace talvane::companion
