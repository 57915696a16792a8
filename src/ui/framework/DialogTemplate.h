#pragma once

#include "ui/framework/DialogUnits.h"

#include <QString>
#include <QStringList>
#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTextEdit;


// Places the controls of a dialog or page at rectangles given in dialog units, in
// tab order. Each control is named after its numeric identifier, so that it can be
// found again by that name. What the user types into a text control is kept
// storable in a collection (keepInputStorable). A label placed just before a field
// is that field's label, as in a dialog template: the label's key moves the focus to
// the field, and a screen reader names the field after it.
// Text boxes show whole lines, and one-line fields too narrow for their text show it
// whole in a tooltip.
class DialogTemplate {
public:
    DialogTemplate(QWidget* dialog, int width, int height);

    const DialogUnits& units() const { return m_units; }

    enum class Align { Left, Right };
    QLabel* label(const QString& text, int x, int y, int w, int h, Align align = Align::Left);
    // A single-line edit; a limit stops typing at that many characters.
    QLineEdit* edit(int id, int x, int y, int w, int h, int limit = 0);

    enum class TextBox { Plain, Scrolled, ScrolledNoReturn, SmallRightAligned };
    QTextEdit* multiLine(int id, int x, int y, int w, int h, TextBox kind);
    // A drop-down list whose edit field accepts any text; the items are shown sorted
    // when `sorted`. The height is that of the dropped-down list.
    QComboBox* editableList(int id, int x, int y, int w, int h, const QStringList& items, bool sorted, int limit = 0);
    QComboBox* dropDownList(int id, int x, int y, int w, int h);
    QRadioButton* radio(int id, const QString& text, int x, int y, int w, int h);
    QGroupBox* groupBox(const QString& text, int x, int y, int w, int h);
    QPushButton* button(int id, const QString& text, int x, int y, int w, int h, bool isDefault = false);

private:
    void place(QWidget* control, int id, int x, int y, int w, int h);
    // The field placed after a label is the label's; anything else placed after it
    // leaves the label a note of its own.
    void placeField(QWidget* field, int id, int x, int y, int w, int h);
    void placeOther(QWidget* control, int id, int x, int y, int w, int h);

    QWidget* m_dialog;
    DialogUnits m_units;
    QWidget* m_lastInTabOrder = nullptr;
    QLabel* m_labelOfNextField = nullptr;
};
