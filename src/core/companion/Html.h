#pragma once

#include <string>
#include <string_view>

// Texts on the companion's pages. Every text that comes from a collection or a request
// goes through one of these before it reaches a page, so none can add markup.
namespace talvane::companion {

// UTF-8 text made safe inside an element or a quoted attribute: & < > " ' escaped, and
// control characters other than tab and line breaks shown as U+FFFD.
std::string escapeHtml(std::string_view utf8);

// A collection's text (Windows-1252) for a page: converted to UTF-8, then escaped.
std::string pageText(std::string_view cp1252);

// A text as one component of a URL path or query, percent-encoded.
std::string urlComponent(std::string_view text);

} // namespace talvane::companion
