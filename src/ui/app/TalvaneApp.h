#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <filesystem>
#include <memory>
#include <optional>

class CMainFrame;
class ReportPrinting;
class QPrinter;
class CTalvaneDoc;
class QSessionManager;
class RecentFileList;
class RecoveryKeeper;
class ServingInBackground;
class UiServices;

// How the program was asked to start.
struct StartOptions {
    QString collection; // a .tvn file to open; empty for a new collection
    bool splash = true;
    // Where unsaved work is kept; empty for the user's state folder.
    std::filesystem::path recoveryFolder;
    // Where the care due is announced on the desktop; none for no announcements.
    std::optional<QDBusConnection> notificationBus;
    // The Care due window opens once the program has started.
    bool careDue = false;
    // The port sharing with phones tries first (0: any free one); the usual one unless set.
    std::optional<int> sharingPort;
    // Shares the collection with its paired phones at once, on that address, and goes on
    // in the background without showing the window (the login start); empty for a window.
    QString serveInBackgroundOn;
};

// Start-up and the application-wide pieces: settings, the document, the frame.
class CTalvaneApp : public QObject {
    Q_OBJECT
public:
    explicit CTalvaneApp(UiServices& services);
    ~CTalvaneApp() override;

    // Makes the document and the window, opens the collection, shows the splash and
    // reads the species guide. False when the collection could not be opened and
    // nothing brought it back: the reason has been shown and the program should end.
    bool InitInstance(const StartOptions& options);

    // Reads the species guide from the base directory; damaged blocks are reported.
    void LoadSpeciesGuide();

    CMainFrame* mainFrame() const { return m_frame.get(); }
    CTalvaneDoc& document() const { return *m_doc; }
    ReportPrinting& printing() const { return *m_printing; }
    QPrinter& printer() const { return *m_printer; }

    // The desktop session is ending: the same questions as closing the window.
    void onCommitDataRequest(QSessionManager& manager);
    // SIGTERM or SIGHUP: the unsaved work is kept and the program ends without asking.
    void onQuitSignal();
    bool quitBySignal() const { return m_quitBySignal; }
    // Offers the work another run left unsaved when it ended without a clean exit.
    void offerRecovery();
    // Offers what can bring back the collection at path, which cannot be read; true
    // when something took its place.
    bool offerRescue(const QString& path);

    RecoveryKeeper& recoveryKeeper() const { return *m_keeper; }

private:
    // Opens the collection the program was started with, or a new one.
    bool openAtStart(const QString& collection);
    // Shares the open collection on that address and goes on without the window; false
    // (after saying why) when it cannot, and the window is shown instead.
    bool serveAtOnce(const QString& bindAddress);
    // The document, the window and the printing, joined.
    void createWindowAndPrinting();
    // Keeps the unsaved work in recoveryFolder (empty: the user's state folder).
    void keepUnsavedWork(const std::filesystem::path& recoveryFolder);
    // Shows the window and what comes with it at start: recovery, splash, the care due.
    void showWindow(const StartOptions& options);

    UiServices& m_services;
    std::unique_ptr<RecentFileList> m_recentFiles;
    std::unique_ptr<CTalvaneDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<ReportPrinting> m_printing;
    std::unique_ptr<RecoveryKeeper> m_keeper;
    std::unique_ptr<ServingInBackground> m_background;
    bool m_quitBySignal = false;
};
