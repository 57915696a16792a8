#include "ui/printing/PrintChoiceDlg.h"

#include "ui/framework/DialogTemplate.h"

#include <QPushButton>

CPrintChoiceDlg::CPrintChoiceDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Print the ..."));
    DialogTemplate t(this, 122, 76);
    connect(t.button(kCurrentSelection, tr("Current &selection"), 15, 10, 90, 14), &QPushButton::clicked,
            this, [this] {
                m_bPrintAll = false;
                accept();
            });
    connect(t.button(kCompleteList, tr("Complete &list"), 15, 30, 90, 14, true), &QPushButton::clicked,
            this, [this] {
                m_bPrintAll = true;
                accept();
            });
    connect(t.button(2, tr("&Cancel"), 35, 55, 50, 14), &QPushButton::clicked, this, &QDialog::reject);
}
