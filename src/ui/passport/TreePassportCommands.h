#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class CTalvaneDoc;
class QLineEdit;
class QPrinter;
class UiServices;

// Asks who hands the tree on, a name the passport keeps; it may stay empty.
class PassportGiverDlg : public QDialog {
    Q_OBJECT
public:
    explicit PassportGiverDlg(const QString& treeName, QWidget* parent = nullptr);
    QLineEdit* giverEdit() const { return m_giver; }

private:
    QLineEdit* m_giver;
};

// File "Export tree passport…": the tree shown, with its pictures and journal, into
// one file another collection can take in. Gives what the status bar should say.
std::optional<QString> exportTreePassport(CTalvaneDoc& doc, UiServices& services);

// File "Import tree passport…": a passport's tree added at the end of the collection
// with its pictures, as one step. When the collection holds the tree already, the user
// chooses to bring that tree up to date or to add a separate copy. Gives what the
// status bar should say.
std::optional<QString> importTreePassport(CTalvaneDoc& doc, UiServices& services);

// File "Print passport…": the report of the tree shown, then its photos by date and
// its measurements, through the print dialog.
void printTreePassport(CTalvaneDoc& doc, UiServices& services, QPrinter& printer);
