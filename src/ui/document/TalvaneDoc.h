#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/collection/FileIdentity.h"
#include "ui/document/BackgroundSave.h"
#include "ui/document/CollectionLoading.h"
#include "ui/document/PictureHome.h"
#include "ui/framework/Document.h"

#include <QFileSystemWatcher>
#include <QTimer>
#include <QUndoStack>

#include <functional>
#include <memory>

#include <optional>
#include <utility>
#include <vector>

class EntryViewLink;
class WindowLock;
struct CollectionLockAttempt;
namespace talvane::collection {
struct RecoveryRecord;
}
namespace talvane::journal {
struct CareEvent;
}

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
    const talvane::collection::EntryList& entries() const { return m_entries; }

    // Appends an entry, which becomes the current one, with an identifier of its own, as
    // the step "<verb> “name”".
    void addEntry(std::unique_ptr<CBonsaiData> entry, const QString& verb = tr("Add"));
    // Gives fields of an entry new values as one step named stepText ("Update “Momiji”").
    // Values equal to the present ones are left out; false when none differs. A tree
    // without an identifier, whose field can take one, is given one in the same step.
    bool changeFields(std::size_t position, const FieldValues& values, const QString& stepText);
    // The same as a step made beside the edits on the pages (a phone's change, a journal
    // event, photos added, a task marked done), which never asks and never moves the
    // window: it stays on the entry it shows, with the edits on its pages. When that is
    // the entry changed, its album tab takes the entry's photos and its Journal tab
    // mergeJournal(the journal the tab holds), or the entry's journal without one.
    bool changeFieldsFromElsewhere(std::size_t position, const FieldValues& values, const QString& stepText,
                                   const std::function<std::string(const std::string&)>& mergeJournal = {});
    // Logs the event on each tree at `positions` (each once) as one step, "Log Watering
    // on 14 trees", made beside the edits on the pages as changeFieldsFromElsewhere makes
    // it: the Journal tab of a tree on show takes the event beside its own edits. Trees
    // without an identifier are given one in the step. A care the trees refuse (a journal
    // another program wrote) is said to the user, changes nothing and gives false.
    bool logCareOnTrees(const std::vector<std::size_t>& positions, const talvane::journal::CareEvent& event);
    // Removes an entry; its neighbour (the next, else the previous) becomes current.
    void removeEntry(std::size_t position);
    // The tree's identifier (collection/TreeIdentity.h), for whatever links to it. A tree
    // without one is given one as a step, "Identify “…”"; none when its field holds a
    // text that is not an identifier, which is kept as read.
    std::optional<std::string> ensureTreeId(std::size_t position);

    // The entry the pages show, or none.
    std::optional<std::size_t> currentPosition() const { return m_current; }
    const CBonsaiData* currentEntry() const { return m_current ? m_entries[*m_current].get() : nullptr; }
    void setCurrentPosition(std::optional<std::size_t> position);

    // The name of a step of the history: the verb and the entry's name in quotes.
    static QString stepText(const QString& verb, std::string_view name);

    QUndoStack& history() { return m_history; }
    // Edit Undo and Redo: edits on the pages are offered for keeping first.
    void onEditUndo();
    void onEditRedo();

    // The view that shows the entries; null while there is none.
    void setView(EntryViewLink* view) { m_view = view; }
    // Asks the view to offer keeping the edits made on its pages.
    void OfferToKeepChanges();

    // The collection is modified while the history is away from the state last read
    // or saved: the history is the one record of it.
    bool IsModified() const override { return !m_history.isClean(); }
    // Unsaved work without a step of its own (an Update that changed nothing, an
    // earlier version shown) leaves the history no state that is the file's, until
    // the next save.
    void SetModifiedFlag(bool modified = true) override;
    // Empties the collection without telling anyone: the operation that empties it
    // announces the entries that take its place, once they are all there.
    void DeleteContents() override;
    bool OnNewDocument() override;
    bool OnSaveDocument(const QString& path) override;
    bool doFileSave() override;
    bool OnOpenDocument(const QString& path) override;

    // Opens a collection as File Open and the recent-file list do: the page edits and
    // the modified collection are offered for saving first. False when nothing was opened.
    bool openDocumentFile(const QString& path);

    // Commands.
    void OnFileNew();
    bool OnFileSave();
    // File Save from the menu, the tool bar or Ctrl+S: a collection saved to its own file
    // before is written from a snapshot on a thread of its own, and the window goes on at
    // once. Changes made meanwhile belong to the next save; a save asked for meanwhile
    // follows the one under way. Everything else saves as OnFileSave does.
    void startFileSave();
    // Waits for a save under way, if any, and takes its outcome (a failure is said as
    // any save's is): whatever replaces or writes the collection first calls it.
    void settleSave();
    bool isSaving() const { return m_backgroundSave.isRunning(); }

    // A large collection is opened on a thread of its own: its first entry shows at once
    // and the others come in batches (entriesAppended). Until the last has come, the
    // collection has no baseline; whatever needs every entry first calls settleLoad().
    static constexpr std::uint64_t kLoadAloneFrom = 16u << 20;
    bool isLoading() const { return m_loading != nullptr; }
    // Waits for the rest of a collection being opened and takes it in.
    void settleLoad();
    // Files of this many bytes or more are opened on their own thread (kLoadAloneFrom).
    void setLoadAloneFrom(std::uint64_t bytes) { m_loadAloneFrom = bytes; }
    void onFileSaveAs();
    void OnFileOpen();
    void onOpenRecentFile(const QString& path);
    bool OnUpdateFileSave() const { return IsModified(); }

    // Open read-only: another Talvane holds the collection's lock. Edits are taken and
    // the window shows them as unsaved; Save explains and offers Save As, which writes
    // another file and ends it.
    bool isReadOnly() const { return m_readOnly; }
    // Another program changed the file since it was opened or last saved here.
    bool changedOnDisk() const { return m_changedOnDisk; }
    // Asks what to do about a change on disk, if there is one: run when the window is
    // activated. A collection without unsaved work is simply read again.
    void resolveChangeOnDisk();
    // True when there is work a save would keep: a modified collection or page edits.
    bool hasUnsavedWork() const;
    // The collection as Save would write it now, page edits included, made into bytes
    // later on any thread: the entries are shared, and what changes after is not in them.
    talvane::collection::BytePieces unsavedPieces() const;

    // File "Restore an earlier version…": the version is shown as a new, untitled and
    // modified collection. False when nothing was opened.
    bool openAsUntitledCopy(const QString& versionFile);
    // Shows work kept from a program that closed before saving it, as unsaved changes
    // of its collection (or of an untitled one when that file is gone). A file that
    // changed since the work was based on it counts as changed on disk: Save asks first.
    // A file known to be unreadable is not read again: the work goes in its place.
    bool restoreRecovered(const talvane::collection::RecoveryRecord& record, bool fileUnreadable = false);
    // Shows a whole copy of a collection that cannot be read (a backup left beside it,
    // a kept version) as unsaved changes of it: Save writes it back over the damaged file.
    bool restoreInPlaceOf(const QString& path, const QString& copyFile);
    // The folders of the collection's pictures: beside its file, or staged while it has none.
    talvane::timeline::PictureFolders pictureFolders() const
    {
        return m_pictures.folders(m_savingTo.isEmpty() ? pathName() : m_savingTo, m_entries);
    }
    PictureHome& pictureHome() { return m_pictures; }
    const PictureHome& pictureHome() const { return m_pictures; }

    // The file the collection was read from or last saved to, as it was then.
    const std::optional<talvane::collection::SaveBaseline>& baseline() const { return m_baseline; }

    // Asks a file name and saves there; false when cancelled or the save failed.
    bool AskSaveFileName();
    // Run when the main window is asked to close. False when the user asked for a
    // save that did not happen: the window then stays open.
    bool SaveBeforeExit();

