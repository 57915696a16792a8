#include "ui/framework/PropertyPage.h"

#include "ui/framework/DataExchange.h"

CPropertyPage::CPropertyPage(QWidget* parent) : QWidget(parent)
{
}

void CPropertyPage::UpdateData(bool saveAndValidate)
{
    DataExchange dx(saveAndValidate);
    DoDataExchange(dx);
}
