#include "framework/PropertyPage.h"

#include "framework/DataExchange.h"

CPropertyPage::CPropertyPage(const QString& caption, Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_caption(caption), m_prompter(prompter)
{
}

bool CPropertyPage::UpdateData(bool saveAndValidate)
{
    CDataExchange dx(saveAndValidate, m_prompter);
    DoDataExchange(dx);
    return !dx.HadTooLongValue();
}
