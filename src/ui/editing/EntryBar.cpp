#include "editing/EntryBar.h"

#include "framework/DialogTemplate.h"

#include <QComboBox>
#include <QPushButton>

CEntryBar::CEntryBar(QWidget* parent) : QWidget(parent)
{
    DialogTemplate t(this, 366, 26);
    m_entries = t.DropDownList(kEntryList, 5, 5, 150, 67);
    m_add = t.Button(kAdd, QStringLiteral("Add"), 165, 5, 50, 14);
    m_update = t.Button(kUpdate, QStringLiteral("Update"), 225, 5, 50, 14);
    m_delete = t.Button(kDelete, QStringLiteral("Delete"), 290, 5, 50, 14);
}
