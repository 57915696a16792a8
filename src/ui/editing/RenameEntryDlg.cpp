#include "ui/editing/RenameEntryDlg.h"

#include "core/collection/BonsaiData.h"
#include "core/collection/FieldCatalogue.h"
#include "ui/framework/CoreTexts.h"
#include "ui/framework/AnsiText.h"
#include "ui/framework/DialogTemplate.h"

#include <QLineEdit>
#include <QPushButton>

RenameEntryDlg::RenameEntryDlg(const std::string& name, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Rename entry"));
    DialogTemplate t(this, 172, 61);
    const auto& field = talvane::collection::field(CBonsaiData::Name);
    t.label(coreText(field.label), 10, 10, 155, 8);
    m_name = t.edit(1035, 10, 20, 155, 14, static_cast<int>(field.typingLimit));
    m_name->setText(fromAnsi(name));
    m_name->selectAll();
    connect(t.button(1, tr("&OK"), 28, 40, 50, 14, true), &QPushButton::clicked, this, &QDialog::accept);
    connect(t.button(2, tr("&Cancel"), 93, 40, 50, 14), &QPushButton::clicked, this, &QDialog::reject);
    m_name->setFocus();
}

void RenameEntryDlg::accept()
{
    m_strEntryName = toAnsi(m_name->text());
    QDialog::accept();
}
