#include "ui/framework/DataExchange.h"

#include "ui/framework/AnsiText.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QVariant>

namespace {

constexpr char kGivenBytes[] = "talvaneGivenBytes";
constexpr char kGivenShown[] = "talvaneGivenShown";

// Remembers the bytes the program put into a control and the text the control then
// held for them.
void rememberGiven(QWidget* control, const std::string& bytes, const QString& shown)
{
    control->setProperty(kGivenBytes, QByteArray::fromStdString(bytes));
    control->setProperty(kGivenShown, shown);
}

// The bytes last given to the control while it still holds what it held for them;
// otherwise the Windows-1252 form of what it holds now.
std::string givenOrRead(const QWidget* control, const QString& shown)
{
    const QVariant given = control->property(kGivenBytes);
    if (given.isValid() && control->property(kGivenShown).toString() == shown)
        return given.toByteArray().toStdString();
    return toAnsi(shown);
}

// A multi-line box's text with its line breaks as stored (carriage return and line
// feed) and its no-break spaces kept; the box itself holds paragraph separators.
QString multiLineText(const QTextEdit* edit)
{
    QString text = edit->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return text;
}

} // namespace

void DDX_Text(DataExchange& dx, QLineEdit* edit, std::string& value)
{
    if (dx.m_saveAndValidate) {
        value = givenOrRead(edit, edit->text());
        return;
    }
    edit->setText(fromAnsi(value));
    edit->setCursorPosition(0);
    rememberGiven(edit, value, edit->text());
}

void DDX_Text(DataExchange& dx, QTextEdit* edit, std::string& value)
{
    if (dx.m_saveAndValidate) {
        value = givenOrRead(edit, multiLineText(edit));
        return;
    }
    edit->setPlainText(fromAnsi(value));
    rememberGiven(edit, value, multiLineText(edit));
}

void DDX_CBString(DataExchange& dx, QComboBox* combo, std::string& value)
{
    if (dx.m_saveAndValidate) {
        value = givenOrRead(combo, combo->currentText());
        return;
    }
    const QString text = fromAnsi(value);
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    combo->setCurrentIndex(index);
    if (index < 0)
        combo->setEditText(text);
    if (QLineEdit* edit = combo->lineEdit())
        edit->setCursorPosition(0);
    rememberGiven(combo, value, combo->currentText());
}

void DDX_Radio(DataExchange& dx, const QList<QRadioButton*>& group, int& value)
{
    if (dx.m_saveAndValidate) {
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
