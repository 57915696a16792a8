#pragma once

#include <QString>

#include <string>
#include <string_view>

// Where a widget shows or returns a stored text: Windows-1252 bytes to and from Qt.
// Characters the code page cannot hold come back as "?".
QString fromAnsi(std::string_view bytes);
std::string toAnsi(const QString& text);
