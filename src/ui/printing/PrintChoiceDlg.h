#pragma once

#include <QDialog>

// Asks whether to print the entry shown or the whole collection. "Current
// selection" clears the print-all switch, "Complete list" sets it; both end with OK.
class CPrintChoiceDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCurrentSelection = 1049;
    static constexpr int kCompleteList = 1050;

    explicit CPrintChoiceDlg(QWidget* parent = nullptr);

    // After OK: true for "Complete list", false for "Current selection".
    bool printAll() const { return m_bPrintAll; }

private:
    bool m_bPrintAll = false;
};
