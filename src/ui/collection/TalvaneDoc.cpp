#include "collection/TalvaneDoc.h"

#include "collection/CollectionFile.h"
#include "collection/EntryViewLink.h"
#include "framework/RecentFileList.h"
#include "framework/UiServices.h"

#include <QFile>
#include <QFileInfo>

namespace {
const QString kCaption = QStringLiteral("Attention");
}

CTalvaneDoc::CTalvaneDoc(UiServices& services, RecentFileList& recentFiles) : CDocument(services, recentFiles) {}

void CTalvaneDoc::DeleteContents()
{
    if (m_view)
        m_view->ResetEntries();
    m_entryList.clear();
}

bool CTalvaneDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    if (m_view)
        m_view->ResetEntries();
    return true;
}

bool CTalvaneDoc::OnOpenDocument(const QString& path)
{
    if (m_view)
        m_view->ResetEntries();
    if (CDocument::OnOpenDocument(path))
        return true;
    // The previous entries are gone: leave a new, empty collection rather than one
    // that a later save would write over the previous file.
    ClearPathName();
    SetTitle(kUntitled);
    SetModifiedFlag(false);
    return false;
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
    return LoadCollectionFile(QFile::encodeName(path).toStdString(), m_entryList);
}

std::optional<std::string> CTalvaneDoc::WriteFile(const QString& path)
{
    return SaveCollectionFile(QFile::encodeName(path).toStdString(), m_entryList);
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
    const auto path = services().fileChooser().chooseSaveFile(request);
    if (!path || !OnSaveDocument(*path))
        return false;
    SetPathName(*path);
    return true;
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
    if (m_view)
        m_view->OfferToKeepChanges();
    if (IsModified()) {
        const int answer = services().prompter().ask(QStringLiteral("Do you wish to save this file:\n") + GetTitle(),
                                                     kCaption, mb::kYesNo | mb::kIconExclamation);
        // A save the user asked for that did not happen keeps the collection.
        if (answer == mb::kIdYes && !OnFileSave())
            return;
    }
    OnNewDocument();
    SetTitle(kUntitled);
}

bool CTalvaneDoc::SaveBeforeExit()
{
    if (m_view)
        m_view->OfferToKeepChanges();
    if (!IsModified())
        return true;
    const int answer = services().prompter().ask(
        QStringLiteral("Do you wish to save this file before exiting:\n") + GetTitle(), kCaption,
        mb::kYesNo | mb::kIconQuestion);
    if (answer == mb::kIdYes && !OnFileSave())
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
    if (m_view)
        m_view->OfferToKeepChanges();
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
    if (m_view)
        m_view->OfferToKeepChanges();
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
