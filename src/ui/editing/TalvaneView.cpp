#include "ui/editing/TalvaneView.h"

#include <QCoreApplication>

#include "ui/album/PhotoAlbumPage.h"
#include "ui/document/AlbumFolder.h"
#include "ui/editing/EntryBar.h"
#include "ui/editing/FormPages.h"
#include "ui/editing/NewEntryDlg.h"
#include "ui/editing/PageTransfer.h"
#include "ui/editing/RenameEntryDlg.h"
#include "ui/framework/AnsiText.h"
#include "ui/framework/TabKeys.h"
#include "ui/framework/UiServices.h"
#include "core/journal/Journal.h"
#include "ui/garden/GardenPage.h"
#include "ui/journal/GardenWatch.h"
#include "ui/journal/JournalPage.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

namespace {
QString emptyNameText()
{
    return QCoreApplication::translate("TalvaneView", "Please enter a name or an ID number.\nTry again ...");
}

QString emptyNameCaption()
{
    return QCoreApplication::translate("TalvaneView", "Error ...");
}

// Tabs with less room around their captions than the desktop style gives.
class CompactTabStyle : public QProxyStyle {
public:
    explicit CompactTabStyle(QObject* owner) { setParent(owner); }

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_TabBarTabHSpace ? value / 4 : value;
    }
};

} // namespace

