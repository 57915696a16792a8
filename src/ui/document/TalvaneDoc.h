#pragma once

#include "collection/CollectionArchive.h"
#include "framework/Document.h"

#include <QUndoStack>

#include <optional>
#include <utility>
#include <vector>

class EntryViewLink;

// New values for some fields of one entry, by field index.
using FieldValues = std::vector<std::pair<std::size_t, std::string>>;

// The open collection: its ordered entries, the entry the pages show, the history of
// changes, its file and the prompts around them. Entries are found by position, in
// file order: names need not be unique. Every change to the entries goes through the
// operations below, each one step of the history that Undo and Redo walk.
class CTalvaneDoc : public CDocument {
    Q_OBJECT
public:
    CTalvaneDoc(UiServices& services, RecentFileList& recentFiles);
    ~CTalvaneDoc() override;

    std::size_t entryCount() const { return m_entries.size(); }
    const CBonsaiData& entryAt(std::size_t position) const { return *m_entries.at(position); }
    const EntryList& entries() const { return m_entries; }

    // Appends an entry, which becomes the current one.
    void addEntry(std::unique_ptr<CBonsaiData> entry);
    // Gives fields of an entry new values as one step named stepText ("Update “Momiji”").
    // Values equal to the present ones are left out; false when none differs.
    bool changeFields(std::size_t position, const FieldValues& values, const QString& stepText);
    // Removes an entry; its neighbour (the next, else the previous) becomes current.
    void removeEntry(std::size_t position);

    // The entry the pages show, or none.
    std::optional<std::size_t> currentPosition() const { return m_current; }
    const CBonsaiData* currentEntry() const { return m_current ? m_entries[*m_current].get() : nullptr; }
    void setCurrentPosition(std::optional<std::size_t> position);

    // The name of a step of the history: the verb and the entry's name in quotes.
    static QString StepText(const QString& verb, const std::string& name);

    QUndoStack& history() { return m_history; }
    // Edit Undo and Redo: edits on the pages are offered for keeping first.
    void OnEditUndo();
    void OnEditRedo();

    // The view that shows the entries; null while there is none.
    void SetView(EntryViewLink* view) { m_view = view; }
    // Asks the view to offer keeping the edits made on its pages.
    void OfferToKeepChanges();

    void SetModifiedFlag(bool modified = true) override;
    void DeleteContents() override;
    bool OnNewDocument() override;
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

signals:
    void entryInserted(std::size_t position);
    void entryRemoved(std::size_t position);
    void entryChanged(std::size_t position);
    // Every entry was replaced (New, Open).
    void entriesReset();
    void currentChanged();

protected:
    std::optional<std::string> ReadFile(const QString& path) override;
    void AdoptReadContents() override;
    std::optional<std::string> WriteFile(const QString& path) override;
    QString FileFilter() const override;
    QString FileSuffix() const override;

private:
    friend class EntryStep;
    // What the history's steps do; each shows the entry it touched.
    void insertEntry(std::size_t position, std::unique_ptr<CBonsaiData> entry);
    std::unique_ptr<CBonsaiData> takeEntry(std::size_t position);
    void setField(std::size_t position, std::size_t field, const std::string& value);

    bool OpenWithoutOffer(const QString& path);

    EntryList m_entries;
    EntryList m_readEntries; // a file read by Open, until it replaces the collection
    std::optional<std::size_t> m_current;
    QUndoStack m_history;
    EntryViewLink* m_view = nullptr;
};
