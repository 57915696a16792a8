#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class QDBusPendingCallWatcher;

// One notification of Talvane on the desktop's notification service
// (org.freedesktop.Notifications), said again in place whenever there is something new
// to say. Every call to the service is asynchronous: nothing waits for it, and a bus or
// a service that is missing only gives unavailable(), which callers may ignore.
class DesktopNotifier : public QObject {
    Q_OBJECT
public:
    // The notification offers one action, named by actionLabel, which clicking it chooses too.
    DesktopNotifier(const QDBusConnection& bus, const QString& actionLabel, QObject* parent = nullptr);

    // Shows the notification; one this notifier showed before and still up is replaced.
    void show(const QString& summary, const QString& body);
    // Once the service has answered: whether it offers actions, so that activated() may come.
    bool offersActions() const;
    // Takes the notification shown down; withdrawn() once the service has answered, or
    // at once when none is up.
    void withdraw();

    static const QString kService;
    static const QString kPath;
    static const QString kInterface;
    // The keys of the action: the default one (a click on the notification) and the button.
    static const QString kDefaultAction;
    static const QString kAction;

signals:
    // The service shows the notification.
    void shown();
    // The grower chose the action, or clicked the notification.
    void activated();
    // The notification went away: it expired or was dismissed.
    void closed();
    // No service took the notification: no bus, no service, or an error.
    void unavailable();
    // What withdraw() asked is done, or failed: nothing more will come of the notification.
    void withdrawn();

private slots:
    void onActionInvoked(uint id, const QString& actionKey);
    void onNotificationClosed(uint id, uint reason);

private:
    void send();
    void capabilitiesAnswered(QDBusPendingCallWatcher* call);
    void notify();
    void notifyAnswered(QDBusPendingCallWatcher* call);
    void fail();

    QDBusConnection m_bus;
    QString m_actionLabel;
    QString m_summary;
    QString m_body;
    // Asked of the service once, before the first notification.
    std::optional<QStringList> m_capabilities;
    // The service's number of the notification shown; 0 while none is.
    uint m_id = 0;
    // A call is under way; a show() meanwhile is sent once it is answered.
    bool m_calling = false;
    bool m_sendAgain = false;
};
