#include "ui/framework/PropertyPage.h"

#include "ui/framework/DataExchange.h"

CPropertyPage::CPropertyPage(const QString& caption, QWidget* parent) : QWidget(parent), m_caption(caption)
{
}

void CPropertyPage::UpdateData(bool saveAndValidate)
{
    DataExchange dx(saveAndValidate);
    DoDataExchange(dx);
}
