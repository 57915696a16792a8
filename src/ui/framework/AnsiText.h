#pragma once

#include <QString>

#include <string>
#include <string_view>

// Where a widget shows or returns a stored text: Windows-1252 bytes to and from Qt.
// Characters the code page cannot hold come back as "?".
QString FromAnsi(std::string_view bytes);
std::string ToAnsi(const QString& text);
