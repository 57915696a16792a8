#pragma once

#include "core/text/Words.h"

#include <QLocale>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QTranslator;

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

} // namespace Translations

// The program's texts, the core's messages and Qt's own dialogs in one language, for as
// long as it lives; made before any window or thread.
class InstalledLanguage {
public:
    explicit InstalledLanguage(const QString& language);
    ~InstalledLanguage();
    InstalledLanguage(const InstalledLanguage&) = delete;
    InstalledLanguage& operator=(const InstalledLanguage&) = delete;

    // "fr" while the French texts are installed, else "en".
    static QString current();

private:
    void install(const QString& name, const QString& folder);

    std::vector<std::unique_ptr<QTranslator>> m_translators;
    std::optional<QLocale> m_formerDefault;
    QString m_formerLanguage;
    std::optional<talvane::text::Words> m_formerMessageWords;
};