signals:
    void entryInserted(std::size_t position);
    void entryRemoved(std::size_t position);
    void entryChanged(std::size_t position);
    // Every entry was replaced (New, Open, a reload, restored work), once per
    // replacement; the first entry, if any, is the current one.
    void entriesReset();
    // Entries of a collection being opened came in after the others, at first .. first+count-1.
    void entriesAppended(std::size_t first, std::size_t count);
    // A collection being opened is about to be locked: a program that serves it without
    // a window may hand it over first.
    void lockingFile(const QString& absolutePath);
    void currentChanged();
    // Read-only mode or the change on disk came or went.
    void fileStateChanged();
    // Something happened to the file the user should read in the status bar.
    void fileNotice(const QString& text);
    // A collection file that exists could not be read: something may bring it back.
    void openFailed(const QString& path);
    // The collection was written to path (absolute). formerPath is the file it had until
    // then, empty for an untitled one: another path than path after Save As.
    void saved(const QString& path, const QString& formerPath);

protected:
    std::optional<std::string> readFile(const QString& path) override;
    void adoptReadContents() override;
    std::optional<std::string> writeFile(const QString& path) override;
    QString fileFilter() const override;
    QString fileSuffix() const override;

private:
    friend class EntryStep;
    // What the history's steps do; each shows the entry it touched.
    void insertEntry(std::size_t position, std::shared_ptr<CBonsaiData> entry);
    std::shared_ptr<CBonsaiData> takeEntry(std::size_t position);
    void setField(std::size_t position, std::size_t field, const std::string& value);

    bool openWithoutOffer(const QString& path);
    // The save question, then the file read in place of the collection and taken as
    // its file, without announcing the new entries: the caller does.
    bool replaceWithFile(const QString& path);
    // Announces a collection whose entries were all replaced, its first entry current.
    void announceNewEntries();
    // Reads the open collection's file again, offering unsaved work for a conflict copy.
    bool reloadFromDisk();
    // Saves the collection shown beside its file under a conflict name, and goes on with that copy.
    bool saveConflictCopy();
    // Writes the collection shown to a conflict copy without leaving the open file.
    bool writeConflictCopy(const QString& path);
    bool isOwnFile(const QString& path) const;
    // Copies the pictures the collection names beside the file about to be written at
    // path, renaming those whose names are taken there as one step; false when they
    // cannot all be copied, which the user is told.
    bool bringPicturesTo(const QString& path, talvane::timeline::BroughtPictures& brought);
    bool leadsToOwnFile(const QString& path) const;
    // Replaces every entry with these, as a collection that has not been saved.
    void adoptUnsaved(talvane::collection::EntryList entries);
    // The same as unsaved changes of the file at path, which is locked and watched as
    // an opened one; a file changed since it was `basedOn` counts as changed on disk.
    // The entries are taken unless another Talvane holds the file (false).
    bool adoptInPlaceOf(const QString& path, talvane::collection::EntryList& entries, const std::optional<talvane::collection::FileIdentity>& basedOn);
    // Reads a whole collection that is not the open one; says why when it cannot.
    bool readCopy(const QString& file, talvane::collection::EntryList& entries);
    void forgetFile();
    // The lock of the file being opened is held elsewhere: the user opens it read-only,
    // takes a lock left on another computer over, or opens nothing (false).
    bool answerHeldLock(const QString& path, CollectionLockAttempt& attempt);
    void watchFile();
    void checkDisk();
    enum class ChangeAnswer { Reload, Overwrite, ConflictCopy, Cancel };
    ChangeAnswer askAboutChange();
    // Refuses a read-only file and asks about a file changed on disk: the save's result
    // when it ends here, nothing when it goes on.
    std::optional<bool> settleBeforeSaving(const QString& path, bool ownFile);
    // Brings the pictures beside path and writes the file, or takes both back.
    bool writeWithPictures(const QString& path);
    // The file just written at path is the collection's: locked, watched, announced.
    void takeSavedFile(const QString& path, bool ownFile);
    // Entries read by the loading thread join the collection; its end makes the file the
    // collection's, or, when the file proves damaged, leaves an empty collection.
    void takeLoadedEntries();
    void endLoading();
    // The end of a save started by startFileSave, with the count of changes it wrote.
    void takeBackgroundSave(const QString& path, const talvane::collection::CollectionSaveResult& result,
                            unsigned long long changesWritten);

    talvane::collection::EntryList m_entries;
    talvane::collection::EntryList m_readEntries; // a file read by Open, until it replaces the collection
    std::optional<std::size_t> m_current;
    QUndoStack m_history;
    EntryViewLink* m_view = nullptr;

    // The file as it was when read or last saved here, while the collection has one.
    std::optional<talvane::collection::SaveBaseline> m_baseline;
    talvane::collection::SaveBaseline m_readBaseline;     // of the file being opened
    std::string m_rollBackNotice;    // the file being opened was put back from a save that stopped
    talvane::collection::SaveBaseline m_writtenBaseline;  // of the file just written
    std::unique_ptr<WindowLock> m_lock;
    bool m_readOnly = false;
    bool m_changedOnDisk = false;
    bool m_changeAsked = false;      // the change was put to the user once already
    bool m_resolving = false;
    bool m_overwriteChanged = false; // the user chose to write over the changed file
    QFileSystemWatcher m_watcher;
    PictureHome m_pictures;
    QString m_savingTo; // the file being written, while it is
    QTimer m_diskCheck;
    // Counts every change of the entries: a save knows whether it wrote the last one.
    unsigned long long m_changeCount = 0;
    BackgroundSave m_backgroundSave;
    std::uint64_t m_loadAloneFrom = kLoadAloneFrom;
    std::unique_ptr<CollectionLoading> m_readLoading; // started by a read, until it replaces the collection
    std::unique_ptr<CollectionLoading> m_loading;
    bool m_saveAgain = false; // Save was asked for while a save was under way
};
