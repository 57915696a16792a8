#include "support/ui/PrivateBus.h"

#include <QDBusMessage>
#include <QFile>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

} // namespace

PrivateBus::PrivateBus()
{
    // The machine's own session configuration would start any notification daemon installed.
    const QString config = m_folder.filePath(QStringLiteral("bus.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                              " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                              "<busconfig>\n"
                              "  <type>session</type>\n"
                              "  <listen>unix:dir=%1</listen>\n"
                              "  <auth>EXTERNAL</auth>\n"
                              "  <policy context=\"default\">\n"
                              "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                              "    <allow eavesdrop=\"true\"/>\n"
                              "    <allow own=\"*\"/>\n"
                              "  </policy>\n"
                              "</busconfig>\n")
                   .arg(m_folder.path())
                   .toUtf8());
    file.close();
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"), QStringLiteral("--print-address")});
    while (m_daemon.waitForReadyRead(10000) && !m_daemon.canReadLine()) {
    }
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
}

PrivateBus::~PrivateBus()
{
    for (const QString& name : m_connections)
        QDBusConnection::disconnectFromBus(name);
    m_daemon.terminate();
    m_daemon.waitForFinished(5000);
}

QDBusConnection PrivateBus::connect(const QString& name)
{
    // A name once disconnected cannot be given to a new connection while it is still referred to.
    static int made = 0;
    const QString unique = name + QString::number(++made);
    m_connections.append(unique);
    return QDBusConnection::connectToBus(m_address, unique);
}

FakeNotifications::FakeNotifications(const QDBusConnection& connection, QStringList capabilities)
    : m_connection(connection), m_capabilities(std::move(capabilities))
{
    m_connection.registerObject(kPath, this, QDBusConnection::ExportAllSlots);
    m_connection.registerService(kService);
}

FakeNotifications::~FakeNotifications()
{
    m_connection.unregisterService(kService);
    m_connection.unregisterObject(kPath);
}

uint FakeNotifications::Notify(const QString& appName, uint replacesId, const QString& icon, const QString& summary,
                               const QString& body, const QStringList& actions, const QVariantMap& hints, int timeout)
{
    const uint id = replacesId != 0 ? replacesId : ++m_lastId;
    m_calls.push_back({appName, replacesId, icon, summary, body, actions, hints, timeout, id});
    return id;
}

QStringList FakeNotifications::GetCapabilities()
{
    ++m_capabilityRequests;
    return m_capabilities;
}

void FakeNotifications::CloseNotification(uint id)
{
    m_withdrawn.push_back(id);
    close(id, 3);
}

void FakeNotifications::roundTripFrom(const QDBusConnection& connection)
{
    // The service answers from this thread: the call must let the events run meanwhile.
    connection.call(QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("GetCapabilities")),
                    QDBus::BlockWithGui);
    ++m_roundTrips;
}

void FakeNotifications::invokeAction(uint id, const QString& actionKey)
{
    sendSignal(QStringLiteral("ActionInvoked"), {QVariant::fromValue(id), actionKey});
}

void FakeNotifications::close(uint id, uint reason)
{
    sendSignal(QStringLiteral("NotificationClosed"), {QVariant::fromValue(id), QVariant::fromValue(reason)});
}

void FakeNotifications::sendSignal(const QString& name, const QList<QVariant>& arguments)
{
    QDBusMessage signal = QDBusMessage::createSignal(kPath, kService, name);
    signal.setArguments(arguments);
    m_connection.send(signal);
}
