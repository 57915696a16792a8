#pragma once

#include <QString>

// The language the program speaks: the one chosen in the settings, else the first of
// the system's languages (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) that it has, else
// English, in which its texts are written.
namespace Translations {

inline constexpr char kEnglish[] = "en";
inline constexpr char kFrench[] = "fr";

// "" (the system's), "en" or "fr", as kept in the settings.
QString chosenLanguage();
void chooseLanguage(const QString& language);

// The language the program takes for that choice and the system's languages.
QString languageFor(const QString& chosen);

// Installs the program's texts and Qt's own dialogs in that language, once, before
// any window is made; gives the language installed.
QString install();

} // namespace Translations
