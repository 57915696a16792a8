#include "ui/document/TalvaneDoc.h"

#include "core/collection/CollectionFile.h"
#include "core/collection/RecoveryStore.h"
#include "core/collection/TreeIdentity.h"
#include "ui/document/CollectionLock.h"
#include "ui/document/EntrySteps.h"
#include "ui/document/EntryViewLink.h"
#include "ui/document/TreeIdGiving.h"
#include "ui/document/UndoKeepingEdits.h"
#include "ui/framework/AnsiText.h"
#include "ui/framework/CoreTexts.h"
#include "ui/framework/FilePaths.h"
#include "ui/framework/RecentFileList.h"
#include "ui/framework/UiServices.h"
#include "core/journal/CareOnTrees.h"
#include "core/journal/Journal.h"
#include "core/timeline/PhotoCopy.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

using namespace talvane::collection;

namespace {
QString caption()
{
    return QCoreApplication::translate("CTalvaneDoc", "Attention");
}

QString quotedName(const QString& path)
{
    return QStringLiteral("\u201C%1\u201D").arg(QFileInfo(path).fileName());
}

// Why the collection's own file cannot be saved, and what can be done instead.
QString readOnlyText(const QString& path)
{
    return QCoreApplication::translate("CTalvaneDoc", "%1 is open read-only: another Talvane is editing it.\n"
                                                      "Save your changes under another name with Save As.")
        .arg(quotedName(path));
}

} // namespace

CTalvaneDoc::CTalvaneDoc(UiServices& services, RecentFileList& recentFiles)
    : CDocument(services, recentFiles), m_pictures(RecoveryStore(RecoveryStore::defaultFolder()).stagingFolder())
{
    // The history's clean state is the modified state; its changes are the document's.
    connect(&m_history, &QUndoStack::cleanChanged, this, [this](bool clean) { emit modifiedChanged(!clean); });
    // A sync client writes in bursts: look once it has settled.
    m_diskCheck.setSingleShot(true);
    m_diskCheck.setInterval(300);
    connect(&m_diskCheck, &QTimer::timeout, this, &CTalvaneDoc::checkDisk);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_diskCheck, qOverload<>(&QTimer::start));
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_diskCheck, qOverload<>(&QTimer::start));
}

CTalvaneDoc::~CTalvaneDoc()
{
    // Steps refer to the document: they go first.
    m_history.clear();
}

void CTalvaneDoc::addEntry(std::unique_ptr<CBonsaiData> entry, const QString& verb)
{
    giveTreeIdToNewEntry(m_entries, *entry);
    const QString text = stepText(verb, (*entry)[CBonsaiData::Name]);
    m_history.push(new AddEntryStep(*this, text, std::move(entry)));
}

namespace {

std::vector<ChangeFieldsStep::Change> fieldChanges(const EntryList& entries, std::size_t position,
                                                   const FieldValues& values)
{
    const CBonsaiData& entry = *entries.at(position);
    std::vector<ChangeFieldsStep::Change> changes;
    for (const auto& [field, value] : values) {
        if (entry[field] != value)
            changes.push_back({field, std::string(entry[field]), value});
    }
    if (!changes.empty())
        addTreeIdChange(entries, position, changes);
    return changes;
}

} // namespace

bool CTalvaneDoc::changeFields(std::size_t position, const FieldValues& values, const QString& stepText)
{
    auto changes = fieldChanges(m_entries, position, values);
    if (changes.empty())
        return false;
    m_history.push(new ChangeFieldsStep(*this, stepText, position, std::move(changes)));
    return true;
}

bool CTalvaneDoc::changeFieldsFromElsewhere(std::size_t position, const FieldValues& values, const QString& stepText,
                                            const std::function<std::string(const std::string&)>& mergeJournal)
{
    auto changes = fieldChanges(m_entries, position, values);
    if (changes.empty())
        return false;
    m_history.push(new ChangeFieldsStep(*this, stepText, position, std::move(changes), false));
    if (!m_view || m_current != position)
        return true;
    const std::string journal(entryAt(position)[talvane::journal::kJournalField]);
    m_view->showChangeBesidePageEdits(mergeJournal ? mergeJournal : [&journal](const std::string&) { return journal; });
    return true;
}

