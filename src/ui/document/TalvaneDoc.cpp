#include "document/TalvaneDoc.h"

#include "collection/CollectionFile.h"
#include "document/EntrySteps.h"
#include "document/EntryViewLink.h"
#include "document/UndoKeepingEdits.h"
#include "framework/AnsiText.h"
#include "framework/RecentFileList.h"
#include "framework/UiServices.h"

#include <QFile>

namespace {
const QString kCaption = QStringLiteral("Attention");

} // namespace

CTalvaneDoc::CTalvaneDoc(UiServices& services, RecentFileList& recentFiles) : CDocument(services, recentFiles)
{
    // The collection is modified exactly when the history is away from the state
    // last read or saved.
    connect(&m_history, &QUndoStack::cleanChanged, this, [this](bool clean) { CDocument::SetModifiedFlag(!clean); });
}

CTalvaneDoc::~CTalvaneDoc()
{
    // Steps refer to the document: they go first.
    m_history.clear();
}

void CTalvaneDoc::addEntry(std::unique_ptr<CBonsaiData> entry)
{
    const QString text = StepText(QStringLiteral("Add"), (*entry)[CBonsaiData::Name]);
    m_history.push(new AddEntryStep(*this, text, std::move(entry)));
}

bool CTalvaneDoc::changeFields(std::size_t position, const FieldValues& values, const QString& stepText)
{
    const CBonsaiData& entry = entryAt(position);
    std::vector<ChangeFieldsStep::Change> changes;
    for (const auto& [field, value] : values) {
        if (entry[field] != value)
            changes.push_back({field, entry[field], value});
    }
    if (changes.empty())
        return false;
    m_history.push(new ChangeFieldsStep(*this, stepText, position, std::move(changes)));
    return true;
}

void CTalvaneDoc::removeEntry(std::size_t position)
{
    const QString text = StepText(QStringLiteral("Delete"), entryAt(position)[CBonsaiData::Name]);
    m_history.push(new RemoveEntryStep(*this, text, position));
}

QString CTalvaneDoc::StepText(const QString& verb, const std::string& name)
{
    // One substitution step: a name holding "%1" stays as it is.
    return QStringLiteral("%1 \u201C%2\u201D").arg(verb, FromAnsi(name));
}

void CTalvaneDoc::setCurrentPosition(std::optional<std::size_t> position)
{
    m_current = position;
    emit currentChanged();
}

void CTalvaneDoc::insertEntry(std::size_t position, std::unique_ptr<CBonsaiData> entry)
{
    m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(position), std::move(entry));
    if (m_current && *m_current >= position)
        ++*m_current;
    emit entryInserted(position);
}

std::unique_ptr<CBonsaiData> CTalvaneDoc::takeEntry(std::size_t position)
{
    auto entry = std::move(m_entries[position]);
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(position));
    // No position may outlive the entry it named.
    if (m_current && *m_current == position)
        m_current.reset();
    else if (m_current && *m_current > position)
        --*m_current;
    emit entryRemoved(position);
    return entry;
}

void CTalvaneDoc::setField(std::size_t position, std::size_t field, const std::string& value)
{
    (*m_entries[position])[field] = value;
}

void CTalvaneDoc::OfferToKeepChanges()
{
    if (m_view)
        m_view->OfferToKeepChanges();
}

void CTalvaneDoc::OnEditUndo()
{
    if (!m_history.canUndo())
        return;
    if (const auto kept = m_view ? m_view->AskPageEditsToKeep() : std::nullopt)
        UndoKeepingEdits(*this, *kept);
    else
        m_history.undo();
}

void CTalvaneDoc::OnEditRedo()
{
    if (!m_history.canRedo())
        return;
    if (const auto kept = m_view ? m_view->AskPageEditsToKeep() : std::nullopt)
        RedoKeepingEdits(*this, *kept);
    else
        m_history.redo();
}

