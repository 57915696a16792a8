#pragma once

#include <QList>

#include <string>

class QComboBox;
class QLineEdit;
class QRadioButton;
class QTextEdit;

// Moves values between a dialog's members (Windows-1252 texts) and its controls,
// in one direction per exchange.
//
// A control gives back exactly the bytes it was given until it shows something else:
// what a control does to a text on the way in (a no-break space, a lone line break)
// never reaches the entry unless the user changes that control. Lengths are not
// checked here: the controls stop typing at their limit, so a longer value came from
// the file and is kept whole.
class DataExchange {
public:
    explicit DataExchange(bool saveAndValidate) : m_saveAndValidate(saveAndValidate) {}

    // True when controls are read into members; false when members are shown.
    const bool m_saveAndValidate;
};

// A one-line text is shown from its first character.
void DDX_Text(DataExchange& dx, QLineEdit* edit, std::string& value);
void DDX_Text(DataExchange& dx, QTextEdit* edit, std::string& value);
// An editable list: shows an item only when it equals the value exactly; any other
// value goes into the edit field as it stands. Reading gives the edit field's text.
void DDX_CBString(DataExchange& dx, QComboBox* combo, std::string& value);
// A group of radio buttons: -1 when none is checked, else the checked button's index.
void DDX_Radio(DataExchange& dx, const QList<QRadioButton*>& group, int& value);
