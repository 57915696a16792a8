#include "ui/journal/PhoneReminderDlg.h"

#include "core/collection/UserFolders.h"
#include "ui/framework/Mnemonic.h"
#include "ui/framework/StandardButtonKeys.h"
#include "ui/framework/UiServices.h"
#include "core/reminders/Delivery.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace talvane::collection;

using namespace talvane::reminders;

namespace {

QString said(const std::string& message)
{
    return QString::fromStdString(message);
}

QLineEdit* secretEdit(const QString& placeholder, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setEchoMode(QLineEdit::Password);
    edit->setPlaceholderText(placeholder);
    return edit;
}

} // namespace

PhoneReminderDlg::PhoneReminderDlg(std::filesystem::path collection, Keyring& keyring, Prompter& prompter,
                                   QWidget* parent)
    : QDialog(parent), m_collection(std::move(collection)), m_keyring(keyring), m_prompter(prompter)
{
    setWindowTitle(tr("Remind me on my phone"));
    auto* layout = new QVBoxLayout(this);
    const SettingsRead read = readReminderSettings(reminderSettingsFile(m_collection));
    if (read.failure) {
        auto* problem = new QLabel(said(*read.failure), this);
        problem->setWordWrap(true);
        layout->addWidget(problem);
    }
    addPushGroup(layout);
    addMailGroup(layout);
    addHourRow(layout);
    addButtons(layout);
    nameFieldsAfterTheirLabels(*this);
    showSettings(read.settings);
}

void PhoneReminderDlg::addPushGroup(QVBoxLayout* layout)
{
    auto* push = new QGroupBox(tr("Push notification (ntfy)"), this);
    auto* pushForm = new QFormLayout(push);
    m_topic = new QLineEdit(push);
    m_topic->setPlaceholderText(QStringLiteral("https://ntfy.sh/my-bonsai-topic"));
    // Room for a whole topic address, and so for the other fields of the form.
    m_topic->setMinimumWidth(m_topic->fontMetrics().horizontalAdvance(QStringLiteral("https://ntfy.example.org/my-bonsai-topic")));
    m_token = secretEdit(tr("Optional; kept in the system keyring"), push);
    pushForm->addRow(tr("Topic &address:"), m_topic);
    pushForm->addRow(tr("Access to&ken:"), m_token);
    layout->addWidget(push);
}

void PhoneReminderDlg::addMailGroup(QVBoxLayout* layout)
{
    auto* mail = new QGroupBox(tr("E-mail"), this);
    auto* mailForm = new QFormLayout(mail);
    m_host = new QLineEdit(mail);
    m_port = new QSpinBox(mail);
    m_port->setRange(0, 65535);
    m_port->setSpecialValueText(tr("Usual"));
    m_security = new QComboBox(mail);
    m_security->addItem(tr("None"), int(MailSecurity::None));
    m_security->addItem(QStringLiteral("STARTTLS"), int(MailSecurity::StartTls));
    m_security->addItem(QStringLiteral("TLS"), int(MailSecurity::Tls));
    m_user = new QLineEdit(mail);
    m_password = secretEdit(tr("Kept in the system keyring"), mail);
    m_from = new QLineEdit(mail);
    m_to = new QLineEdit(mail);
    mailForm->addRow(tr("SMTP &server:"), m_host);
    mailForm->addRow(tr("&Port:"), m_port);
    mailForm->addRow(tr("Securit&y:"), m_security);
    mailForm->addRow(tr("&User:"), m_user);
    mailForm->addRow(tr("Pass&word:"), m_password);
    mailForm->addRow(tr("&From:"), m_from);
    mailForm->addRow(tr("&To:"), m_to);
    layout->addWidget(mail);
}

void PhoneReminderDlg::addHourRow(QVBoxLayout* layout)
{
    auto* hourForm = new QFormLayout;
    m_hour = new QSpinBox(this);
    m_hour->setRange(0, 23);
    m_hour->setSuffix(QStringLiteral(":00"));
    hourForm->addRow(tr("Morning message from &hour:"), m_hour);
    layout->addLayout(hourForm);
}

void PhoneReminderDlg::addButtons(QVBoxLayout* layout)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    giveStandardButtonsKeys(*buttons);
    m_test = buttons->addButton(tr("Se&nd a test"), QDialogButtonBox::ActionRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &PhoneReminderDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_test, &QPushButton::clicked, this, &PhoneReminderDlg::onSendTest);
}

