#pragma once

#include <QDialogButtonBox>
#include <QString>

class QMessageBox;

// The texts of the standard buttons the program uses, each with its key: "&OK",
// "&Cancel", "&Close", "&Open", "&Yes", "&No". Qt's own texts carry no key on some
// desktops. Empty for a button the program does not use.
QString standardButtonText(QDialogButtonBox::StandardButton button);

// Gives the standard buttons of a box those texts; a dialog whose other controls
// take one of those keys gives that button another one afterwards.
void giveStandardButtonsKeys(QDialogButtonBox& box);
void giveStandardButtonsKeys(QMessageBox& box);