bool CTalvaneDoc::logCareOnTrees(const std::vector<std::size_t>& positions, const talvane::journal::CareEvent& event)
{
    using namespace talvane::journal;
    auto care = careOnTrees(m_entries, positions, event);
    if (const auto* refusal = std::get_if<std::string>(&care)) {
        services().prompter().ask(QString::fromStdString(*refusal), caption(), mb::kOk | mb::kIconExclamation);
        return false;
    }
    const auto& changes = std::get<std::vector<JournalChange>>(care);
    const QString kind = coreText(careKindName(event.kind));
    m_history.beginMacro(changes.size() == 1 ? tr("Log %1 on 1 tree").arg(kind)
                                             : tr("Log %1 on %2 trees").arg(kind, QString::number(changes.size())));
    for (const JournalChange& change : changes) {
        // A Journal tab holding edits of its own takes the event beside them.
        const std::string before(entryAt(change.entry)[kJournalField]);
        changeFieldsFromElsewhere(change.entry, {{kJournalField, change.journalText}}, QString(),
                                  [&](const std::string& pageJournal) {
                                      if (pageJournal == before)
                                          return change.journalText;
                                      Journal merged = Journal::read(pageJournal);
                                      return merged.add(event) ? merged.text() : pageJournal;
                                  });
    }
    m_history.endMacro();
    return true;
}

void CTalvaneDoc::removeEntry(std::size_t position)
{
    const QString text = stepText(tr("Delete"), entryAt(position)[CBonsaiData::Name]);
    m_history.push(new RemoveEntryStep(*this, text, position));
}

std::optional<std::string> CTalvaneDoc::ensureTreeId(std::size_t position)
{
    if (const auto id = treeIdAt(m_entries, position); !id.empty())
        return std::string(id);
    if (!mayGiveTreeId(m_entries, position))
        return std::nullopt;
    std::string id = newTreeId();
    changeFields(position, {{kTreeIdField, id}},
                 stepText(tr("Identify"), entryAt(position)[CBonsaiData::Name]));
    return id;
}

QString CTalvaneDoc::stepText(const QString& verb, std::string_view name)
{
    // One substitution step: a name holding "%1" stays as it is.
    return tr("%1 \u201C%2\u201D").arg(verb, fromAnsi(name));
}

void CTalvaneDoc::setCurrentPosition(std::optional<std::size_t> position)
{
    m_current = position;
    emit currentChanged();
}

void CTalvaneDoc::insertEntry(std::size_t position, std::shared_ptr<CBonsaiData> entry)
{
    m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(position), std::move(entry));
    ++m_changeCount;
    if (m_current && *m_current >= position)
        ++*m_current;
    emit entryInserted(position);
}

std::shared_ptr<CBonsaiData> CTalvaneDoc::takeEntry(std::size_t position)
{
    auto entry = std::move(m_entries[position]);
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(position));
    ++m_changeCount;
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
    entryToChange(m_entries, position)[field] = value;
    ++m_changeCount;
}

void CTalvaneDoc::OfferToKeepChanges()
{
    if (m_view)
        m_view->OfferToKeepChanges();
}

void CTalvaneDoc::onEditUndo()
{
    if (!m_history.canUndo())
        return;
    if (const auto kept = m_view ? m_view->askPageEditsToKeep() : std::nullopt)
        undoKeepingEdits(*this, *kept);
    else
        m_history.undo();
}

void CTalvaneDoc::onEditRedo()
{
    if (!m_history.canRedo())
        return;
    if (const auto kept = m_view ? m_view->askPageEditsToKeep() : std::nullopt)
        redoKeepingEdits(*this, *kept);
    else
        m_history.redo();
}

void CTalvaneDoc::SetModifiedFlag(bool modified)
{
    // A save or a fresh collection is the new clean point of the history. A collection
    // already modified keeps its clean point: undoing back to it is undoing every change.
    if (!modified) {
        m_history.setClean();
    } else {
        ++m_changeCount;
        if (m_history.isClean())
            m_history.resetClean();
    }
}

void CTalvaneDoc::DeleteContents()
{
    settleSave();
    m_loading.reset();
    m_pictures.discardStaged();
    m_history.clear();
    m_current.reset();
    m_entries.clear();
}

