#include "support/ui/KeyboardReach.h"

#include "ui/framework/Mnemonic.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

#include <map>
#include <vector>

namespace {

struct KeyHolder {
    QString what;
    QKeySequence key;
    const QWidget* widget;
};

QString quoted(const char* kind, const QString& text)
{
    return QStringLiteral("%1 \"%2\"").arg(QLatin1String(kind), text);
}

// The page each tab widget around `widget` shows it on: a page sits in the tab
// widget's stack.
std::map<const QTabWidget*, const QWidget*> pagesAround(const QWidget* widget)
{
    std::map<const QTabWidget*, const QWidget*> pages;
    for (const QWidget* inner = widget; inner && inner->parentWidget(); inner = inner->parentWidget())
        if (const auto* tabs = qobject_cast<const QTabWidget*>(inner->parentWidget()->parentWidget());
            tabs && tabs->indexOf(inner) >= 0)
            pages.emplace(tabs, inner);
    return pages;
}

bool showTogether(const QWidget* first, const QWidget* second)
{
    const auto firstPages = pagesAround(first);
    for (const auto& [tabs, page] : pagesAround(second))
        if (const auto found = firstPages.find(tabs); found != firstPages.end() && found->second != page)
            return false;
    return true;
}

// The line edit of a combo box or a spin box is named with its box.
bool isInsideAnotherControl(const QWidget& widget)
{
    const QWidget* parent = widget.parentWidget();
    return qobject_cast<const QComboBox*>(parent) || qobject_cast<const QAbstractSpinBox*>(parent);
}

bool isInputControl(const QWidget& widget)
{
    if (isInsideAnotherControl(widget) || qobject_cast<const QHeaderView*>(&widget))
        return false;
    return qobject_cast<const QLineEdit*>(&widget) || qobject_cast<const QTextEdit*>(&widget) ||
           qobject_cast<const QPlainTextEdit*>(&widget) || qobject_cast<const QComboBox*>(&widget) ||
           qobject_cast<const QAbstractSpinBox*>(&widget) || qobject_cast<const QAbstractItemView*>(&widget) ||
           qobject_cast<const QSlider*>(&widget);
}

void collectKeys(const QWidget& window, std::vector<KeyHolder>& holders, QStringList& faults)
{
    const auto hold = [&](const char* kind, const QString& text, const QWidget* widget, bool mustHaveKey) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (!key.isEmpty())
            holders.push_back({quoted(kind, text), key, widget});
        else if (mustHaveKey)
            faults.append(quoted(kind, text) + QStringLiteral(" has no key"));
    };
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->window() != &window)
            continue;
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            hold("button", button->text(), widget, qobject_cast<const QPushButton*>(widget) != nullptr);
        else if (const auto* label = qobject_cast<const QLabel*>(widget); label && label->buddy())
            hold("label", label->text(), widget, false);
        else if (const auto* tabs = qobject_cast<const QTabBar*>(widget))
            for (int i = 0; i < tabs->count(); ++i)
                hold("tab", tabs->tabText(i), widget, true);
        else if (const auto* bar = qobject_cast<const QMenuBar*>(widget))
            for (const QAction* action : bar->actions())
                hold("menu", action->text(), widget, true);
    }
}

} // namespace

void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

QString shownText(const QString& text)
{
    return withoutMnemonic(text);
}

QStringList shownTexts(const QStringList& texts)
{
    QStringList shown;
    for (const QString& text : texts)
        shown.append(shownText(text));
    return shown;
}

QStringList keyboardFaults(const QWidget& window)
{
    std::vector<KeyHolder> holders;
    QStringList faults;
    collectKeys(window, holders, faults);
    for (std::size_t i = 0; i < holders.size(); ++i)
        for (std::size_t j = i + 1; j < holders.size(); ++j)
            if (holders[i].key == holders[j].key && showTogether(holders[i].widget, holders[j].widget))
                faults.append(holders[i].what + QStringLiteral(" and ") + holders[j].what + QStringLiteral(" share ") +
                              holders[i].key.toString());
    for (const QWidget* widget : window.findChildren<QWidget*>())
        if (widget->window() == &window && isInputControl(*widget) && widget->accessibleName().isEmpty())
            faults.append(QStringLiteral("%1 %2 has no name").arg(QLatin1String(widget->metaObject()->className()),
                                                                  widget->objectName()));
    return faults;
}

QStringList menuKeyFaults(const QMenu& menu)
{
    QStringList faults;
    std::map<QKeySequence, QString> taken;
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator())
            continue;
        const QKeySequence key = QKeySequence::mnemonic(action->text());
        if (key.isEmpty())
            faults.append(quoted("item", action->text()) + QStringLiteral(" has no key"));
        else if (const auto [where, added] = taken.emplace(key, action->text()); !added)
            faults.append(quoted("item", action->text()) + QStringLiteral(" shares its key with ") + where->second);
        if (const QMenu* submenu = action->menu())
            faults += menuKeyFaults(*submenu);
    }
    return faults;
}
