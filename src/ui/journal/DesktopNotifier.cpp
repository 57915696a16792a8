#include "ui/journal/DesktopNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

const QString DesktopNotifier::kService = QStringLiteral("org.freedesktop.Notifications");
const QString DesktopNotifier::kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString DesktopNotifier::kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString DesktopNotifier::kDefaultAction = QStringLiteral("default");
const QString DesktopNotifier::kAction = QStringLiteral("open");

namespace {

const QString kAppName = QStringLiteral("Talvane");
// The installed icon, and the desktop entry it belongs to.
const QString kIconName = QStringLiteral("talvane");
// The server's own choice of how long the notification stays.
constexpr int kServerTimeout = -1;
// A service that does not answer within this has nothing left to show.
constexpr int kWithdrawAnswerMs = 2000;

} // namespace

DesktopNotifier::DesktopNotifier(const QDBusConnection& bus, const QString& actionLabel, QObject* parent)
    : QObject(parent), m_bus(bus), m_actionLabel(actionLabel)
{
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                  SLOT(onActionInvoked(uint, QString)));
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                  SLOT(onNotificationClosed(uint, uint)));
}

bool DesktopNotifier::offersActions() const
{
    return m_capabilities && m_capabilities->contains(QStringLiteral("actions"));
}

void DesktopNotifier::show(const QString& summary, const QString& body)
{
    m_summary = summary;
    m_body = body;
    if (m_calling)
        m_sendAgain = true;
    else
        send();
}

void DesktopNotifier::send()
{
    m_calling = true;
    // A call on a connection that never was gives no answer at all.
    if (!m_bus.isConnected()) {
        QMetaObject::invokeMethod(this, &DesktopNotifier::fail, Qt::QueuedConnection);
        return;
    }
    if (m_capabilities) {
        notify();
        return;
    }
    const auto message = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("GetCapabilities"));
    auto* call = new QDBusPendingCallWatcher(m_bus.asyncCall(message), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, &DesktopNotifier::capabilitiesAnswered);
}

void DesktopNotifier::capabilitiesAnswered(QDBusPendingCallWatcher* call)
{
    call->deleteLater();
    const QDBusPendingReply<QStringList> reply = *call;
    if (reply.isError()) {
        fail();
        return;
    }
    m_capabilities = reply.value();
    notify();
}

void DesktopNotifier::notify()
{
    // The texts are the latest: a show() that came while the service was asked is in them.
    m_sendAgain = false;
    // A server that reads markup in the body would take "<" or "&" in a tree's name for it.
    const bool markup = m_capabilities->contains(QStringLiteral("body-markup"));
    auto message = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    message << kAppName << m_id << kIconName << m_summary << (markup ? m_body.toHtmlEscaped() : m_body)
            << QStringList{kDefaultAction, m_actionLabel, kAction, m_actionLabel}
            << QVariantMap{{QStringLiteral("desktop-entry"), kIconName}} << kServerTimeout;
    auto* call = new QDBusPendingCallWatcher(m_bus.asyncCall(message), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, &DesktopNotifier::notifyAnswered);
}

void DesktopNotifier::notifyAnswered(QDBusPendingCallWatcher* call)
{
    call->deleteLater();
    const QDBusPendingReply<uint> reply = *call;
    if (reply.isError()) {
        fail();
        return;
    }
    m_id = reply.value();
    m_calling = false;
    emit shown();
    if (m_sendAgain)
        send();
}

void DesktopNotifier::withdraw()
{
    if (m_id == 0 || !m_bus.isConnected()) {
        QMetaObject::invokeMethod(this, &DesktopNotifier::withdrawn, Qt::QueuedConnection);
        return;
    }
    auto message = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("CloseNotification"));
    message << m_id;
    // Its NotificationClosed is no longer this notifier's news.
    m_id = 0;
    auto* call = new QDBusPendingCallWatcher(m_bus.asyncCall(message, kWithdrawAnswerMs), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, call] {
        call->deleteLater();
        emit withdrawn();
    });
}

void DesktopNotifier::fail()
{
    // The service may come later: its capabilities are asked again then.
    m_capabilities.reset();
    m_calling = false;
    m_sendAgain = false;
    emit unavailable();
}

void DesktopNotifier::onActionInvoked(uint id, const QString& actionKey)
{
    if (id != 0 && id == m_id && (actionKey == kDefaultAction || actionKey == kAction))
        emit activated();
}

void DesktopNotifier::onNotificationClosed(uint id, uint)
{
    if (id == 0 || id != m_id)
        return;
    m_id = 0;
    emit closed();
}