void CTalvaneDoc::announceNewEntries()
{
    if (!m_entries.empty())
        m_current = 0;
    emit entriesReset();
}

bool CTalvaneDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    forgetFile();
    announceNewEntries();
    return true;
}

bool CTalvaneDoc::OnSaveDocument(const QString& path)
{
    settleLoad();
    settleSave();
    if (m_view)
        m_view->CommitCurrentEntry();
    const bool ownFile = isOwnFile(path);
    if (const std::optional<bool> settled = settleBeforeSaving(path, ownFile))
        return *settled;
    const bool untitled = pathName().isEmpty();
    if (!writeWithPictures(path))
        return false;
    if (untitled)
        m_pictures.discardStaged();
    takeSavedFile(path, ownFile);
    return true;
}

std::optional<bool> CTalvaneDoc::settleBeforeSaving(const QString& path, bool ownFile)
{
    if (ownFile && m_readOnly) {
        services().prompter().ask(readOnlyText(path), caption(), mb::kOk | mb::kIconExclamation);
        return false;
    }
    if (!ownFile || !m_baseline || m_overwriteChanged || !leadsToOwnFile(path) || !changedSince(*m_baseline))
        return std::nullopt;
    switch (askAboutChange()) {
    case ChangeAnswer::Reload:
        reloadFromDisk();
        return false;
    case ChangeAnswer::ConflictCopy:
        return saveConflictCopy();
    case ChangeAnswer::Cancel:
        return false;
    case ChangeAnswer::Overwrite:
        m_overwriteChanged = true;
        break;
    }
    return std::nullopt;
}

bool CTalvaneDoc::writeWithPictures(const QString& path)
{
    const int stepsBefore = m_history.index();
    talvane::timeline::BroughtPictures brought;
    // While it is written, the collection's pictures are those beside the new file.
    m_savingTo = QFileInfo(path).absoluteFilePath();
    const bool written = bringPicturesTo(path, brought) && CDocument::OnSaveDocument(path);
    m_savingTo.clear();
    m_overwriteChanged = false;
    if (!written) {
        // The collection goes back to naming its pictures where they still are.
        m_history.setIndex(stepsBefore);
        talvane::timeline::removePlacedFiles(brought.created);
    }
    return written;
}

void CTalvaneDoc::takeSavedFile(const QString& path, bool ownFile)
{
    if (!ownFile) {
        // The file saved to is the collection's from now on: it is locked as an opened one is.
        m_lock = std::move(lockCollection(QFileInfo(path).absoluteFilePath()).lock);
        m_readOnly = false;
    } else if (m_lock) {
        // A save that renamed a new file into place left the lock on the old one.
        m_lock->follow(path);
    }
    m_baseline = m_writtenBaseline;
    m_changedOnDisk = false;
    m_changeAsked = false;
    watchFile();
    emit fileStateChanged();
    // Save As takes the new path only once the file is written: this is still the old one.
    emit saved(QFileInfo(path).absoluteFilePath(), pathName());
}

bool CTalvaneDoc::OnOpenDocument(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    CollectionLockAttempt attempt;
    const bool reopening = m_lock && absolute == pathName();
    if (!reopening) {
        emit lockingFile(absolute);
        attempt = lockCollection(absolute);
        if (attempt.heldBy && !answerHeldLock(path, attempt))
            return false;
    }
    const bool read = CDocument::OnOpenDocument(path);
    if (!m_rollBackNotice.empty()) {
        const QString notice = QString::fromStdString(m_rollBackNotice) + QLatin1Char('.');
        services().prompter().ask(notice, QStringLiteral("Talvane"), mb::kOk | mb::kIconInformation);
        emit fileNotice(notice);
    }
    if (!read) {
        if (QFileInfo(path).isFile())
            emit openFailed(absolute);
        return false;
    }
    if (!reopening) {
        m_lock = std::move(attempt.lock);
        m_readOnly = attempt.heldBy.has_value();
    } else {
        // What is read again may be a new file another program renamed into place.
        m_lock->follow(absolute);
    }
    removeStaleTemporaries(fsPath(absolute));
    // A collection still being read gets its baseline with its last entry.
    if (m_loading)
        m_baseline.reset();
    else
        m_baseline = m_readBaseline;
    m_changedOnDisk = false;
    m_changeAsked = false;
    watchFile();
    emit fileStateChanged();
    return true;
}

