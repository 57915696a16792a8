#include "core/companion/WebFiles.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace talvane::companion {

std::optional<std::string_view> webFile(std::string_view name)
{
    const auto& files = webFiles();
    const auto found = std::find_if(files.begin(), files.end(), [&](const WebFile& file) { return file.name == name; });
    return found == files.end() ? std::nullopt : std::optional(found->bytes);
}

std::string_view webFileType(std::string_view name)
{
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kTypes = {{
        {".html", "text/html; charset=utf-8"},
        {".css", "text/css; charset=utf-8"},
        {".js", "text/javascript; charset=utf-8"},
        {".json", "application/json"},
        {".svg", "image/svg+xml"},
    }};
    for (const auto& [extension, type] : kTypes)
        if (name.ends_with(extension))
            return type;
    return "application/octet-stream";
}

std::vector<std::string> pageTexts(std::string_view script)
{
    // Each text is one literal without escapes, so a plain scan finds it whole.
    constexpr std::string_view kMarker = "PHONE_TEXT(";
    std::vector<std::string> texts;
    for (std::size_t at = script.find(kMarker); at != std::string_view::npos; at = script.find(kMarker, at + 1)) {
        std::size_t open = at + kMarker.size();
        while (open < script.size() && (script[open] == ' ' || script[open] == '\n'))
            ++open;
        if (open >= script.size() || script[open] != '"')
            continue;
        const std::size_t close = script.find('"', open + 1);
        if (close == std::string_view::npos)
            break;
        std::string text(script.substr(open + 1, close - open - 1));
        if (std::find(texts.begin(), texts.end(), text) == texts.end())
            texts.push_back(std::move(text));
    }
    return texts;
}

} // namespace talvane::companion
