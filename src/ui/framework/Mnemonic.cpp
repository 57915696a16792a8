#include "ui/framework/Mnemonic.h"

#include <QLabel>

QString withoutMnemonic(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (++i == text.size())
                break;
        }
        shown.append(text.at(i));
    }
    return shown;
}

QString fieldNameOfLabel(const QString& labelText)
{
    QString name = withoutMnemonic(labelText).simplified();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name.trimmed();
}

void nameFieldAfter(QWidget& field, const QString& labelText)
{
    const QString name = fieldNameOfLabel(labelText);
    for (QWidget* named : {&field, field.focusProxy()})
        if (named && named->accessibleName().isEmpty())
            named->setAccessibleName(name);
}

void nameBuddyAfterLabel(const QLabel& label)
{
    if (QWidget* buddy = label.buddy())
        nameFieldAfter(*buddy, label.text());
}

void nameFieldsAfterTheirLabels(const QWidget& root)
{
    for (const QLabel* label : root.findChildren<QLabel*>())
        nameBuddyAfterLabel(*label);
}