bool CTalvaneDoc::answerHeldLock(const QString& path, CollectionLockAttempt& attempt)
{
    const LockHolder holder = *attempt.heldBy;
    const QString who = QString::fromStdString(describeLockHolder(holder));
    if (onThisHost(holder))
        return services().prompter().ask(tr("%1 is already open in Talvane: %2.\n\n"
                                            "Open it read-only? You can still save your changes under "
                                            "another name with Save As.")
                                             .arg(quotedName(path), who),
                                         caption(), mb::kYesNo | mb::kIconExclamation) == mb::kIdYes;
    // Whether a program of another computer still runs cannot be told from here: the user knows.
    const int answer = services().prompter().choose(
        tr("%1 is open in Talvane on another computer: %2, %3.\n\n"
           "If Talvane no longer has it open there (that computer stopped or lost its connection), you can take "
           "the lock over and edit it here. Otherwise open it read-only: you can still save your changes under "
           "another name with Save As.")
            .arg(quotedName(path), who, lockAgeText(holder)),
        caption(), {tr("Open &read-only"), tr("&Take over"), tr("&Cancel")});
    if (answer != 1)
        return answer == 0;
    if (services().prompter().ask(tr("Take the lock of %1 over from %2?\n\n"
                                     "If Talvane still has the collection open on %3, both of you can save it, "
                                     "and the changes of one of you will be lost.")
                                      .arg(quotedName(path), who, QString::fromStdString(holder.host)),
                                  caption(), mb::kYesNo | mb::kIconExclamation) != mb::kIdYes)
        return false;
    attempt = takeOverCollectionLock(QFileInfo(path).absoluteFilePath());
    if (!attempt.heldBy)
        return true;
    services().prompter().ask(tr("The lock of %1 could not be taken over: it is held by %2.")
                                  .arg(quotedName(path), QString::fromStdString(describeLockHolder(*attempt.heldBy))),
                              caption(), mb::kOk | mb::kIconExclamation);
    return false;
}

bool CTalvaneDoc::leadsToOwnFile(const QString& path) const
{
    // A path that leads elsewhere now is refused by the save itself, with its reason:
    // there is no change of the file to ask about.
    std::error_code error;
    return m_baseline && std::filesystem::weakly_canonical(fsPath(path), error) == m_baseline->target && !error;
}

bool CTalvaneDoc::bringPicturesTo(const QString& path, talvane::timeline::BroughtPictures& brought)
{
    brought = m_pictures.bringTo(pathName(), path, m_entries);
    if (!brought.problem.empty()) {
        services().prompter().ask(tr("The collection's pictures cannot be copied beside %1:\n%2.")
                                      .arg(quotedName(path), QString::fromStdString(brought.problem)),
                                  caption(), mb::kOk | mb::kIconExclamation);
        return false;
    }
    // The collection names each picture as it is called beside its new file.
    for (std::size_t position = 0; position < m_entries.size(); ++position)
        changeFieldsFromElsewhere(position, talvane::timeline::renamedPictureFields(*m_entries[position], brought),
                                  stepText(tr("Rename pictures of"), entryAt(position)[CBonsaiData::Name]), {});
    return true;
}

bool CTalvaneDoc::isOwnFile(const QString& path) const
{
    return !pathName().isEmpty() && QFileInfo(path).absoluteFilePath() == pathName();
}

void CTalvaneDoc::forgetFile()
{
    m_lock.reset();
    m_readOnly = false;
    m_baseline.reset();
    m_changedOnDisk = false;
    m_changeAsked = false;
    watchFile();
    emit fileStateChanged();
}

void CTalvaneDoc::watchFile()
{
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    if (!m_baseline)
        return;
    // The folder too: a file renamed over the collection is a new file the old watch misses.
    const QString target = fromFsPath(m_baseline->target);
    m_watcher.addPath(QFileInfo(target).absolutePath());
    if (QFileInfo::exists(target))
        m_watcher.addPath(target);
}

