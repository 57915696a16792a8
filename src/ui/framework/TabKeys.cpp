#include "ui/framework/TabKeys.h"

#include <QShortcut>
#include <QTabWidget>

int neighbourTab(const QTabWidget& tabs, int direction)
{
    const int count = tabs.count();
    int index = tabs.currentIndex();
    for (int looked = 1; looked < count; ++looked) {
        index = (index + direction + count) % count;
        if (tabs.isTabEnabled(index))
            return index;
    }
    return tabs.currentIndex();
}

void switchTabsWithPageKeys(QTabWidget& tabs)
{
    const auto bind = [&tabs](QKeyCombination keys, int direction) {
        auto* shortcut = new QShortcut(QKeySequence(keys), &tabs);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, &tabs,
                         [&tabs, direction] { tabs.setCurrentIndex(neighbourTab(tabs, direction)); });
    };
    bind(Qt::CTRL | Qt::Key_PageDown, 1);
    bind(Qt::CTRL | Qt::Key_PageUp, -1);
}
