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
// today or overdue. A notification chosen asks for that collection's Care due window,
// once, and is taken down. The reminder finishes when each notification was chosen or
// went away, or the service cannot answer (none, or one without actions), and at the
// latest after choiceWaitMs: the notifications still up are then taken down, as
// nothing would answer their choice once the reminder has ended.
class CareDueReminder : public QObject {
    Q_OBJECT
public:
    static constexpr int kChoiceWaitMs = 15000;

    CareDueReminder(const QDBusConnection& bus, QTextStream& out, QTextStream& errors,
                    int choiceWaitMs = kChoiceWaitMs, QObject* parent = nullptr);

    // True while notifications are up to wait for; finished() tells when they no longer are.
    bool remind(const QStringList& collections);
    // 1 when a collection could not be read, else 0.
    int exitCode() const { return m_unreadable ? 1 : 0; }

signals:
    // The grower chose the notification of this collection (an absolute path).
    void careDueRequested(const QString& collection);
    void finished();

private:
    void remindOf(const QString& collection);
    // The notification no longer waits to be chosen; the last one ends the wait.
    void settle(DesktopNotifier* notifier);
    // The wait is over: the notifications still up are taken down, then the reminder finishes.
    void withdrawWaiting();
    void withdraw(DesktopNotifier* notifier);
    // Finishes once no notification waits to be chosen or taken down.
    void finishWhenDone();

    QDBusConnection m_bus;
    QTextStream& m_out;
    QTextStream& m_errors;
    QSet<DesktopNotifier*> m_waiting;
    QTimer m_choiceWait;
    int m_withdrawing = 0;
    bool m_unreadable = false;
};
