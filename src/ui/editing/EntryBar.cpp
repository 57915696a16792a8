#include "ui/editing/EntryBar.h"

#include "ui/framework/DialogTemplate.h"

#include <QComboBox>
#include <QPushButton>
#include <QStringListModel>

EntryBar::EntryBar(QWidget* parent) : QWidget(parent)
{
    DialogTemplate t(this, 366, 26);
    m_entries = t.dropDownList(kEntryList, 5, 5, 150, 67);
    // A plain list of names: a collection of many thousand entries stays light.
    m_entries->setModel(new QStringListModel(m_entries));
    m_entries->setAccessibleName(tr("Entries"));
    // Delete takes L: D and T are the keys of Add and Delete on the album and journal tabs.
    m_add = t.button(kAdd, tr("&Add"), 165, 5, 50, 14);
    m_update = t.button(kUpdate, tr("&Update"), 225, 5, 50, 14);
    m_delete = t.button(kDelete, tr("De&lete"), 290, 5, 50, 14);
}
