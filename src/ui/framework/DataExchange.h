#pragma once

#include <QList>

#include <string>

class Prompter;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QTextEdit;
class QWidget;

// Moves values between a dialog's members (Windows-1252 texts) and its controls,
// in one direction per exchange.
class CDataExchange {
public:
    CDataExchange(bool saveAndValidate, Prompter& prompter)
        : m_bSaveAndValidate(saveAndValidate), m_prompter(prompter)
    {
    }

    // True when controls are read into members; false when members are shown.
    const bool m_bSaveAndValidate;

    // Warns that a value read is longer than its limit. The member keeps its whole
    // text and the exchange goes on, so that later values are never lost; the user
    // is told once per exchange.
    void ReportTooLong(int limit);
    bool HadTooLongValue() const { return m_reported; }

private:
    Prompter& m_prompter;
    bool m_reported = false;
};

void DDX_Text(CDataExchange& dx, QLineEdit* edit, std::string& value);
void DDX_Text(CDataExchange& dx, QTextEdit* edit, std::string& value);
// An editable list: shows an item only when it equals the value exactly; any other
// value goes into the edit field as it stands. Reading gives the edit field's text.
void DDX_CBString(CDataExchange& dx, QComboBox* combo, std::string& value);
// A group of radio buttons: -1 when none is checked, else the checked button's index.
void DDX_Radio(CDataExchange& dx, const QList<QRadioButton*>& group, int& value);
// Checks a value read against its limit, in characters.
void DDV_MaxChars(CDataExchange& dx, const std::string& value, int limit);