void CTalvaneDoc::checkDisk()
{
    // The save under way replaces the file: its end tells what the file is.
    if (!m_baseline || m_backgroundSave.isRunning())
        return;
    const QString target = fromFsPath(m_baseline->target);
    if (!m_watcher.files().contains(target) && QFileInfo::exists(target))
        m_watcher.addPath(target);
    if (m_changedOnDisk || !changedSince(*m_baseline))
        return;
    m_changedOnDisk = true;
    emit fileStateChanged();
    emit fileNotice(tr("%1 was changed on disk by another program.").arg(quotedName(pathName())));
}

bool CTalvaneDoc::hasUnsavedWork() const
{
    return IsModified() || (m_view && m_view->hasPageEdits());
}

BytePieces CTalvaneDoc::unsavedPieces() const
{
    if (!m_view || !m_current || !m_view->hasPageEdits())
        return [entries = m_entries](const ByteSink& sink) { return writeCollection(entries, sink); };
    // The shown entry as the pages have it, in its place: the entries themselves stay as they are.
    std::shared_ptr<CBonsaiData> edited = copyEntry(*m_entries[*m_current]);
    m_view->ReadPagesIntoEntry(*edited);
    return [entries = m_entries, position = *m_current, edited](const ByteSink& sink) {
        return writeCollection(entries, position, *edited, sink);
    };
}

CTalvaneDoc::ChangeAnswer CTalvaneDoc::askAboutChange()
{
    m_changeAsked = true;
    const QString copy = fromFsPath(conflictCopyPath(fsPath(pathName()), QDateTime::currentSecsSinceEpoch()));
    const int answer = services().prompter().choose(
        tr("%1 was changed by another program since Talvane opened or last saved it.\n\n"
                       "Reload: show the file as it is now (your unsaved changes are offered for a conflict copy "
                       "first).\nOverwrite: replace it with the collection shown here.\n"
                       "Save conflict copy: save the collection shown here beside it as %2, and leave the file "
                       "as it is.")
            .arg(quotedName(pathName()), quotedName(copy)),
        caption(),
        {tr("&Reload"), tr("&Overwrite"), tr("&Save conflict copy"), tr("&Cancel")});
    switch (answer) {
    case 0:
        return ChangeAnswer::Reload;
    case 1:
        return ChangeAnswer::Overwrite;
    case 2:
        return ChangeAnswer::ConflictCopy;
    default:
        return ChangeAnswer::Cancel;
    }
}

void CTalvaneDoc::resolveChangeOnDisk()
{
    if (!m_changedOnDisk || m_changeAsked || m_resolving)
        return;
    m_resolving = true;
    if (!hasUnsavedWork()) {
        if (reloadFromDisk())
            emit fileNotice(tr("%1 was read again: another program had changed it.").arg(quotedName(pathName())));
    } else {
        switch (askAboutChange()) {
        case ChangeAnswer::Reload:
            reloadFromDisk();
            break;
        case ChangeAnswer::Overwrite:
            // The question was just answered: the save must not ask it again.
            m_overwriteChanged = true;
            OnSaveDocument(pathName());
            break;
        case ChangeAnswer::ConflictCopy:
            saveConflictCopy();
            break;
        case ChangeAnswer::Cancel:
            break;
        }
    }
    m_resolving = false;
}

bool CTalvaneDoc::reloadFromDisk()
{
    const QString path = pathName();
    if (hasUnsavedWork()) {
        const QString copy = fromFsPath(conflictCopyPath(fsPath(path), QDateTime::currentSecsSinceEpoch()));
        switch (services().prompter().ask(tr("Save your unsaved changes as %1 beside the collection "
                                                         "before it is read again?")
                                              .arg(quotedName(copy)),
                                          caption(), mb::kYesNoCancel | mb::kIconQuestion)) {
        case mb::kIdYes:
            if (!writeConflictCopy(copy))
                return false;
            break;
        case mb::kIdNo:
            break;
        default:
            return false;
        }
    }
    if (!OnOpenDocument(path))
        return false;
    setPathName(path);
    announceNewEntries();
    return true;
}

