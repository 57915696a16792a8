#pragma once

#include <QString>
#include <QStringList>

#include <ostream>

class QMenu;
class QWidget;

// What a window offers the keyboard, checked as a user meets it.

// Texts as a failed check shows them.
void PrintTo(const QString& text, std::ostream* out);

// A button's, tab's or menu's text as shown, for comparing it with plain English.
QString shownText(const QString& text);
QStringList shownTexts(const QStringList& texts);

// One line for each fault of `window`: a push button, a tab or a menu bar title without
// a key; a key held twice by controls that show at the same time (the pages of a tab
// widget show one at a time, each with what stays beside it); an input control with no
// name for a screen reader. Empty when there is none.
QStringList keyboardFaults(const QWidget& window);

// The same for a menu and the menus it opens: an action without a key, or a key held
// twice in one menu.
QStringList menuKeyFaults(const QMenu& menu);
