#include "journal/CareDueReminder.h"

#include "collection/CollectionFile.h"
#include "journal/CalendarDate.h"
#include "journal/CareDueNotice.h"
#include "journal/DesktopNotifier.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

CareDueReminder::CareDueReminder(const QDBusConnection& bus, QTextStream& out, QTextStream& errors, QObject* parent)
    : QObject(parent), m_bus(bus), m_out(out), m_errors(errors)
{
    m_longestWait.setSingleShot(true);
    m_longestWait.setInterval(kLongestWaitMs);
    connect(&m_longestWait, &QTimer::timeout, this, &CareDueReminder::stopWaiting);
}

bool CareDueReminder::remind(const QStringList& collections)
{
    for (const QString& collection : collections)
        remindOf(collection);
    m_out.flush();
    m_errors.flush();
    if (m_waiting.isEmpty())
        return false;
    m_longestWait.start();
    return true;
}

void CareDueReminder::remindOf(const QString& collection)
{
    EntryList entries;
    if (const auto failure = LoadCollectionFile(QFile::encodeName(collection).toStdString(), entries)) {
        m_errors << "talvane: cannot read " << collection << ": " << QString::fromStdString(*failure) << '\n';
        m_unreadable = true;
        return;
    }
    const QFileInfo file(collection);
    const auto notice = MakeCareDueNotice(entries, talvane::journal::CalendarDate::today(), file.completeBaseName());
    m_out << collection << ": " << CareTasksDueText(notice ? notice->taskCount : 0) << '\n';
    if (!notice)
        return;
    auto* notifier = new DesktopNotifier(m_bus, CareDueNotice::actionLabel(), this);
    m_waiting.insert(notifier);
    const QString path = file.absoluteFilePath();
    connect(notifier, &DesktopNotifier::activated, this, [this, notifier, path] {
        emit careDueRequested(path);
        settle(notifier);
    });
    connect(notifier, &DesktopNotifier::shown, this, [this, notifier] {
        // Without actions nothing can come back from the notification.
        if (!notifier->offersActions())
            settle(notifier);
    });
    connect(notifier, &DesktopNotifier::closed, this, [this, notifier] { settle(notifier); });
    connect(notifier, &DesktopNotifier::unavailable, this, [this, notifier] { settle(notifier); });
    notifier->show(notice->summary, notice->body);
}

void CareDueReminder::settle(DesktopNotifier* notifier)
{
    if (!m_waiting.remove(notifier))
        return;
    notifier->deleteLater();
    if (m_waiting.isEmpty())
        stopWaiting();
}

void CareDueReminder::stopWaiting()
{
    m_longestWait.stop();
    m_waiting.clear();
    emit finished();
}
