#include "ui/app/ServingInBackground.h"

#include "ui/app/MainFrame.h"
#include "ui/companion/PhoneSharing.h"
#include "ui/document/TalvaneDoc.h"
#include "ui/framework/UiServices.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMenu>
#include <QStandardPaths>
#include <QSystemTrayIcon>

namespace {

constexpr int kAnswerWaitMs = 2000;
const QByteArray kShown = "shown\n";
const QByteArray kNotServed = "other\n";

QString absolutePath(const QString& path)
{
    return path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
}

} // namespace

ServingInBackground::ServingInBackground(CMainFrame& frame, CTalvaneDoc& doc, UiServices& services, QString socketPath,
                                         QObject* parent)
    : QObject(parent), m_frame(frame), m_doc(doc), m_services(services), m_sharing(*frame.phoneSharing()),
      m_socketPath(std::move(socketPath))
{
    connect(&frame, &CMainFrame::closedToServe, this, &ServingInBackground::start);
}

ServingInBackground::~ServingInBackground() = default;

QString ServingInBackground::defaultSocketPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)).filePath(QStringLiteral("talvane-window"));
}

bool ServingInBackground::showRunningProgram(const QString& socketPath, const QString& collection)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(kAnswerWaitMs))
        return false;
    socket.write(absolutePath(collection).toUtf8() + '\n');
    if (!socket.waitForBytesWritten(kAnswerWaitMs))
        return false;
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(kAnswerWaitMs))
            return false;
    return socket.readLine() == kShown;
}

void ServingInBackground::start()
{
    const QString collection = m_doc.pathName();
    // Until the window comes back, closing it is no reason to end.
    qApp->setQuitOnLastWindowClosed(false);
    if (const auto failure = m_sharing.keepServingWithoutWindow()) {
        qApp->setQuitOnLastWindowClosed(true);
        m_services.prompter().ask(tr("The phones could not be served in the background:\n%1").arg(*failure),
                                  QStringLiteral("Talvane"), mb::kOk | mb::kIconExclamation);
        QCoreApplication::quit();
        return;
    }
    m_collection = collection;
    m_frame.hide();
    listen();
    makeTrayIcon();
}

void ServingInBackground::listen()
{
    m_socket = new QLocalServer(this);
    m_socket->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left by a program that ended answers nobody: it is replaced. One that
    // answers is another program's, which a second start asks first.
    if (!m_socket->listen(m_socketPath)) {
        QLocalSocket probe;
        probe.connectToServer(m_socketPath);
        if (!probe.waitForConnected(kAnswerWaitMs)) {
            QLocalServer::removeServer(m_socketPath);
            m_socket->listen(m_socketPath);
        }
    }
    connect(m_socket, &QLocalServer::newConnection, this, &ServingInBackground::onConnection);
}

void ServingInBackground::onConnection()
{
    while (QLocalSocket* caller = m_socket->nextPendingConnection()) {
        connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
        connect(caller, &QLocalSocket::readyRead, this, [this, caller] {
            if (!caller->canReadLine())
                return;
            const QString asked = QString::fromUtf8(caller->readLine()).chopped(1);
            const bool ours = asked.isEmpty() || asked == absolutePath(m_collection);
            caller->write(ours ? kShown : kNotServed);
            caller->flush();
            caller->disconnectFromServer();
            if (ours)
                showWindow();
        });
    }
}

void ServingInBackground::makeTrayIcon()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    m_tray = new QSystemTrayIcon(m_frame.windowIcon(), this);
    m_tray->setToolTip(tr("Talvane: serving %1 to the phones").arg(QFileInfo(m_collection).fileName()));
    auto* menu = new QMenu(&m_frame);
    menu->addAction(tr("&Show Talvane"), this, &ServingInBackground::showWindow);
    menu->addAction(tr("Stop sharing and &quit"), this, &ServingInBackground::stopAndQuit);
    m_tray->setContextMenu(menu);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            showWindow();
    });
    m_tray->show();
}

void ServingInBackground::showWindow()
{
    if (!isActive())
        return;
    const QString collection = std::exchange(m_collection, QString());
    // Asked on one of its connections: it goes once that one is answered.
    m_socket->close();
    m_socket->deleteLater();
    m_socket = nullptr;
    if (m_tray) {
        m_tray->contextMenu()->deleteLater();
        m_tray->deleteLater();
        m_tray = nullptr;
    }
    qApp->setQuitOnLastWindowClosed(true);
    m_frame.show();
    m_frame.raise();
    m_frame.activateWindow();
    // The collection comes back with its phones: the sharing hands it to the window.
    m_doc.openDocumentFile(collection);
}

void ServingInBackground::stopAndQuit()
{
    m_sharing.stopServingWithoutWindow();
    QCoreApplication::quit();
}
