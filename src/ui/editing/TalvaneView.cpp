#include "editing/TalvaneView.h"

#include "album/PhotoAlbumPage.h"
#include "collection/TalvaneDoc.h"
#include "editing/EntryBar.h"
#include "editing/FormPages.h"
#include "editing/NewEntryDlg.h"
#include "editing/PageTransfer.h"
#include "framework/AnsiText.h"
#include "framework/UiServices.h"

#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>

QRect g_rectSheetFrame;
CBonsaiData* g_pCurrentEntry = nullptr;

CTalvaneView::CTalvaneView(CTalvaneDoc& doc, UiServices& services, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_services(services)
{
    g_pCurrentEntry = nullptr;
    m_pPage1 = new CPage1(services, [this] { m_doc.SetModifiedFlag(); });
    m_pPage2 = new CPage2(services.prompter());
    m_pPage3 = new CPage3(services.prompter());
    m_pPage4 = new CPage4(services.prompter());
    m_pPage5 = new CPage5(services.prompter());
    m_pPage6 = new CPage6(services.prompter());
    m_transfer = std::make_unique<PageTransfer>(*m_pPage2, *m_pPage3, *m_pPage4, *m_pPage5, *m_pPage6, *m_pPage1);

    m_pSheet = new QTabWidget(this);
    m_pSheet->setUsesScrollButtons(false);
    for (CPropertyPage* page :
         std::initializer_list<CPropertyPage*>{m_pPage2, m_pPage3, m_pPage6, m_pPage4, m_pPage5, m_pPage1})
        m_pSheet->addTab(page, page->caption());
    m_pSheet->move(0, 0);
    m_pSheet->resize(m_pSheet->sizeHint());
    m_pSheet->setCurrentWidget(m_pPage2);
    m_pSheet->setEnabled(false);
    setFixedSize(m_pSheet->size());
    m_doc.SetView(this);
}

CTalvaneView::~CTalvaneView()
{
    m_doc.SetView(nullptr);
    m_doc.m_entryList.clear();
    g_pCurrentEntry = nullptr;
}

void CTalvaneView::FitFrameToSheet(int menuHeight)
{
    if (m_bFrameFitted)
        return;
    m_bFrameFitted = true;
    g_rectSheetFrame = QRect(QPoint(0, 0), m_pSheet->size()).adjusted(0, -menuHeight, 0, 0);
}

void CTalvaneView::SetEntryBar(CEntryBar* bar)
{
    m_entryBar = bar;
    // Only a choice the user makes in the list runs the selection change; the
    // program's own changes to the list do not.
    connect(bar->entryList(), &QComboBox::activated, this, &CTalvaneView::OnEntrySelChange);
    connect(bar->addButton(), &QPushButton::clicked, this, &CTalvaneView::OnEntryAdd);
    connect(bar->updateButton(), &QPushButton::clicked, this, &CTalvaneView::OnEntryUpdate);
    connect(bar->deleteButton(), &QPushButton::clicked, this, &CTalvaneView::OnEntryDelete);
}

void CTalvaneView::SetShowing(bool showing)
{
    m_pSheet->setEnabled(showing);
    emit commandStatesChanged();
}

void CTalvaneView::OnInitialUpdate()
{
    m_bHasEntries = true;
    const EntryList& entries = m_doc.m_entryList;
    QComboBox* list = m_entryBar->entryList();
    if (!entries.empty()) {
        QStringList names;
        names.reserve(static_cast<qsizetype>(entries.size()));
        for (const auto& entry : entries)
            names.append(FromAnsi((*entry)[CBonsaiData::Name]));
        list->addItems(names);
        list->setCurrentIndex(0);
        m_posCurrent = 0;
        LoadEntryIntoPages(0);
    } else {
        m_posCurrent.reset();
    }
    SetShowing(!entries.empty());
}

void CTalvaneView::LoadEntryIntoPages(std::size_t position)
{
    if (position >= m_doc.m_entryList.size())
        return;
    g_pCurrentEntry = m_doc.m_entryList[position].get();
    m_transfer->LoadEntry(*g_pCurrentEntry);
}

void CTalvaneView::ReadPagesIntoEntry(CBonsaiData& entry)
{
    m_transfer->ReadPagesInto(entry);
}

void CTalvaneView::CreateEntryFromPages(const std::string& name)
{
    auto entry = std::make_unique<CBonsaiData>();
    (*entry)[CBonsaiData::Name] = name;
    ReadPagesIntoEntry(*entry);
    g_pCurrentEntry = entry.get();
    m_doc.m_entryList.push_back(std::move(entry));
    m_posCurrent = m_doc.m_entryList.size() - 1;
    QComboBox* list = m_entryBar->entryList();
    list->addItem(FromAnsi(name));
    list->setCurrentIndex(list->count() - 1);
    m_pPage1->ShowPicture(0);
    m_doc.SetModifiedFlag();
}

void CTalvaneView::CommitCurrentEntry()
{
    if (!g_pCurrentEntry)
        return;
    ReadPagesIntoEntry(*g_pCurrentEntry);
    m_doc.SetModifiedFlag();
}

void CTalvaneView::OfferToKeepChanges()
{
    if (!g_pCurrentEntry)
        return;
    CBonsaiData edited;
    ReadPagesIntoEntry(edited);
    if (PageFieldsEqual(*g_pCurrentEntry, edited))
        return;
    if (m_services.prompter().ask(QStringLiteral("Do you wish to update the change(s)\nyou made on the previous entry?"),
                                  QStringLiteral("Attention"), mb::kYesNo | mb::kIconQuestion) != mb::kIdYes)
        return;
    CopyPageFields(*g_pCurrentEntry, edited);
    m_doc.SetModifiedFlag();
}

void CTalvaneView::ClearPages()
{
    m_transfer->ClearPages();
    m_entryBar->entryList()->clear();
}

void CTalvaneView::PreparePagesForNewEntry()
{
    m_transfer->PrepareNewEntry(g_nNewEntrySpeciesIndex, g_strNewEntryBotanicalName);
}

void CTalvaneView::ResetEntries()
{
    if (!m_bHasEntries)
        return;
    g_pCurrentEntry = nullptr;
    m_posCurrent.reset();
    m_doc.m_entryList.clear();
    m_transfer->ClearPages();
    m_entryBar->entryList()->clear();
    SetShowing(false);
}

void CTalvaneView::OnEntrySelChange(int index)
{
    OfferToKeepChanges();
    if (index >= 0)
        LoadEntryIntoPages(static_cast<std::size_t>(index));
}

void CTalvaneView::OnEntryAdd()
{
    if (!m_doc.m_entryList.empty())
        OfferToKeepChanges();
    g_strNewEntryBotanicalName.clear();
    CNewEntryDlg dialog(this);
    if (m_services.dialogRunner().run(dialog) != QDialog::Accepted)
        return;
    if (g_strNewEntryName.empty()) {
        m_services.prompter().ask(QStringLiteral("Please enter a name or an ID number.\nTry again ..."),
                                  QStringLiteral("Error ..."), mb::kOk | mb::kIconExclamation);
        return;
    }
    // The pages change under the current entry from here on: it no longer shows.
    g_pCurrentEntry = nullptr;
    m_doc.SetModifiedFlag();
    PreparePagesForNewEntry();
    CreateEntryFromPages(std::string(g_strNewEntryName));
    SetShowing(true);
    m_pSheet->setCurrentWidget(m_pPage2);
}

void CTalvaneView::OnEntryUpdate()
{
    CommitCurrentEntry();
}

void CTalvaneView::OnEntryDelete()
{
    QComboBox* list = m_entryBar->entryList();
    const int index = list->currentIndex();
    const bool found = index >= 0 && static_cast<std::size_t>(index) < m_doc.m_entryList.size();
    const QString question = QStringLiteral("< ") + list->itemText(index) + QStringLiteral(" > will be delete from the list !!!");
    if (m_services.prompter().ask(question, QStringLiteral("Attention"), mb::kOkCancel | mb::kIconQuestion) != mb::kIdOk)
        return;
    m_doc.SetModifiedFlag();
    if (!found)
        return;
    // No pointer to the entry may outlive it.
    if (g_pCurrentEntry == m_doc.m_entryList[index].get())
        g_pCurrentEntry = nullptr;
    m_doc.m_entryList.erase(m_doc.m_entryList.begin() + index);
    list->removeItem(index);
    if (list->count() > 0) {
        const int next = index < list->count() ? index : index - 1;
        list->setCurrentIndex(next);
        LoadEntryIntoPages(static_cast<std::size_t>(next));
        emit commandStatesChanged();
        return;
    }
    g_pCurrentEntry = nullptr;
    m_posCurrent.reset();
    ClearPages();
    SetShowing(false);
}
