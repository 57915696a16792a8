#pragma once

#include "collection/CollectionArchive.h"
#include "framework/Document.h"

class EntryViewLink;

// The open collection: its ordered entries, its file and the prompts around them.
class CTalvaneDoc : public CDocument {
    Q_OBJECT
public:
    CTalvaneDoc(UiServices& services, RecentFileList& recentFiles);

    EntryList m_entryList;

    // The view that shows the entries; null while there is none.
    void SetView(EntryViewLink* view) { m_view = view; }
    EntryViewLink* GetView() const { return m_view; }

    void DeleteContents() override;
    bool OnNewDocument() override;
    bool OnOpenDocument(const QString& path) override;
    bool OnSaveDocument(const QString& path) override;
    bool DoFileSave() override;

    // Opens a collection as File Open and the recent-file list do: the page edits and
    // the modified collection are offered for saving first. False when nothing was opened.
    bool OpenDocumentFile(const QString& path);

    // Commands.
    void OnFileNew();
    bool OnFileSave();
    void OnFileSaveAs();
    void OnFileOpen();
    void OnOpenRecentFile(const QString& path);
    bool OnUpdateFileSave() const { return IsModified(); }

    // Asks a file name and saves there; false when cancelled or the save failed.
    bool AskSaveFileName();
    // Run when the main window is asked to close. False when the user asked for a
    // save that did not happen: the window then stays open.
    bool SaveBeforeExit();

protected:
    std::optional<std::string> ReadFile(const QString& path) override;
    std::optional<std::string> WriteFile(const QString& path) override;
    QString FileFilter() const override;
    QString FileSuffix() const override;

private:
    bool OpenWithoutOffer(const QString& path);

    EntryViewLink* m_view = nullptr;
};
