#pragma once

#include <QString>

class QLabel;
class QWidget;

// Texts of menus, buttons, tabs and labels mark the key that reaches them with "&".

// The text as shown: "&Add" shows "Add", and "&&" shows one "&".
QString withoutMnemonic(const QString& text);

// The name a screen reader gives a field after its label: the label as shown, without
// the colon that ends it ("&Date:" names the field "Date").
QString fieldNameOfLabel(const QString& labelText);

// Names a field after the text that labels it, and the control that takes the field's
// focus, unless the program gave them names of their own.
void nameFieldAfter(QWidget& field, const QString& labelText);

// Names the label's buddy after the label, as nameFieldAfter does.
void nameBuddyAfterLabel(const QLabel& label);

// Names every labelled field under `root` after its label, as nameBuddyAfterLabel does.
void nameFieldsAfterTheirLabels(const QWidget& root);
