#pragma once

#include <QString>

#include <string>
#include <string_view>

// A text the core gives in English (Windows-1252), as the window shows it in the
// program's language: the field catalogue's labels, page captions, choices and list
// items, the collection list's column titles, the kinds of care and of measurement,
// the months.
QString coreText(std::string_view english);

// The words in which the window says the texts the core makes (UTF-8 in, UTF-8 out):
// how a task repeats, how many are due, why a file could not be read or written.
std::string windowWords(std::string_view english);