void CTalvaneDoc::SetModifiedFlag(bool modified)
{
    // A save or a fresh collection is the new clean point of the history.
    if (!modified)
        m_history.setClean();
    CDocument::SetModifiedFlag(modified);
}

void CTalvaneDoc::DeleteContents()
{
    if (m_view)
        m_view->ResetEntries();
    m_history.clear();
    m_current.reset();
    m_entries.clear();
    emit entriesReset();
}

bool CTalvaneDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    if (m_view)
        m_view->ResetEntries();
    return true;
}

bool CTalvaneDoc::OnSaveDocument(const QString& path)
{
    if (m_view)
        m_view->CommitCurrentEntry();
    return CDocument::OnSaveDocument(path);
}

bool CTalvaneDoc::DoFileSave()
{
    return OnFileSave();
}

std::optional<std::string> CTalvaneDoc::ReadFile(const QString& path)
{
    m_readEntries.clear();
    return LoadCollectionFile(QFile::encodeName(path).toStdString(), m_readEntries);
}

void CTalvaneDoc::AdoptReadContents()
{
    m_entries = std::move(m_readEntries);
    m_readEntries.clear();
    emit entriesReset();
}

std::optional<std::string> CTalvaneDoc::WriteFile(const QString& path)
{
    return SaveCollectionFile(QFile::encodeName(path).toStdString(), m_entries);
}

QString CTalvaneDoc::FileFilter() const
{
    return QStringLiteral("Talvane Files (*.tvn)");
}

QString CTalvaneDoc::FileSuffix() const
{
    return QStringLiteral("tvn");
}

bool CTalvaneDoc::AskSaveFileName()
{
    FileRequest request;
    request.caption = QStringLiteral("Save As");
    request.initialName = QStringLiteral("*.tvn");
    request.defaultSuffix = QStringLiteral("tvn");
    request.confirmOverwrite = true;
    return SaveToChosenFile(request);
}

bool CTalvaneDoc::OnFileSave()
{
    if (GetTitle() == kUntitled)
        return AskSaveFileName();
    // A collection always knows the file it came from; a bare title is only a fallback.
    return OnSaveDocument(GetPathName().isEmpty() ? GetTitle() : GetPathName());
}

void CTalvaneDoc::OnFileNew()
{
    OfferToKeepChanges();
    if (!AskToSave(QStringLiteral("Do you wish to save this file:\n") + GetTitle(), kCaption, mb::kYesNo | mb::kIconExclamation))
        return;
    OnNewDocument();
    SetTitle(kUntitled);
}

bool CTalvaneDoc::SaveBeforeExit()
{
    OfferToKeepChanges();
    if (!AskToSave(QStringLiteral("Do you wish to save this file before exiting:\n") + GetTitle(), kCaption,
                   mb::kYesNo | mb::kIconQuestion))
        return false;
    SetModifiedFlag(false);
    return true;
}

void CTalvaneDoc::OnFileSaveAs()
{
    DoSaveAs();
}

void CTalvaneDoc::OnFileOpen()
{
    OfferToKeepChanges();
    FileRequest request;
    request.caption = QStringLiteral("Open");
    request.nameFilters = {FileFilter(), QStringLiteral("All Files (*)")};
    request.defaultSuffix = FileSuffix();
    if (const auto path = services().fileChooser().chooseOpenFile(request))
        OpenWithoutOffer(*path);
}

void CTalvaneDoc::OnOpenRecentFile(const QString& path)
{
    OpenDocumentFile(path);
}

bool CTalvaneDoc::OpenDocumentFile(const QString& path)
{
    OfferToKeepChanges();
    return OpenWithoutOffer(path);
}

bool CTalvaneDoc::OpenWithoutOffer(const QString& path)
{
    if (!SaveModified())
        return false;
    if (!OnOpenDocument(path)) {
        recentFiles().remove(path);
        return false;
    }
    SetPathName(path);
    if (m_view)
        m_view->OnInitialUpdate();
    return true;
}
