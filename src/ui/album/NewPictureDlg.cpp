#include "ui/album/NewPictureDlg.h"

#include "core/collection/BonsaiData.h"
#include "core/collection/FieldCatalogue.h"
#include "ui/framework/CoreTexts.h"
#include "ui/framework/AnsiText.h"
#include "ui/framework/DialogTemplate.h"

#include <QLineEdit>
#include <QPushButton>

CNewPictureDlg::CNewPictureDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("New picture"));
    DialogTemplate t(this, 237, 46);
    const auto& field = talvane::collection::field(CBonsaiData::Photo1Description);
    t.label(coreText(field.label), 10, 10, 155, 8);
    m_description = t.edit(1047, 10, 20, 155, 14, static_cast<int>(field.typingLimit));
    connect(t.button(1, tr("&OK"), 180, 5, 50, 14, true), &QPushButton::clicked, this, &QDialog::accept);
    connect(t.button(2, tr("&Cancel"), 180, 22, 50, 14), &QPushButton::clicked, this, &QDialog::reject);
    m_description->setFocus();
}

void CNewPictureDlg::accept()
{
    m_strNewPictureDescription = toAnsi(m_description->text());
    QDialog::accept();
}

void CNewPictureDlg::reject()
{
    m_strNewPictureDescription.clear();
    QDialog::reject();
}