CTalvaneView::CTalvaneView(CTalvaneDoc& doc, UiServices& services, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_services(services)
{
    m_pPage1 = new CPage1(services, [this] { return albumFolder(m_doc); });
    m_pPage2 = new CPage2();
    m_pPage3 = new CPage3();
    m_pPage4 = new CPage4();
    m_pPage5 = new CPage5();
    m_pPage6 = new CPage6();
    m_journalPage = new JournalPage(doc, services);
    m_gardenWatch = new GardenWatch(doc, this);
    m_gardenPage = new GardenPage(doc, *m_gardenWatch);
    m_transfer = std::make_unique<PageTransfer>(*m_pPage2, *m_pPage3, *m_pPage4, *m_pPage5, *m_pPage6, *m_pPage1,
                                                *m_journalPage, *m_gardenPage);
    createSheet();
    watchPageEdits();
    applyStepsOfPages();
    connect(&m_doc, &CTalvaneDoc::currentChanged, this, [this] {
        if (!m_applyingPages)
            showCurrentEntry();
    });
    m_doc.setView(this);
}

void CTalvaneView::createSheet()
{
    m_pSheet = new QTabWidget(this);
    m_pSheet->setUsesScrollButtons(false);
    // Each tab shows its page's caption, as the field catalogue and the report name the
    // page, with the key that brings it to the front: the keys are the sheet's own.
    const std::pair<CPropertyPage*, QString> tabs[] = {
        {m_pPage2, tr("The &plant")},    {m_pPage3, tr("Pur&chase")},    {m_pPage6, tr("&Species specifics")},
        {m_pPage4, tr("T&ransformation")}, {m_pPage5, tr("&Maintenance")}, {m_pPage1, tr("Photo al&bum")}};
    for (const auto& [page, caption] : tabs)
        m_pSheet->addTab(page, caption);
    // The sheet keeps the size of its six form and album tabs; the tabs draw closer
    // together so that the Journal's fits beside them.
    const QSize sheetSize = m_pSheet->sizeHint();
    m_pSheet->addTab(m_journalPage, tr("&Journal"));
    m_pSheet->addTab(m_gardenPage, tr("&Garden"));
    switchTabsWithPageKeys(*m_pSheet);
    m_pSheet->tabBar()->setStyle(new CompactTabStyle(m_pSheet));
    m_pSheet->move(0, 0);
    m_pSheet->resize(sheetSize);
    m_pSheet->setCurrentWidget(m_pPage2);
    m_pSheet->setEnabled(false);
    setFixedSize(m_pSheet->size());
}

void CTalvaneView::applyStepsOfPages()
{
    connect(m_pPage1, &CPage1::albumChanged, this, [this](const QString& stepText) {
        CBonsaiData album;
        ReadPagesIntoEntry(album);
        applyPageEdit(photoFieldValues(album), stepText);
    });
    connect(m_journalPage, &JournalPage::journalChanged, this, [this](const QString& verb) {
        if (const CBonsaiData* shown = m_doc.currentEntry())
            applyPageEdit({{talvane::journal::kJournalField, m_journalPage->m_journalText}},
                          CTalvaneDoc::stepText(verb, (*shown)[CBonsaiData::Name]));
    });
    connect(m_gardenPage, &GardenPage::gardenChanged, this, [this](const QString& verb) {
        if (const CBonsaiData* shown = m_doc.currentEntry())
            applyPageEdit({{talvane::collection::kPlaceField, m_gardenPage->m_placeText},
                           {talvane::collection::kWatchField, m_gardenPage->m_watchText}},
                          CTalvaneDoc::stepText(verb, (*shown)[CBonsaiData::Name]));
    });
    connect(m_gardenPage, &GardenPage::placeChanged, this, &CTalvaneView::changePlace);
}

void CTalvaneView::changePlace(const talvane::garden::Place& before, const talvane::garden::Place& after)
{
    // A place's kind and shelter are those of every tree standing there: one step changes them all.
    const std::string text = talvane::garden::placeFieldText(after);
    m_doc.history().beginMacro(tr("Change place \u201C%1\u201D").arg(fromAnsi(before.name)));
    for (std::size_t position : talvane::garden::treesAt(m_doc.entries(), before.name))
        m_doc.changeFieldsFromElsewhere(position, {{talvane::collection::kPlaceField, text}}, QString());
    m_doc.history().endMacro();
}

CTalvaneView::~CTalvaneView()
{
    m_doc.setView(nullptr);
}

void CTalvaneView::FitFrameToSheet(int menuHeight)
{
    if (m_bFrameFitted)
        return;
    m_bFrameFitted = true;
    m_rectSheetFrame = QRect(QPoint(0, 0), m_pSheet->size()).adjusted(0, -menuHeight, 0, 0);
}

void CTalvaneView::setEntryBar(EntryBar* bar)
{
    m_entryBar = bar;
    // Only a choice the user makes in the list runs the selection change; the
    // program's own changes to the list do not.
    connect(bar->entryList(), &QComboBox::activated, this, &CTalvaneView::OnEntrySelChange);
    connect(bar->addButton(), &QPushButton::clicked, this, &CTalvaneView::OnEntryAdd);
    connect(bar->updateButton(), &QPushButton::clicked, this, &CTalvaneView::OnEntryUpdate);
    connect(bar->deleteButton(), &QPushButton::clicked, this, &CTalvaneView::OnEntryDelete);
    // The list follows the document's entries, whoever changed them.
    connect(&m_doc, &CTalvaneDoc::entriesReset, this, &CTalvaneView::ResetEntries);
    QComboBox* list = bar->entryList();
    connect(&m_doc, &CTalvaneDoc::entryInserted, list,
            [this, list](std::size_t position) { list->insertItem(static_cast<int>(position), entryListText(position)); });
    connect(&m_doc, &CTalvaneDoc::entriesAppended, list, [this, list](std::size_t first, std::size_t count) {
        list->addItems(entryListTexts(first, first + count));
    });
    connect(&m_doc, &CTalvaneDoc::entryRemoved, list,
            [list](std::size_t position) { list->removeItem(static_cast<int>(position)); });
    connect(&m_doc, &CTalvaneDoc::entryChanged, list,
            [this, list](std::size_t position) { list->setItemText(static_cast<int>(position), entryListText(position)); });
}

QStringList CTalvaneView::entryListTexts(std::size_t from, std::size_t to) const
{
    QStringList names;
    names.reserve(static_cast<qsizetype>(to - from));
    for (std::size_t i = from; i < to; ++i)
        names.append(entryListText(i));
    return names;
}

QString CTalvaneView::entryListText(std::size_t position) const
{
    return fromAnsi(m_doc.entryAt(position)[CBonsaiData::Name]);
}

void CTalvaneView::watchPageEdits()
{
    // Any change on a page may give the pages edits the entry lacks: the commands
    // that store them (Save) look again.
    const auto changed = [this] { emit commandStatesChanged(); };
    for (QLineEdit* edit : m_pSheet->findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textEdited, this, changed);
    for (QTextEdit* edit : m_pSheet->findChildren<QTextEdit*>())
        connect(edit, &QTextEdit::textChanged, this, [this, edit, changed] {
            if (edit->hasFocus())
                changed();
        });
    for (QComboBox* box : m_pSheet->findChildren<QComboBox*>())
        connect(box, &QComboBox::activated, this, changed);
    for (QRadioButton* radio : m_pSheet->findChildren<QRadioButton*>())
        connect(radio, &QRadioButton::clicked, this, changed);
}

void CTalvaneView::showJournalTab()
{
    m_pSheet->setCurrentWidget(m_journalPage);
}

void CTalvaneView::setShowing(bool showing)
{
    m_pSheet->setEnabled(showing);
    emit commandStatesChanged();
}

bool CTalvaneView::hasCurrentEntry() const
{
    return m_doc.currentPosition().has_value();
}

bool CTalvaneView::hasPageEdits() const
{
    const CBonsaiData* current = m_doc.currentEntry();
    if (!current)
        return false;
    CBonsaiData edited;
    ReadPagesIntoEntry(edited);
    return !pageFieldsEqual(*current, edited);
}

void CTalvaneView::showCurrentEntry()
{
    const auto position = m_doc.currentPosition();
    if (!position) {
        ClearPages();
        setShowing(false);
        return;
    }
    m_entryBar->entryList()->setCurrentIndex(static_cast<int>(*position));
    LoadEntryIntoPages(*position);
    setShowing(true);
}

void CTalvaneView::LoadEntryIntoPages(std::size_t position)
{
    if (position >= m_doc.entryCount())
        return;
    m_transfer->loadEntry(m_doc.entryAt(position));
}

void CTalvaneView::ReadPagesIntoEntry(CBonsaiData& entry) const
{
    m_transfer->readPagesInto(entry);
}

void CTalvaneView::showChangeBesidePageEdits(const std::function<std::string(const std::string&)>& merged)
{
    if (const CBonsaiData* shown = m_doc.currentEntry())
        m_transfer->loadAlbumAndJournal(*shown, merged);
    emit commandStatesChanged();
}

void CTalvaneView::applyPageEdit(const FieldValues& values, const QString& stepText)
{
    const auto position = m_doc.currentPosition();
    if (!position)
        return;
    m_applyingPages = true;
    m_doc.changeFields(*position, values, stepText);
    m_applyingPages = false;
    emit commandStatesChanged();
}

void CTalvaneView::CreateEntryFromPages(const std::string& name)
{
    auto entry = std::make_unique<CBonsaiData>();
    (*entry)[CBonsaiData::Name] = name;
    ReadPagesIntoEntry(*entry);
    m_applyingPages = true;
    m_doc.addEntry(std::move(entry));
    m_applyingPages = false;
    m_entryBar->entryList()->setCurrentIndex(static_cast<int>(m_doc.entryCount() - 1));
    m_pPage1->ShowPicture(0);
}

void CTalvaneView::CommitCurrentEntry()
{
    const CBonsaiData* current = m_doc.currentEntry();
    if (!current)
        return;
    CBonsaiData edited;
    ReadPagesIntoEntry(edited);
    // A change is a step of the history, which marks the collection modified; no
    // change leaves the flag as it was, so a failed save leaves it as it was too.
    applyPageEdit(pageFieldValues(edited), CTalvaneDoc::stepText(tr("Update"), (*current)[CBonsaiData::Name]));
}

void CTalvaneView::OfferToKeepChanges()
{
    if (const auto kept = askPageEditsToKeep())
        applyPageEdit(kept->values, CTalvaneDoc::stepText(tr("Update"), (*kept->entry)[CBonsaiData::Name]));
}

std::optional<KeptPageEdits> CTalvaneView::askPageEditsToKeep()
{
    const CBonsaiData* current = m_doc.currentEntry();
    if (!current)
        return std::nullopt;
    CBonsaiData edited;
    ReadPagesIntoEntry(edited);
    FieldValues values = changedPageFieldValues(*current, edited);
    if (values.empty())
        return std::nullopt;
    if (m_services.prompter().ask(tr("Do you wish to update the change(s)\nyou made on the previous entry?"),
                                  tr("Attention"), mb::kYesNo | mb::kIconQuestion) != mb::kIdYes)
        return std::nullopt;
    return KeptPageEdits{current, std::move(values)};
}

void CTalvaneView::ClearPages()
{
    m_transfer->clearPages();
    m_entryBar->entryList()->clear();
}

void CTalvaneView::PreparePagesForNewEntry(int speciesIndex, const std::string& typedBotanicalName)
{
    m_transfer->prepareNewEntry(speciesIndex, typedBotanicalName);
}

void CTalvaneView::ResetEntries()
{
    // The pages keep nothing of the collection that went.
    ClearPages();
    m_entryBar->entryList()->addItems(entryListTexts(0, m_doc.entryCount()));
    if (m_doc.currentPosition())
        showCurrentEntry();
    else
        setShowing(false);
}

void CTalvaneView::OnEntrySelChange(int index)
{
    // Choosing the entry already shown changes nothing and asks nothing.
    if (index >= 0 && m_doc.currentPosition() == static_cast<std::size_t>(index))
        return;
    OfferToKeepChanges();
    if (index >= 0 && static_cast<std::size_t>(index) < m_doc.entryCount())
        m_doc.setCurrentPosition(static_cast<std::size_t>(index));
}

void CTalvaneView::OnEntryAdd()
{
    if (m_doc.entryCount() > 0)
        OfferToKeepChanges();
    CNewEntryDlg dialog(this);
    if (m_services.dialogRunner().run(dialog) != QDialog::Accepted)
        return;
    if (dialog.entryName().empty()) {
        m_services.prompter().ask(emptyNameText(), emptyNameCaption(), mb::kOk | mb::kIconExclamation);
        return;
    }
    // The pages change under the current entry from here on: it no longer shows.
    m_applyingPages = true;
    m_doc.setCurrentPosition(std::nullopt);
    m_applyingPages = false;
    PreparePagesForNewEntry(dialog.speciesIndex(), dialog.botanicalName());
    CreateEntryFromPages(dialog.entryName());
    setShowing(true);
    m_pSheet->setCurrentWidget(m_pPage2);
}

void CTalvaneView::OnEntryUpdate()
{
    CommitCurrentEntry();
    // Update marks the collection modified even when the pages held no change.
    if (hasCurrentEntry())
        m_doc.SetModifiedFlag();
}

void CTalvaneView::OnEntryDelete()
{
    // The entry shown, which the entry box selects and the collection list marks: the
    // question names it and Delete removes it, whichever of the two was used last.
    const auto position = m_doc.currentPosition();
    const QString name = position ? entryListText(*position) : QString();
    const QString question = QStringLiteral("< ") + name + tr(" > will be delete from the list !!!");
    if (m_services.prompter().ask(question, tr("Attention"), mb::kOkCancel | mb::kIconQuestion) != mb::kIdOk)
        return;
    if (!position) {
        m_doc.SetModifiedFlag();
        return;
    }
    m_doc.removeEntry(*position);
}

void CTalvaneView::onEntryRename()
{
    const CBonsaiData* current = m_doc.currentEntry();
    if (!current)
        return;
    const std::string oldName((*current)[CBonsaiData::Name]);
    RenameEntryDlg dialog(oldName, this);
    if (m_services.dialogRunner().run(dialog) != QDialog::Accepted)
        return;
    if (dialog.entryName().empty()) {
        m_services.prompter().ask(emptyNameText(), emptyNameCaption(), mb::kOk | mb::kIconExclamation);
        return;
    }
    applyPageEdit({{CBonsaiData::Name, dialog.entryName()}}, CTalvaneDoc::stepText(tr("Rename"), oldName));
    m_entryBar->entryList()->setCurrentIndex(static_cast<int>(*m_doc.currentPosition()));
}
