#include "ui/app/LanguageMenu.h"

#include "ui/framework/Translations.h"
#include "ui/framework/UiServices.h"

#include <QActionGroup>

LanguageMenu::LanguageMenu(Prompter& prompter, QWidget* parent) : QMenu(tr("&Language"), parent), m_prompter(prompter)
{
    auto* group = new QActionGroup(this);
    // Each language is named in itself, so that a user lost in the other finds their own.
    const std::pair<QString, QString> languages[] = {
        {QString(), tr("&System language")},
        {QString::fromLatin1(Translations::kEnglish), QStringLiteral("&English")},
        {QString::fromLatin1(Translations::kFrench), QStringLiteral("&Fran\u00E7ais")},
    };
    const QString chosen = Translations::chosenLanguage();
    for (const auto& [language, name] : languages) {
        QAction* item = addAction(name);
        item->setCheckable(true);
        item->setChecked(language == chosen);
        item->setData(language);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, language] { choose(language); });
    }
}

void LanguageMenu::choose(const QString& language)
{
    if (language == Translations::chosenLanguage())
        return;
    Translations::chooseLanguage(language);
    for (QAction* item : actions())
        item->setChecked(item->data().toString() == language);
    m_prompter.ask(tr("Talvane will speak the language chosen the next time it starts."), tr("Language"),
                   mb::kOk | mb::kIconInformation);
}
