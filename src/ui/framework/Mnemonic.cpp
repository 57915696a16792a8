#include "ui/framework/Mnemonic.h"

#include <QLabel>

QString WithoutMnemonic(const QString& text)
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

QString FieldNameOfLabel(const QString& labelText)
{
    QString name = WithoutMnemonic(labelText).simplified();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name.trimmed();
}

void NameFieldAfter(QWidget& field, const QString& labelText)
{
    const QString name = FieldNameOfLabel(labelText);
    for (QWidget* named : {&field, field.focusProxy()})
        if (named && named->accessibleName().isEmpty())
            named->setAccessibleName(name);
}

void NameBuddyAfterLabel(const QLabel& label)
{
    if (QWidget* buddy = label.buddy())
        NameFieldAfter(*buddy, label.text());
}

void NameFieldsAfterTheirLabels(const QWidget& root)
{
    for (const QLabel* label : root.findChildren<QLabel*>())
        NameBuddyAfterLabel(*label);
}
