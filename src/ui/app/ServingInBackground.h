#pragma once

#include <QObject>
#include <QString>

class CMainFrame;
class CTalvaneDoc;
class PhoneSharing;
class QLocalServer;
class QSystemTrayIcon;
class UiServices;

// The program going on with its window closed, serving the shared collection to the
// phones: an icon in the desktop's status area where it has one, and a local socket on
// which a second start of Talvane asks for the window back instead of starting another
// program.
class ServingInBackground : public QObject {
    Q_OBJECT
public:
    ServingInBackground(CMainFrame& frame, CTalvaneDoc& doc, UiServices& services, QString socketPath,
                        QObject* parent = nullptr);
    ~ServingInBackground() override;

    // The socket of the user's program serving in the background:
    // $XDG_RUNTIME_DIR/talvane-window.
    static QString defaultSocketPath();
    // Asks the program serving in the background on `socketPath` to show its window,
    // if it serves `collection` (any, when empty). True when it does: this start ends.
    static bool showRunningProgram(const QString& socketPath, const QString& collection);

    bool isActive() const { return !m_collection.isEmpty(); }

public slots:
    // The window is closing while phones share its collection: serving goes on without it.
    void start();
    // The window comes back with the collection, which it shares again at the same address.
    void showWindow();
    // Ends the serving and the program.
    void stopAndQuit();

private:
    void onConnection();
    void makeTrayIcon();
    void listen();

    CMainFrame& m_frame;
    CTalvaneDoc& m_doc;
    UiServices& m_services;
    PhoneSharing& m_sharing;
    QString m_socketPath;
    QString m_collection; // served without the window; empty while the window is there
    QLocalServer* m_socket = nullptr;
    QSystemTrayIcon* m_tray = nullptr;
};
