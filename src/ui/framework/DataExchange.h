#pragma once

#include <QList>

#include <string>

class QComboBox;
class QLineEdit;
class QRadioButton;
class QTextEdit;
class QWidget;

// Moves values between a dialog's members (Windows-1252 texts) and its controls,
// in one direction per exchange. Length limits only stop typing: a longer value can
// only have come from the file, and it is shown, kept and read back whole.
class CDataExchange {
public:
    explicit CDataExchange(bool saveAndValidate) : m_bSaveAndValidate(saveAndValidate) {}

    // True when controls are read into members; false when members are shown.
    const bool m_bSaveAndValidate;
};

void DDX_Text(CDataExchange& dx, QLineEdit* edit, std::string& value);
void DDX_Text(CDataExchange& dx, QTextEdit* edit, std::string& value);
// An editable list: shows an item only when it equals the value exactly; any other
// value goes into the edit field as it stands. Reading gives the edit field's text.
void DDX_CBString(CDataExchange& dx, QComboBox* combo, std::string& value);
// A group of radio buttons: -1 when none is checked, else the checked button's index.
void DDX_Radio(CDataExchange& dx, const QList<QRadioButton*>& group, int& value);
