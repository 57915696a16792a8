#include "ui/framework/Translations.h"

#include "ui/framework/AppSettings.h"
#include "ui/framework/CoreTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

const QString kSetting = QStringLiteral("language");
QString g_installed = QString::fromLatin1(Translations::kEnglish);

} // namespace

namespace Translations {

QString chosenLanguage()
{
    const QString chosen = appSettings().value(kSetting).toString();
    return chosen == QLatin1String(kEnglish) || chosen == QLatin1String(kFrench) ? chosen : QString();
}

void chooseLanguage(const QString& language)
{
    if (language.isEmpty())
        appSettings().remove(kSetting);
    else
        appSettings().setValue(kSetting, language);
}

QString languageFor(const QString& chosen)
{
    if (!chosen.isEmpty())
        return chosen;
    // The first language the system names that the program has wins: a German user
    // who reads French second gets French, an English one English.
    for (const QString& uiLanguage : QLocale::system().uiLanguages()) {
        const QLocale::Language language = QLocale(uiLanguage).language();
        if (language == QLocale::French)
            return QString::fromLatin1(kFrench);
        if (language == QLocale::English)
            break;
    }
    return QString::fromLatin1(kEnglish);
}

} // namespace Translations

InstalledLanguage::InstalledLanguage(const QString& language) : m_formerLanguage(g_installed)
{
    g_installed = language == QLatin1String(Translations::kFrench) ? language : QString::fromLatin1(Translations::kEnglish);
    if (language != QLatin1String(Translations::kFrench))
        return;
    // Dates and numbers follow the language when it is not the system's own.
    if (QLocale().language() != QLocale::French) {
        m_formerDefault = QLocale();
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    }
    install(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    install(QStringLiteral("talvane_fr"), QStringLiteral(":/i18n"));
    m_formerMessageWords = talvane::text::messageWords();
    talvane::text::speakMessagesIn(windowWords);
}

InstalledLanguage::~InstalledLanguage()
{
    for (const auto& translator : m_translators)
        QCoreApplication::removeTranslator(translator.get());
    if (m_formerDefault)
        QLocale::setDefault(*m_formerDefault);
    g_installed = m_formerLanguage;
    if (m_formerMessageWords)
        talvane::text::speakMessagesIn(*m_formerMessageWords);
}

QString InstalledLanguage::current()
{
    return g_installed;
}

void InstalledLanguage::install(const QString& name, const QString& folder)
{
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(name, folder) && QCoreApplication::installTranslator(translator.get()))
        m_translators.push_back(std::move(translator));
}
