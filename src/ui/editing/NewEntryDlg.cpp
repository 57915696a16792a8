#include "ui/editing/NewEntryDlg.h"

#include "core/collection/BonsaiData.h"
#include "core/collection/FieldCatalogue.h"
#include "ui/framework/CoreTexts.h"
#include "ui/framework/AnsiText.h"
#include "ui/framework/DialogTemplate.h"
#include "core/guide/GuideEspece.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace talvane::guide;

CNewEntryDlg::CNewEntryDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("New entry"));
    DialogTemplate t(this, 172, 101);
    const auto& field = talvane::collection::field(CBonsaiData::Name);
    t.label(coreText(field.label), 10, 10, 155, 8);
    m_name = t.edit(1035, 10, 20, 155, 14, static_cast<int>(field.typingLimit));
    t.label(tr("&Botanical name"), 10, 45, 155, 8);
    // Item i is species i of the guide: the list is never sorted.
    m_botanicalName = t.editableList(1052, 10, 55, 155, 59, {}, false);
    for (const auto& name : botanicalNames())
        m_botanicalName->addItem(fromAnsi(name));
    m_botanicalName->setCurrentIndex(-1);
    connect(t.button(1, tr("&OK"), 28, 80, 50, 14, true), &QPushButton::clicked, this, &QDialog::accept);
    connect(t.button(2, tr("&Cancel"), 93, 80, 50, 14), &QPushButton::clicked, this, &QDialog::reject);
    m_name->setFocus();
}

void CNewEntryDlg::accept()
{
    m_strNewEntryName = toAnsi(m_name->text());
    m_strNewEntryBotanicalName = toAnsi(m_botanicalName->currentText());
    // A typed text that happens to equal a species does not choose it: only a selection does.
    const bool selected = m_botanicalName->currentIndex() >= 0 &&
                          m_botanicalName->currentText() == m_botanicalName->itemText(m_botanicalName->currentIndex());
    m_nNewEntrySpeciesIndex = selected ? m_botanicalName->currentIndex() : -1;
    QDialog::accept();
}

void CNewEntryDlg::reject()
{
    m_strNewEntryName.clear();
    QDialog::reject();
}
