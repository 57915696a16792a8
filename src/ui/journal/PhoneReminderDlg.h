#pragma once

// moc cannot read the standard library's concepts, which the settings bring in.
#ifndef Q_MOC_RUN
#include "core/reminders/Keyring.h"
#include "core/reminders/ReminderSettings.h"
#endif

#include <QDialog>

#include <filesystem>

class Prompter;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QVBoxLayout;

// Sets up how a collection's care due reaches the grower's phone each morning: a push
// notification through an ntfy topic, an e-mail through the grower's mail server, or
// both, and the hour. The settings go to the file talvane-cli reads too; the access
// token and the password go to the keyring, never to a file. A secret field left
// empty keeps the secret kept before.
class PhoneReminderDlg : public QDialog {
    Q_OBJECT
public:
    PhoneReminderDlg(std::filesystem::path collection, talvane::reminders::Keyring& keyring, Prompter& prompter,
                     QWidget* parent = nullptr);

    QLineEdit* topicEdit() const { return m_topic; }
    QLineEdit* tokenEdit() const { return m_token; }
    QLineEdit* hostEdit() const { return m_host; }
    QComboBox* securityBox() const { return m_security; }
    QLineEdit* userEdit() const { return m_user; }
    QLineEdit* passwordEdit() const { return m_password; }
    QLineEdit* fromEdit() const { return m_from; }
    QLineEdit* toEdit() const { return m_to; }
    QSpinBox* hourBox() const { return m_hour; }
    QPushButton* testButton() const { return m_test; }

public slots:
    // Sends one message at once through each channel the fields set up, and says what became of it.
    void onSendTest();
    // Keeps the settings and the secrets typed; settings that cannot be used keep the window open.
    void accept() override;

private:
    void addPushGroup(QVBoxLayout* layout);
    void addMailGroup(QVBoxLayout* layout);
    void addHourRow(QVBoxLayout* layout);
    void addButtons(QVBoxLayout* layout);
    void showSettings(const talvane::reminders::ReminderSettings& settings);
    talvane::reminders::ReminderSettings typedSettings() const;
    // The settings typed, once they can be used; said and nothing otherwise.
    std::optional<talvane::reminders::ReminderSettings> usableSettings();
    std::optional<std::string> typedSecret(const QLineEdit& field) const;

    std::filesystem::path m_collection;
    talvane::reminders::Keyring& m_keyring;
    Prompter& m_prompter;
    QLineEdit* m_topic;
    QLineEdit* m_token;
    QLineEdit* m_host;
    QSpinBox* m_port;
    QComboBox* m_security;
    QLineEdit* m_user;
    QLineEdit* m_password;
    QLineEdit* m_from;
    QLineEdit* m_to;
    QSpinBox* m_hour;
    QPushButton* m_test;
};