bool CTalvaneDoc::writeConflictCopy(const QString& path)
{
    settleLoad();
    settleSave();
    if (m_view)
        m_view->CommitCurrentEntry();
    CollectionSaveOptions options;
    options.keepVersion = false;
    const auto result = saveCollectionFile(fsPath(path), m_entries, options);
    if (result) {
        reportSaveFailure(path, result.reason);
        return false;
    }
    emit fileNotice(tr("Your changes were saved as %1.").arg(quotedName(path)));
    return true;
}

bool CTalvaneDoc::saveConflictCopy()
{
    const QString copy = fromFsPath(conflictCopyPath(fsPath(pathName()), QDateTime::currentSecsSinceEpoch()));
    if (!OnSaveDocument(copy))
        return false;
    setPathName(copy);
    emit fileNotice(tr("The collection shown was saved as %1; the file changed on disk was left as it is.")
                        .arg(quotedName(copy)));
    return true;
}

void CTalvaneDoc::adoptUnsaved(EntryList entries)
{
    settleSave();
    DeleteContents();
    m_entries = std::move(entries);
    // No state of the history is the one on disk: the collection shows as modified.
    SetModifiedFlag();
    announceNewEntries();
}

bool CTalvaneDoc::readCopy(const QString& file, EntryList& entries)
{
    const auto failure = loadCollectionFile(fsPath(file), entries);
    if (failure)
        services().prompter().ask(tr("Cannot open the collection \"%1\":\n%2.")
                                      .arg(file, QString::fromStdString(*failure)),
                                  QStringLiteral("Talvane"), mb::kOk | mb::kIconExclamation);
    return !failure;
}

bool CTalvaneDoc::openAsUntitledCopy(const QString& versionFile)
{
    OfferToKeepChanges();
    if (!SaveModified())
        return false;
    EntryList read;
    if (!readCopy(versionFile, read))
        return false;
    const QString versionOf = pathName();
    forgetFile();
    clearPathName();
    SetTitle(kUntitled);
    adoptUnsaved(std::move(read));
    if (!versionOf.isEmpty())
        m_pictures.keepBeside(versionOf);
    return true;
}

bool CTalvaneDoc::restoreInPlaceOf(const QString& path, const QString& copyFile)
{
    OfferToKeepChanges();
    if (!SaveModified())
        return false;
    EntryList read;
    if (!readCopy(copyFile, read))
        return false;
    if (adoptInPlaceOf(path, read, std::nullopt))
        return true;
    services().prompter().ask(tr("%1 is open in another Talvane: close it there first.").arg(quotedName(path)),
                              caption(), mb::kOk | mb::kIconExclamation);
    return false;
}

bool CTalvaneDoc::adoptInPlaceOf(const QString& path, EntryList& entries, const std::optional<FileIdentity>& basedOn)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    // The file open here already is locked by this window.
    std::unique_ptr<WindowLock> lock;
    if (m_lock && absolute == pathName()) {
        lock = std::move(m_lock);
    } else {
        CollectionLockAttempt attempt = lockCollection(absolute);
        if (attempt.heldBy)
            return false;
        lock = std::move(attempt.lock);
    }
    forgetFile();
    m_lock = std::move(lock);
    m_baseline = measureBaseline(fsPath(absolute));
    // Work based on an earlier state of the file is not written over what is there now unasked.
    if (m_baseline && basedOn && m_baseline->identity && basedOn->contentHash != m_baseline->identity->contentHash) {
        m_baseline->identity = basedOn;
        m_changedOnDisk = true;
    }
    setPathName(absolute);
    watchFile();
    adoptUnsaved(std::move(entries));
    emit fileStateChanged();
    if (m_changedOnDisk)
        emit fileNotice(tr("%1 was changed on disk by another program.").arg(quotedName(absolute)));
    return true;
}

