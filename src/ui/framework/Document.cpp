#include "ui/framework/Document.h"

#include "ui/framework/RecentFileList.h"
#include "ui/framework/UiServices.h"

#include <QFileInfo>

const QString CDocument::kUntitled = tr("Untitled");

namespace {
const QString kAppCaption = QStringLiteral("Talvane");
}

CDocument::CDocument(UiServices& services, RecentFileList& recentFiles)
    : m_services(services), m_recentFiles(recentFiles)
{
}

void CDocument::SetTitle(const QString& title)
{
    if (m_title == title)
        return;
    m_title = title;
    emit titleChanged(m_title);
}

void CDocument::setPathName(const QString& path)
{
    m_pathName = QFileInfo(path).absoluteFilePath();
    SetTitle(fileNameOf(m_pathName));
    m_recentFiles.add(m_pathName);
}

bool CDocument::OnNewDocument()
{
    DeleteContents();
    m_pathName.clear();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnOpenDocument(const QString& path)
{
    if (const auto failure = readFile(path)) {
        reportOpenFailure(path, *failure);
        return false;
    }
    DeleteContents();
    adoptReadContents();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnSaveDocument(const QString& path)
{
    if (const auto failure = writeFile(path)) {
        reportSaveFailure(path, *failure);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

void CDocument::reportOpenFailure(const QString& path, const std::string& reason)
{
    m_services.prompter().ask(tr("Cannot open the collection \"%1\":\n%2.").arg(path, QString::fromStdString(reason)),
                              kAppCaption, mb::kOk | mb::kIconExclamation);
}

void CDocument::reportSaveFailure(const QString& path, const std::string& reason)
{
    m_services.prompter().ask(tr("Cannot save the collection to \"%1\":\n%2.\n"
                                             "The file on disk was not changed.")
                                  .arg(QFileInfo(path).absoluteFilePath(), QString::fromStdString(reason)),
                              kAppCaption, mb::kOk | mb::kIconExclamation);
}

bool CDocument::SaveModified()
{
    return askToSave(tr("Save changes to %1?").arg(m_title), kAppCaption, mb::kYesNoCancel | mb::kIconExclamation);
}

bool CDocument::askToSave(const QString& question, const QString& caption, unsigned flags)
{
    if (!IsModified())
        return true;
    switch (m_services.prompter().ask(question, caption, flags)) {
    case mb::kIdYes:
        return doFileSave();
    case mb::kIdNo:
        return true;
    default:
        return false;
    }
}

bool CDocument::doFileSave()
{
    if (m_pathName.isEmpty())
        return doSaveAs();
    return OnSaveDocument(m_pathName);
}

bool CDocument::doSaveAs()
{
    FileRequest request;
    request.caption = tr("Save As");
    request.initialName = m_pathName.isEmpty() ? m_title : m_pathName;
    request.nameFilters = {fileFilter()};
    request.defaultSuffix = fileSuffix();
    request.confirmOverwrite = true;
    return saveToChosenFile(request);
}

bool CDocument::saveToChosenFile(const FileRequest& request)
{
    const auto path = m_services.fileChooser().chooseSaveFile(request);
    if (!path || !OnSaveDocument(*path))
        return false;
    setPathName(*path);
    return true;
}

QString CDocument::fileNameOf(const QString& path)
{
    return QFileInfo(path).fileName();
}
