#pragma once

#include <QObject>
#include <QString>

#include <optional>
#include <string>

class UiServices;
struct FileRequest;
class RecentFileList;

// What a single-document program's document does whatever it holds: its title and
// path, the save question, and reading and writing its file with the failures
// reported to the user. Subclasses say how the contents are read, written and
// emptied, and hold what tells whether they are modified.
class CDocument : public QObject {
    Q_OBJECT
public:
    static const QString kUntitled;

    CDocument(UiServices& services, RecentFileList& recentFiles);

    const QString& title() const { return m_title; }
    virtual void SetTitle(const QString& title);
    // The absolute path of the file the document was read from or last saved to;
    // empty while it has none.
    const QString& pathName() const { return m_pathName; }
    // Sets the path, takes the file's name as the title and lists it as recent.
    void setPathName(const QString& path);
    void clearPathName() { m_pathName.clear(); }

    // True while the contents differ from the file last read or saved. A change in
    // it is signalled by modifiedChanged.
    virtual bool IsModified() const = 0;
    // Marks the contents as unsaved, or (false) as those of the file.
    virtual void SetModifiedFlag(bool modified = true) = 0;

    virtual void DeleteContents() {}
    // Empties the document: no path, not modified.
    virtual bool OnNewDocument();
    // Reads the file, and only once it has been read whole replaces the contents with
    // it. A failure is reported and leaves the document exactly as it was.
    virtual bool OnOpenDocument(const QString& path);
    // Writes the file; reports a failure, keeps the modified flag and gives false.
    virtual bool OnSaveDocument(const QString& path);
    // Asks whether to save a modified document before it is replaced. False when the
    // user cancelled, or asked for a save that did not happen.
    virtual bool SaveModified();
    // Every save question goes through here: nothing is asked of an unmodified
    // document; Yes saves, No goes on, Cancel stops. False when the user cancelled or
    // asked for a save that did not happen.
    bool askToSave(const QString& question, const QString& caption, unsigned flags);
    // The save that Yes to the save question runs.
    virtual bool doFileSave();
    // File Save As: asks a path, writes there, and takes it as the document's file.
    bool doSaveAs();
    // Asks a path as the request says, writes there, and takes it as the document's file.
    bool saveToChosenFile(const FileRequest& request);

    static QString fileNameOf(const QString& path);

signals:
    void titleChanged(const QString& title);
    void modifiedChanged(bool modified);

protected:
    // Reads a file aside, without touching the contents; gives the reason of a failure.
    virtual std::optional<std::string> readFile(const QString& path) = 0;
    // Makes what readFile read the contents, after DeleteContents.
    virtual void adoptReadContents() = 0;
    virtual std::optional<std::string> writeFile(const QString& path) = 0;
    // How the document's files are offered in the file dialogs.
    virtual QString fileFilter() const = 0;
    virtual QString fileSuffix() const = 0;

    // Says why a file could not be written, and that the one on disk is unchanged.
    void reportSaveFailure(const QString& path, const std::string& reason);
    void reportOpenFailure(const QString& path, const std::string& reason);

    UiServices& services() { return m_services; }
    RecentFileList& recentFiles() { return m_recentFiles; }

private:
    UiServices& m_services;
    RecentFileList& m_recentFiles;
    QString m_title = kUntitled;
    QString m_pathName;
};