bool CTalvaneDoc::restoreRecovered(const RecoveryRecord& record, bool fileUnreadable)
{
    std::string bytes;
    EntryList recovered;
    std::string reason;
    if (auto failure = RecoveryStore::readCollection(record, bytes))
        reason = *failure;
    else if (!readCollection(bytes, recovered, reason))
        reason = "it is not a valid Talvane collection (" + reason + ")";
    else
        reason.clear();
    if (!reason.empty()) {
        services().prompter().ask(tr("The unsaved changes cannot be restored:\n%1.")
                                      .arg(QString::fromStdString(reason)),
                                  QStringLiteral("Talvane"), mb::kOk | mb::kIconExclamation);
        return false;
    }
    const QString path = fromFsPath(record.collectionPath);
    // Saving the restored work goes to its file, with every check a save of it makes.
    if (!fileUnreadable && !SaveModified())
        return false;
    if (!path.isEmpty() && QFileInfo(path).isFile() && adoptInPlaceOf(path, recovered, record.basedOn))
        return true;
    forgetFile();
    clearPathName();
    SetTitle(kUntitled);
    adoptUnsaved(std::move(recovered));
    m_pictures.takeStaged(record.stagedPictures);
    return true;
}

bool CTalvaneDoc::doFileSave()
{
    return OnFileSave();
}

std::optional<std::string> CTalvaneDoc::readFile(const QString& path)
{
    m_readEntries.clear();
    m_readBaseline = {};
    m_rollBackNotice.clear();
    m_readLoading.reset();
    std::error_code error;
    const auto size = std::filesystem::file_size(fsPath(path), error);
    if (error || size < m_loadAloneFrom)
        return loadCollectionFile(fsPath(path), m_readEntries, &m_readBaseline, &m_rollBackNotice);
    auto loading = std::make_unique<CollectionLoading>(fsPath(path));
    loading->waitForFirstEntry();
    m_rollBackNotice = loading->rollBackNotice();
    m_readEntries = loading->takeEntries();
    // A file that fails before its first entry fails as a whole file read here does.
    if (loading->isOver() && loading->failure())
        return loading->failure();
    m_readLoading = std::move(loading);
    return std::nullopt;
}

void CTalvaneDoc::adoptReadContents()
{
    m_entries = std::move(m_readEntries);
    m_readEntries.clear();
    m_loading = std::move(m_readLoading);
    if (m_loading)
        connect(m_loading.get(), &CollectionLoading::arrived, this, &CTalvaneDoc::takeLoadedEntries);
}

void CTalvaneDoc::takeLoadedEntries()
{
    if (!m_loading)
        return;
    EntryList batch = m_loading->takeEntries();
    if (!batch.empty()) {
        const std::size_t first = m_entries.size();
        m_entries.insert(m_entries.end(), std::make_move_iterator(batch.begin()), std::make_move_iterator(batch.end()));
        emit entriesAppended(first, batch.size());
    }
    if (m_loading->isOver())
        endLoading();
}

void CTalvaneDoc::settleLoad()
{
    if (!m_loading)
        return;
    m_loading->finish();
    takeLoadedEntries();
}

void CTalvaneDoc::endLoading()
{
    const std::unique_ptr<CollectionLoading> loading = std::move(m_loading);
    if (!loading->failure()) {
        m_baseline = loading->baseline();
        watchFile();
        emit fileStateChanged();
        return;
    }
    // The file is damaged past its first entries: what was shown of it is not the
    // collection, and must not be saved over it.
    const QString path = pathName();
    reportOpenFailure(path, *loading->failure());
    recentFiles().remove(path);
    OnNewDocument();
    SetTitle(kUntitled);
    emit openFailed(QFileInfo(path).absoluteFilePath());
}

std::optional<std::string> CTalvaneDoc::writeFile(const QString& path)
{
    CollectionSaveOptions options;
    // A file chosen by Save As is compared with nothing: the user chose to replace it.
    if (isOwnFile(path) && m_baseline)
        options.expected = &*m_baseline;
    options.overwriteChanged = m_overwriteChanged;
    auto result = saveCollectionFile(fsPath(path), m_entries, options);
    if (result)
        return result.reason;
    m_writtenBaseline = std::move(result.baseline);
    return std::nullopt;
}

QString CTalvaneDoc::fileFilter() const
{
    return tr("Talvane Files (*.tvn)");
}

QString CTalvaneDoc::fileSuffix() const
{
    return QStringLiteral("tvn");
}

bool CTalvaneDoc::AskSaveFileName()
{
    FileRequest request;
    request.caption = tr("Save As");
    request.initialName = QStringLiteral("*.tvn");
    request.defaultSuffix = QStringLiteral("tvn");
    request.confirmOverwrite = true;
    return saveToChosenFile(request);
}

