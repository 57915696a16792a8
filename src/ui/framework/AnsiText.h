#pragma once

#include <QString>

#include <string>

// Where a widget shows or returns a stored text: Windows-1252 bytes to and from Qt.
// Characters the code page cannot hold come back as "?".
QString FromAnsi(const std::string& bytes);
std::string ToAnsi(const QString& text);
