#include "framework/Translations.h"

#include "framework/AppSettings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

const QString kSetting = QStringLiteral("language");

bool IsFrench(const QString& uiLanguage)
{
    return QLocale(uiLanguage).language() == QLocale::French;
}

// Translators live as long as the program.
void InstallTranslator(const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(name, folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

namespace Translations {

QString chosenLanguage()
{
    const QString chosen = AppSettings().value(kSetting).toString();
    return chosen == QLatin1String(kEnglish) || chosen == QLatin1String(kFrench) ? chosen : QString();
}

void chooseLanguage(const QString& language)
{
    if (language.isEmpty())
        AppSettings().remove(kSetting);
    else
        AppSettings().setValue(kSetting, language);
}

QString languageFor(const QString& chosen)
{
    if (!chosen.isEmpty())
        return chosen;
    // The first language the system names that the program has wins: a German user
    // who reads French second gets French, an English one English.
    for (const QString& uiLanguage : QLocale::system().uiLanguages()) {
        if (IsFrench(uiLanguage))
            return QString::fromLatin1(kFrench);
        if (QLocale(uiLanguage).language() == QLocale::English)
            break;
    }
    return QString::fromLatin1(kEnglish);
}

QString install()
{
    const QString language = languageFor(chosenLanguage());
    if (language != QLatin1String(kFrench))
        return language;
    // Dates and numbers follow the language when it is not the system's own.
    if (QLocale::system().language() != QLocale::French)
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    InstallTranslator(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    InstallTranslator(QStringLiteral("talvane_fr"), QStringLiteral(":/i18n"));
    return language;
}

} // namespace Translations
