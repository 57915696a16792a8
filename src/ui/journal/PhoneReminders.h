#pragma once

// moc cannot read the standard library's concepts, which the reminders bring in.
#ifndef Q_MOC_RUN
#include "core/reminders/Keyring.h"
#include "core/reminders/MorningReminder.h"
#endif

#include <QObject>
#include <QTimer>

#include <atomic>
#include <memory>

class CTalvaneDoc;
class GardenWatch;
class QThread;
class QWidget;
class UiServices;

// The morning reminders of the open collection, with the garden's alerts of the
// window's watch when it is given one: looked at once a minute while the program runs,
// and sent away from the window's thread, so that a slow server never holds the window
// up. Set up through PhoneReminderDlg.
class PhoneReminders : public QObject {
    Q_OBJECT
public:
    static constexpr int kLookIntervalMs = 60 * 1000;

    PhoneReminders(CTalvaneDoc& doc, std::shared_ptr<talvane::reminders::Keyring> keyring,
                   talvane::reminders::TreeLinks links, const GardenWatch* watch = nullptr, QObject* parent = nullptr);
    // A send under way is cut short.
    ~PhoneReminders() override;

    // Opens the set-up of the collection's reminders over `parent`.
    void setUp(UiServices& services, QWidget* parent);

public slots:
    // Sends what the collection's reminders have due now.
    void look();

signals:
    // Why a reminder could not be sent.
    void notice(const QString& text);

private:
    CTalvaneDoc& m_doc;
    std::shared_ptr<talvane::reminders::Keyring> m_keyring;
    talvane::reminders::TreeLinks m_links;
    const GardenWatch* m_watch;
    QTimer m_timer;
    std::shared_ptr<talvane::reminders::MorningReminder> m_reminder;
    QThread* m_sending = nullptr;
    std::atomic<bool> m_stopping = false;
};
