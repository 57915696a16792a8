#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>

#include <vector>

// A session bus of the test's own: a dbus-daemon started for it that starts no service
// on demand, so that what answers on it is only what the test puts there.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    // Empty when the daemon could not be started.
    const QString& address() const { return m_address; }
    // A new connection to the bus, whose name starts with this one.
    QDBusConnection connect(const QString& name);

private:
    QTemporaryDir m_folder;
    QProcess m_daemon;
    QString m_address;
    QStringList m_connections;
};

// A notification service on a bus, as a desktop has one: records every Notify call,
// and sends the signals a grower's click or the notification's end would send.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Call {
        QString appName;
        uint replacesId = 0;
        QString icon;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
        int timeout = 0;
        uint id = 0;
    };

    // Registers the service on the connection, with these capabilities.
    FakeNotifications(const QDBusConnection& connection, QStringList capabilities);
    ~FakeNotifications() override;

    const std::vector<Call>& calls() const { return m_calls; }
    // Asked by others than roundTripFrom().
    int capabilityRequests() const { return m_capabilityRequests - m_roundTrips; }
    // Makes a round trip from the connection to the service: whatever the connection sent
    // the service before has been handled once it returns.
    void roundTripFrom(const QDBusConnection& connection);
    void invokeAction(uint id, const QString& actionKey);
    void close(uint id, uint reason = 2);
    // The notifications their sender took down, in order.
    const std::vector<uint>& withdrawn() const { return m_withdrawn; }

public slots:
    uint Notify(const QString& appName, uint replacesId, const QString& icon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints, int timeout);
    QStringList GetCapabilities();
    void CloseNotification(uint id);

private:
    void sendSignal(const QString& name, const QList<QVariant>& arguments);

    QDBusConnection m_connection;
    QStringList m_capabilities;
    std::vector<Call> m_calls;
    std::vector<uint> m_withdrawn;
    int m_capabilityRequests = 0;
    int m_roundTrips = 0;
    uint m_lastId = 0;
};
