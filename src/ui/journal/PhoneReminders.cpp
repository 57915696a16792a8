#include "ui/journal/PhoneReminders.h"

#include "core/collection/UserFolders.h"
#include "ui/document/TalvaneDoc.h"
#include "ui/framework/CoreTexts.h"
#include "ui/framework/FilePaths.h"
#include "ui/framework/UiServices.h"
#include "ui/journal/GardenWatch.h"
#include "ui/journal/PhoneReminderDlg.h"

#include <QThread>

using namespace talvane::collection;

using namespace talvane::reminders;

PhoneReminders::PhoneReminders(CTalvaneDoc& doc, std::shared_ptr<Keyring> keyring, TreeLinks links,
                               const GardenWatch* watch, QObject* parent)
    : QObject(parent), m_doc(doc), m_keyring(std::move(keyring)), m_links(std::move(links)), m_watch(watch)
{
    m_timer.setInterval(kLookIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &PhoneReminders::look);
    m_timer.start();
}

PhoneReminders::~PhoneReminders()
{
    m_stopping = true;
    if (m_sending)
        m_sending->wait();
}

void PhoneReminders::setUp(UiServices& services, QWidget* parent)
{
    PhoneReminderDlg dialog(fsPath(m_doc.pathName()), *m_keyring, services.prompter(), parent);
    services.dialogRunner().run(dialog);
}

void PhoneReminders::look()
{
    const QString path = m_doc.pathName();
    if (m_sending || path.isEmpty())
        return;
    if (!m_reminder || m_reminder->collection() != fsPath(path))
        m_reminder = std::make_shared<MorningReminder>(fsPath(path));
    auto round = m_reminder->nextRound(m_doc.entries(), m_links, windowWords,
                                       m_watch ? m_watch->alerts() : std::vector<talvane::garden::GardenAlert>{});
    if (!round)
        return;
    auto outcomes = std::make_shared<std::vector<ChannelOutcome>>();
    m_sending = QThread::create([round = *round, outcomes, keyring = m_keyring, collection = collectionKey(fsPath(path)),
                                 stopping = &m_stopping] {
        *outcomes = deliver(round.settings, round.channels, round.message, keptSecrets(*keyring, collection),
                            ReminderSender(stopping));
    });
    m_sending->setParent(this);
    // The reminder that chose the round notes it, even once another collection is open.
    connect(m_sending, &QThread::finished, this, [this, round = std::move(*round), outcomes, reminder = m_reminder] {
        m_sending->deleteLater();
        m_sending = nullptr;
        reminder->record(round, *outcomes);
        for (const ChannelOutcome& outcome : *outcomes)
            if (outcome.failure)
                emit notice(QString::fromStdString(*outcome.failure));
    });
    m_sending->start();
}
