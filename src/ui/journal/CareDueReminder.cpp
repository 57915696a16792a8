#include "ui/framework/FilePaths.h"
#include "ui/journal/CareDueReminder.h"

#include "core/collection/CollectionFile.h"
#include "core/journal/CalendarDate.h"
#include "ui/journal/CareDueNotice.h"
#include "ui/journal/DesktopNotifier.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <utility>

using namespace talvane::collection;

CareDueReminder::CareDueReminder(const QDBusConnection& bus, QTextStream& out, QTextStream& errors, int choiceWaitMs,
                                 QObject* parent)
    : QObject(parent), m_bus(bus), m_out(out), m_errors(errors)
{
    m_choiceWait.setSingleShot(true);
    m_choiceWait.setInterval(choiceWaitMs);
    connect(&m_choiceWait, &QTimer::timeout, this, &CareDueReminder::withdrawWaiting);
}

bool CareDueReminder::remind(const QStringList& collections)
{
    for (const QString& collection : collections)
        remindOf(collection);
    m_out.flush();
    m_errors.flush();
    if (m_waiting.isEmpty())
        return false;
    m_choiceWait.start();
    return true;
}

void CareDueReminder::remindOf(const QString& collection)
{
    EntryList entries;
    if (const auto failure = loadCollectionFile(fsPath(collection), entries)) {
        m_errors << "talvane: cannot read " << collection << ": " << QString::fromStdString(*failure) << '\n';
        m_unreadable = true;
        return;
    }
    const QFileInfo file(collection);
    const auto notice = makeCareDueNotice(entries, talvane::journal::CalendarDate::today(), file.completeBaseName());
    m_out << collection << ": " << careTasksDueText(notice ? notice->taskCount : 0) << '\n';
    if (!notice)
        return;
    auto* notifier = new DesktopNotifier(m_bus, CareDueNotice::actionLabel(), this);
    m_waiting.insert(notifier);
    const QString path = file.absoluteFilePath();
    // A service may tell of a choice more than once (the click and the button): only the first counts.
    connect(notifier, &DesktopNotifier::activated, this, [this, notifier, path] {
        if (!m_waiting.remove(notifier))
            return;
        emit careDueRequested(path);
        // A service that keeps a chosen notification up would offer a choice nothing hears.
        withdraw(notifier);
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
    finishWhenDone();
}

void CareDueReminder::withdrawWaiting()
{
    for (DesktopNotifier* notifier : std::exchange(m_waiting, {}))
        withdraw(notifier);
}

void CareDueReminder::withdraw(DesktopNotifier* notifier)
{
    ++m_withdrawing;
    notifier->disconnect(this);
    connect(notifier, &DesktopNotifier::withdrawn, this, [this, notifier] {
        notifier->deleteLater();
        --m_withdrawing;
        finishWhenDone();
    });
    notifier->withdraw();
}

void CareDueReminder::finishWhenDone()
{
    if (!m_waiting.isEmpty() || m_withdrawing > 0)
        return;
    m_choiceWait.stop();
    emit finished();
}