void PhoneReminderDlg::showSettings(const ReminderSettings& settings)
{
    m_topic->setText(QString::fromStdString(settings.ntfyTopic));
    m_host->setText(QString::fromStdString(settings.mail.host));
    m_port->setValue(settings.mail.port);
    m_security->setCurrentIndex(m_security->findData(int(settings.mail.security)));
    m_user->setText(QString::fromStdString(settings.mail.user));
    m_from->setText(QString::fromStdString(settings.mail.from));
    m_to->setText(QString::fromStdString(settings.mail.to));
    m_hour->setValue(settings.hour);
}

ReminderSettings PhoneReminderDlg::typedSettings() const
{
    const auto typed = [](const QLineEdit* edit) { return edit->text().trimmed().toStdString(); };
    ReminderSettings settings;
    settings.ntfyTopic = typed(m_topic);
    settings.mail.host = typed(m_host);
    settings.mail.port = m_port->value();
    settings.mail.security = static_cast<MailSecurity>(m_security->currentData().toInt());
    settings.mail.user = typed(m_user);
    settings.mail.from = typed(m_from);
    settings.mail.to = typed(m_to);
    settings.hour = m_hour->value();
    return settings;
}

std::optional<ReminderSettings> PhoneReminderDlg::usableSettings()
{
    const ReminderSettings settings = typedSettings();
    if (const auto problem = settingsProblem(settings)) {
        m_prompter.ask(said(*problem), QStringLiteral("Talvane"), mb::kOk | mb::kIconExclamation);
        return std::nullopt;
    }
    return settings;
}

std::optional<std::string> PhoneReminderDlg::typedSecret(const QLineEdit& field) const
{
    return field.text().isEmpty() ? std::nullopt : std::optional(field.text().toStdString());
}

void PhoneReminderDlg::onSendTest()
{
    const auto settings = usableSettings();
    if (!settings)
        return;
    if (!settings->isSetUp()) {
        m_prompter.ask(tr("Give the address of an ntfy topic or a mail server first."), QStringLiteral("Talvane"),
                       mb::kOk | mb::kIconExclamation);
        return;
    }
    const std::string collection = collectionKey(m_collection);
    const auto secret = [&](const QLineEdit& field, SecretKind kind) {
        auto typed = typedSecret(field);
        return typed ? typed : m_keyring.find(collection, kind).secret;
    };
    const Secrets secrets{secret(*m_token, SecretKind::PushToken), secret(*m_password, SecretKind::MailPassword)};
    const auto message = testMessage(m_collection.filename().string(), settings->hour, talvane::text::messageWords());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto outcomes = deliver(*settings, channelsSetUp(*settings), message, secrets, ReminderSender());
    QApplication::restoreOverrideCursor();
    QStringList lines;
    bool failed = false;
    for (const ChannelOutcome& outcome : outcomes) {
        lines.append(said(outcomeText(*settings, outcome)));
        failed = failed || outcome.failure;
    }
    m_prompter.ask(lines.join(QLatin1Char('\n')), QStringLiteral("Talvane"),
                   mb::kOk | (failed ? mb::kIconExclamation : mb::kIconInformation));
}

void PhoneReminderDlg::accept()
{
    const auto settings = usableSettings();
    if (!settings)
        return;
    if (const auto failure = writeReminderSettings(reminderSettingsFile(m_collection), *settings)) {
        m_prompter.ask(said(*failure), QStringLiteral("Talvane"), mb::kOk | mb::kIconExclamation);
        return;
    }
    const std::string collection = collectionKey(m_collection);
    QStringList notKept;
    for (const auto& failure :
         {keepGivenSecret(m_keyring, collection, SecretKind::PushToken, !settings->ntfyTopic.empty(), typedSecret(*m_token)),
          keepGivenSecret(m_keyring, collection, SecretKind::MailPassword, settings->mail.isSetUp(),
                          typedSecret(*m_password))})
        if (failure)
            notKept.append(said(*failure));
    if (!notKept.isEmpty())
        m_prompter.ask(notKept.join(QStringLiteral("\n\n")), QStringLiteral("Talvane"), mb::kOk | mb::kIconExclamation);
    QDialog::accept();
}
