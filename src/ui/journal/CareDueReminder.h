#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>

class DesktopNotifier;
class QTextStream;

// "talvane --remind": reads each collection, without locking or writing it, says on the
// output what each has due, and shows a desktop notification for each with care due
// today or overdue. Then waits until each notification was chosen (which asks for that
// collection's Care due window) or went away, for half a day at most, and no longer
// than it takes to learn that the service is missing or offers no actions.
class CareDueReminder : public QObject {
    Q_OBJECT
public:
    CareDueReminder(const QDBusConnection& bus, QTextStream& out, QTextStream& errors, QObject* parent = nullptr);

    // True while notifications are up to wait for; finished() tells when they no longer are.
    bool remind(const QStringList& collections);
    // 1 when a collection could not be read, else 0.
    int exitCode() const { return m_unreadable ? 1 : 0; }

    static constexpr int kLongestWaitMs = 12 * 60 * 60 * 1000;

signals:
    // The grower chose the notification of this collection (an absolute path).
    void careDueRequested(const QString& collection);
    void finished();

private:
    void remindOf(const QString& collection);
    void settle(DesktopNotifier* notifier);
    void stopWaiting();

    QDBusConnection m_bus;
    QTextStream& m_out;
    QTextStream& m_errors;
    QSet<DesktopNotifier*> m_waiting;
    QTimer m_longestWait;
    bool m_unreadable = false;
};
