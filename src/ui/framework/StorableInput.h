#pragma once

class QLineEdit;
class QTextEdit;

// Keeps what the user types, pastes or drops into a text control storable in a
// collection: each character arrives as StorableText makes it, and the control says
// what it changed in a tooltip and in the status bar of its window. A text the
// program puts into the control comes from a collection, so it passes unchanged.
void keepInputStorable(QLineEdit* edit);
void keepInputStorable(QTextEdit* edit);