bool CTalvaneDoc::OnFileSave()
{
    // Edits are taken in a read-only window too: Save says why it cannot write them
    // where they came from, and offers the file they can go to.
    if (m_readOnly) {
        const QStringList answers{tr("Save &As\u2026"), tr("&Cancel")};
        return services().prompter().choose(readOnlyText(pathName()), caption(), answers) == 0 && doSaveAs();
    }
    if (title() == kUntitled)
        return AskSaveFileName();
    // A collection always knows the file it came from; a bare title is only a fallback.
    return OnSaveDocument(pathName().isEmpty() ? title() : pathName());
}

void CTalvaneDoc::startFileSave()
{
    settleLoad();
    if (m_backgroundSave.isRunning()) {
        m_saveAgain = true;
        return;
    }
    // A collection without a file of its own yet, or one another program holds, asks first.
    if (m_readOnly || title() == kUntitled || pathName().isEmpty()) {
        OnFileSave();
        return;
    }
    const QString path = pathName();
    if (m_view)
        m_view->CommitCurrentEntry();
    if (settleBeforeSaving(path, true))
        return;
    std::optional<SaveBaseline> expected;
    if (m_baseline)
        expected = *m_baseline;
    m_backgroundSave.start(fsPath(path), m_entries, std::move(expected), std::exchange(m_overwriteChanged, false),
                           [this, path, changes = m_changeCount](const CollectionSaveResult& result) {
                               takeBackgroundSave(path, result, changes);
                           });
}

void CTalvaneDoc::takeBackgroundSave(const QString& path, const CollectionSaveResult& result,
                                     unsigned long long changesWritten)
{
    if (result) {
        m_saveAgain = false;
        reportSaveFailure(path, result.reason);
        return;
    }
    m_writtenBaseline = result.baseline;
    // Changes made while the file was written are not in it: the collection stays
    // modified whatever is undone, until the next save.
    if (changesWritten == m_changeCount)
        SetModifiedFlag(false);
    else
        m_history.resetClean();
    takeSavedFile(path, true);
    if (std::exchange(m_saveAgain, false) && IsModified())
        startFileSave();
}

void CTalvaneDoc::settleSave()
{
    m_saveAgain = false;
    m_backgroundSave.finish();
}

void CTalvaneDoc::OnFileNew()
{
    settleSave();
    OfferToKeepChanges();
    if (!askToSave(tr("Do you wish to save this file:\n") + title(), caption(), mb::kYesNo | mb::kIconExclamation))
        return;
    OnNewDocument();
    SetTitle(kUntitled);
}

bool CTalvaneDoc::SaveBeforeExit()
{
    settleSave();
    OfferToKeepChanges();
    if (!askToSave(tr("Do you wish to save this file before exiting:\n") + title(), caption(),
                   mb::kYesNo | mb::kIconQuestion))
        return false;
    SetModifiedFlag(false);
    return true;
}

void CTalvaneDoc::onFileSaveAs()
{
    doSaveAs();
}

void CTalvaneDoc::OnFileOpen()
{
    OfferToKeepChanges();
    FileRequest request;
    request.caption = tr("Open");
    request.nameFilters = {fileFilter(), tr("All Files (*)")};
    request.defaultSuffix = fileSuffix();
    if (const auto path = services().fileChooser().chooseOpenFile(request))
        openWithoutOffer(*path);
}

void CTalvaneDoc::onOpenRecentFile(const QString& path)
{
    openDocumentFile(path);
}

bool CTalvaneDoc::openDocumentFile(const QString& path)
{
    OfferToKeepChanges();
    return openWithoutOffer(path);
}

bool CTalvaneDoc::openWithoutOffer(const QString& path)
{
    if (!replaceWithFile(path))
        return false;
    announceNewEntries();
    return true;
}

bool CTalvaneDoc::replaceWithFile(const QString& path)
{
    settleSave();
    if (!SaveModified())
        return false;
    if (!OnOpenDocument(path)) {
        recentFiles().remove(path);
        return false;
    }
    setPathName(path);
    return true;
}
