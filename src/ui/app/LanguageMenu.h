#pragma once

#include <QMenu>

class Prompter;

// View, Language: the system's language, English or French, kept in the settings and
// taken from the next start, since the windows are made in one language.
class LanguageMenu : public QMenu {
    Q_OBJECT
public:
    LanguageMenu(Prompter& prompter, QWidget* parent = nullptr);

public slots:
    // "" for the system's language, "en" or "fr".
    void choose(const QString& language);

private:
    Prompter& m_prompter;
};
