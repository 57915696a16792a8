#include "framework/DataExchange.h"

#include "framework/AnsiText.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTextEdit>

void DDX_Text(CDataExchange& dx, QLineEdit* edit, std::string& value)
{
    if (dx.m_bSaveAndValidate)
        value = ToAnsi(edit->text());
    else
        edit->setText(FromAnsi(value));
}

// Multi-line texts keep their line breaks as carriage return and line feed, as
// they are stored; the control itself knows only line feeds.
void DDX_Text(CDataExchange& dx, QTextEdit* edit, std::string& value)
{
    if (dx.m_bSaveAndValidate)
        value = ToAnsi(edit->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
    else
        edit->setPlainText(FromAnsi(value));
}

void DDX_CBString(CDataExchange& dx, QComboBox* combo, std::string& value)
{
    if (dx.m_bSaveAndValidate) {
        value = ToAnsi(combo->currentText());
        return;
    }
    const QString text = FromAnsi(value);
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    combo->setCurrentIndex(index);
    if (index < 0)
        combo->setEditText(text);
}

void DDX_Radio(CDataExchange& dx, const QList<QRadioButton*>& group, int& value)
{
    if (dx.m_bSaveAndValidate) {
        value = -1;
        for (int i = 0; i < group.size(); ++i) {
            if (group[i]->isChecked())
                value = i;
        }
        return;
    }
    // Exclusivity would keep one button checked; lift it to clear them all.
    for (QRadioButton* button : group) {
        button->setAutoExclusive(false);
        button->setChecked(false);
    }
    if (value >= 0 && value < group.size())
        group[value]->setChecked(true);
    for (QRadioButton* button : group)
        button->setAutoExclusive(true);
}
