#include "ui/companion/ShareDlg.h"

#include "ui/companion/PhoneLanguage.h"
#include "ui/companion/PhoneSharing.h"
#include "core/companion/ProgramTokens.h"
#include "ui/companion/ShareAtLogin.h"
#include "ui/framework/Mnemonic.h"
#include "ui/framework/QrPicture.h"
#include "ui/framework/UiServices.h"
#include "ui/framework/FullTextTip.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace talvane::companion;

namespace {

constexpr int kModulePixels = 6;
// What a network's item holds: the address listened on, and the one the pairing address
// names.
constexpr int kListenRole = Qt::UserRole;
constexpr int kShownRole = Qt::UserRole + 1;

QPixmap drawCode(const talvane::labels::QrCode& code)
{
    const int side = (code.size() + 8) * kModulePixels;
    QImage image(side, side, QImage::Format_RGB32);
    QPainter painter(&image);
    drawQrCode(painter, QRectF(0, 0, side, side), code);
    return QPixmap::fromImage(image);
}

// When the phone last asked for something: the time alone today, the date too before.
QString lastRequestText(const PairedPhone& phone)
{
    const QDateTime time = QDateTime::fromSecsSinceEpoch(std::chrono::system_clock::to_time_t(phone.lastRequest));
    return time.date() == QDate::currentDate() ? time.toString(QStringLiteral("HH:mm:ss"))
                                               : QLocale().toString(time, QLocale::ShortFormat);
}

// Whether the list's rows are those of `phones`, in their order and by their names.
bool listsSamePhones(const QTreeWidget& list, const std::vector<PairedPhone>& phones)
{
    if (list.topLevelItemCount() != static_cast<int>(phones.size()))
        return false;
    for (std::size_t i = 0; i < phones.size(); ++i) {
        const QTreeWidgetItem* item = list.topLevelItem(static_cast<int>(i));
        if (item->data(0, Qt::UserRole).toString() != QString::fromStdString(phones[i].handle) ||
            item->text(0) != QString::fromStdString(phones[i].name))
            return false;
    }
    return true;
}

} // namespace

ShareDlg::ShareDlg(PhoneSharing& sharing, UiServices& services, QWidget* parent)
    : QDialog(parent), m_sharing(sharing), m_services(services)
{
    setWindowTitle(tr("Share with phones"));
    auto* layout = new QVBoxLayout(this);
    addPairingCode(layout);
    addNetworkRows(layout);
    addPhoneList(layout);
    addProgramList(layout);
    addLoginChoice(layout);
    addButtons(layout);
    // A code shown longer than it works is replaced by a new one.
    m_renewCode = new QTimer(this);
    m_renewCode->setInterval(std::chrono::duration_cast<std::chrono::milliseconds>(PhoneSessions::kPairingLifetime));
    connect(m_renewCode, &QTimer::timeout, this, &ShareDlg::onNewCode);
    connect(m_atLogin, &QCheckBox::toggled, this, &ShareDlg::onShareAtLogin);
    connect(m_newCode, &QPushButton::clicked, this, &ShareDlg::onNewCode);
    connect(m_network, &QComboBox::currentIndexChanged, this, &ShareDlg::onNetworkChosen);
    connect(&m_sharing, &PhoneSharing::phonesChanged, this, &ShareDlg::refreshPhones);
    connect(m_phones, &QTreeWidget::itemChanged, this, &ShareDlg::onPhoneRenamed);
    resize(460, 640);
    nameFieldsAfterTheirLabels(*this);
}

void ShareDlg::addPairingCode(QVBoxLayout* layout)
{
    auto* intro = new QLabel(tr("Scan this code with a phone's camera, or open the address in its browser. "
                                            "The phone must be on the same network as this computer."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    m_code = new QLabel(this);
    m_code->setAlignment(Qt::AlignCenter);
    m_code->setAccessibleName(tr("Pairing code"));
    layout->addWidget(m_code);
}

void ShareDlg::addNetworkRows(QVBoxLayout* layout)
{
    auto* networkRow = new QHBoxLayout;
    auto* networkLabel = new QLabel(tr("&Network:"), this);
    m_network = new QComboBox(this);
    networkLabel->setBuddy(m_network);
    networkRow->addWidget(networkLabel);
    networkRow->addWidget(m_network, 1);
    layout->addLayout(networkRow);

    m_address = new QLineEdit(this);
    m_address->setReadOnly(true);
    m_address->setAccessibleName(tr("Pairing address"));
    new FullTextTip(m_address, m_address);
    layout->addWidget(m_address);

    auto* codeRow = new QHBoxLayout;
    auto* validity = new QLabel(tr("The code works for 10 minutes and pairs up to 5 phones."), this);
    validity->setWordWrap(true);
    m_newCode = new QPushButton(tr("New &code"), this);
    codeRow->addWidget(validity, 1);
    codeRow->addWidget(m_newCode);
    layout->addLayout(codeRow);
}

void ShareDlg::addPhoneList(QVBoxLayout* layout)
{
    auto* phonesLabel = new QLabel(tr("&Paired phones:"), this);
    layout->addWidget(phonesLabel);
    m_phones = new QTreeWidget(this);
    phonesLabel->setBuddy(m_phones);
    m_phones->setHeaderLabels({tr("Phone"), tr("Address"), tr("Last request"), QString()});
    m_phones->setRootIsDecorated(false);
    // A phone's name is edited in place: a double-click or F2.
    m_phones->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    m_phones->header()->setStretchLastSection(false);
    m_phones->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_phones->setMinimumHeight(110);
    layout->addWidget(m_phones);
}

void ShareDlg::addProgramList(QVBoxLayout* layout)
{
    m_programsLabel = new QLabel(tr("Programs with a &token:"), this);
    layout->addWidget(m_programsLabel);
    m_programs = new QTreeWidget(this);
    m_programsLabel->setBuddy(m_programs);
    m_programs->setHeaderLabels({tr("Program"), tr("Made"), tr("Last used"), QString()});
    m_programs->setRootIsDecorated(false);
    m_programs->header()->setStretchLastSection(false);
    m_programs->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_programs->setMinimumHeight(80);
    layout->addWidget(m_programs);
}

void ShareDlg::addLoginChoice(QVBoxLayout* layout)
{
    auto* warning = new QLabel(tr("The pages travel unencrypted over the network: share only on a home "
                                              "network you trust."),
                               this);
    warning->setWordWrap(true);
    layout->addWidget(warning);

    m_atLogin = new QCheckBox(tr("Share with phones at &login"), this);
    m_atLogin->setToolTip(tr("Talvane starts at login in the background and serves this collection to its paired phones, "
                             "on every network or on this computer only, as chosen above"));
    layout->addWidget(m_atLogin);
}

void ShareDlg::addButtons(QVBoxLayout* layout)
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_stop = new QPushButton(tr("&Stop sharing"), this);
    buttons->addWidget(m_stop);
    auto* close = new QPushButton(tr("Cl&ose"), this);
    close->setToolTip(tr("Sharing goes on until Stop sharing"));
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(m_stop, &QPushButton::clicked, this, [this] {
        m_sharing.stop();
        reject();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

bool ShareDlg::startSharing()
{
    // Shown again while sharing, the window keeps the network it listens on.
    if (!m_sharing.isSharing() || m_network->count() == 0)
        fillNetworks();
    if (!m_sharing.isSharing()) {
        m_network->setCurrentIndex(0);
        m_listening = 0;
        if (const auto failure = m_sharing.start(m_network->currentData(kListenRole).toString())) {
            m_services.prompter().ask(tr("Sharing with phones could not start:\n%1").arg(*failure),
                                      QStringLiteral("Talvane"), mb::kOk | mb::kIconExclamation);
            return false;
        }
    }
    showListenedNetwork();
    showAddress();
    refreshPhones();
    refreshPrograms();
    showShareAtLogin();
    m_renewCode->start();
    return true;
}

void ShareDlg::fillNetworks()
{
    const QSignalBlocker quiet(m_network);
    m_network->clear();
    const auto networks = localNetworkAddresses();
    const auto addItem = [this](const QString& text, const QString& listenOn, const QString& shown) {
        m_network->addItem(text, listenOn);
        m_network->setItemData(m_network->count() - 1, shown, kShownRole);
    };
    for (const NetworkAddress& network : networks) {
        const QString address = QString::fromStdString(network.address);
        addItem(QStringLiteral("%1 (%2)").arg(QString::fromStdString(network.interfaceName), address), address, address);
    }
    // This computer only: what a machine without a network can still be reached on.
    const QString loopback = QStringLiteral("127.0.0.1");
    addItem(tr("This computer only (127.0.0.1)"), loopback, loopback);
    // Phones on any network reach it; the code names the likeliest home network.
    addItem(tr("Every network"), QStringLiteral("0.0.0.0"),
            networks.empty() ? loopback : QString::fromStdString(networks.front().address));
}

void ShareDlg::showListenedNetwork()
{
    // Sharing handed over from another program listens where that one did.
    const CompanionServer* server = m_sharing.server();
    const int listened = server ? m_network->findData(QString::fromStdString(server->bindAddress()), kListenRole) : -1;
    if (listened >= 0 && listened != m_network->currentIndex()) {
        const QSignalBlocker quiet(m_network);
        m_network->setCurrentIndex(listened);
        m_listening = listened;
    }
}

void ShareDlg::showShareAtLogin()
{
    const QString collection = m_sharing.collectionFile();
    const QSignalBlocker quiet(m_atLogin);
    m_atLogin->setVisible(!collection.isEmpty());
    m_atLogin->setChecked(!collection.isEmpty() && ShareAtLogin(collection).isOn());
}

void ShareDlg::onShareAtLogin(bool on)
{
    const QString collection = m_sharing.collectionFile();
    if (collection.isEmpty())
        return;
    // At login the home network's address may not be there yet: every network is.
    const QString listenOn = m_network->currentData(kListenRole).toString() == QStringLiteral("127.0.0.1")
                                 ? QStringLiteral("127.0.0.1")
                                 : QStringLiteral("0.0.0.0");
    const ShareAtLogin entry(collection);
    if (const auto failure = on ? entry.turnOn(listenOn) : entry.turnOff()) {
        m_services.prompter().ask(*failure, QStringLiteral("Talvane"), mb::kOk | mb::kIconExclamation);
        const QSignalBlocker quiet(m_atLogin);
        m_atLogin->setChecked(entry.isOn());
    }
}

void ShareDlg::showAddress()
{
    CompanionServer* server = m_sharing.server();
    if (!server)
        return;
    const QString address =
        QString::fromStdString(server->pairingAddress(m_network->currentData(kShownRole).toString().toStdString()));
    m_address->setText(address);
    if (const auto code = talvane::labels::QrCode::encode(address.toStdString()))
        m_code->setPixmap(drawCode(*code));
}

void ShareDlg::onNetworkChosen(int index)
{
    if (m_sharing.isSharing()) {
        if (const auto failure = m_sharing.listenOn(m_network->itemData(index, kListenRole).toString())) {
            m_services.prompter().ask(tr("Sharing could not move to %1:\n%2").arg(m_network->itemText(index), *failure),
                                      QStringLiteral("Talvane"), mb::kOk | mb::kIconExclamation);
            // The phones still reach it where it was.
            const QSignalBlocker quiet(m_network);
            m_network->setCurrentIndex(m_listening);
        } else {
            m_listening = index;
        }
    }
    showAddress();
}

void ShareDlg::onNewCode()
{
    if (CompanionServer* server = m_sharing.server()) {
        server->sessions().newPairing();
        showAddress();
        m_renewCode->start();
    }
}

void ShareDlg::refreshPhones()
{
    CompanionServer* server = m_sharing.server();
    const std::vector<PairedPhone> phones = server ? server->sessions().phones() : std::vector<PairedPhone>();
    // Names set in code are not renames.
    const QSignalBlocker quiet(m_phones);
    // Every request of a phone tells its time: the rows are made again only when the
    // phones themselves change.
    if (listsSamePhones(*m_phones, phones)) {
        for (std::size_t i = 0; i < phones.size(); ++i) {
            QTreeWidgetItem* item = m_phones->topLevelItem(static_cast<int>(i));
            item->setText(1, QString::fromStdString(phones[i].address));
            item->setText(2, lastRequestText(phones[i]));
        }
        return;
    }
    m_phones->clear();
    for (const PairedPhone& phone : phones)
        addPhoneRow(phone);
    m_phones->resizeColumnToContents(1);
    m_phones->resizeColumnToContents(2);
    m_phones->resizeColumnToContents(3);
}

void ShareDlg::addPhoneRow(const PairedPhone& phone)
{
    const QString name = QString::fromStdString(phone.name);
    auto* item = new QTreeWidgetItem(m_phones, {name, QString::fromStdString(phone.address), lastRequestText(phone)});
    item->setData(0, Qt::UserRole, QString::fromStdString(phone.handle));
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    item->setToolTip(0, tr("Double-click or press F2 to rename the phone"));
    // Every phone's button has the same key: pressed again, it moves to the next one.
    auto* disconnect = new QPushButton(tr("&Disconnect"), m_phones);
    disconnect->setAccessibleName(tr("Disconnect %1").arg(name));
    disconnect->setToolTip(tr("Unpairs the phone: to open the pages again, it must scan a new code"));
    connect(disconnect, &QPushButton::clicked, this, [this, handle = phone.handle] {
        CompanionServer* current = m_sharing.server();
        if (current && !current->sessions().disconnect(handle)) {
            sayKeptPhonesFailure(tr("The phone could not be disconnected:\n%1"));
            // It may have been unpaired elsewhere meanwhile.
            QMetaObject::invokeMethod(this, &ShareDlg::refreshPhones, Qt::QueuedConnection);
        }
    });
    m_phones->setItemWidget(item, 3, disconnect);
}

void ShareDlg::onPhoneRenamed(QTreeWidgetItem* item, int column)
{
    CompanionServer* server = m_sharing.server();
    if (column != 0 || !server)
        return;
    const std::string handle = item->data(0, Qt::UserRole).toString().toStdString();
    const std::vector<PairedPhone> phones = server->sessions().phones();
    const auto phone = std::find_if(phones.begin(), phones.end(), [&](const PairedPhone& kept) { return kept.handle == handle; });
    if (phone != phones.end() && item->text(0).toStdString() != phone->name) {
        if (const auto refusal = server->sessions().rename(phone->name, item->text(0).toStdString()))
            m_services.prompter().ask(tr("The phone could not be renamed:\n%1")
                                          .arg(QString::fromStdString(refusal->said(phoneTextInWindowLanguage))),
                                      QStringLiteral("Talvane"), mb::kOk | mb::kIconExclamation);
    }
    // Not at once: the item is still being edited. The list shows the name kept.
    QMetaObject::invokeMethod(this, &ShareDlg::refreshPhones, Qt::QueuedConnection);
}

void ShareDlg::sayKeptPhonesFailure(const QString& what)
{
    CompanionServer* server = m_sharing.server();
    if (const auto failure = server ? server->sessions().failure() : std::nullopt)
        m_services.prompter().ask(what.arg(QString::fromStdString(failure->said(phoneTextInWindowLanguage))),
                                  QStringLiteral("Talvane"), mb::kOk | mb::kIconExclamation);
}

void ShareDlg::refreshPrograms()
{
    const auto file = m_sharing.programTokensFile();
    m_programsLabel->setVisible(file.has_value());
    m_programs->setVisible(file.has_value());
    m_programs->clear();
    if (!file)
        return;
    const auto timeText = [](std::chrono::system_clock::time_point time) {
        return QLocale().toString(QDateTime::fromSecsSinceEpoch(std::chrono::system_clock::to_time_t(time)),
                                  QLocale::ShortFormat);
    };
    for (const ProgramToken& token : ProgramTokens(*file).list()) {
        const QString name = QString::fromStdString(token.name);
        auto* item = new QTreeWidgetItem(m_programs, {name, timeText(token.made),
                                                      token.lastUsed ? timeText(*token.lastUsed) : tr("Never")});
        auto* revoke = new QPushButton(tr("&Revoke"), m_programs);
        revoke->setAccessibleName(tr("Revoke %1").arg(name));
        connect(revoke, &QPushButton::clicked, this, [this, file = *file, name = token.name] {
            ProgramTokens tokens(file);
            if (!tokens.revoke(name)) {
                if (const auto failure = tokens.failure())
                    m_services.prompter().ask(tr("The token could not be revoked:\n%1")
                                                  .arg(QString::fromStdString(failure->said(phoneTextInWindowLanguage))),
                                              QStringLiteral("Talvane"), mb::kOk | mb::kIconExclamation);
            }
            // Not at once: the list is made again, and this button with it.
            QMetaObject::invokeMethod(this, &ShareDlg::refreshPrograms, Qt::QueuedConnection);
        });
        m_programs->setItemWidget(item, 3, revoke);
    }
    for (const int column : {1, 2, 3})
        m_programs->resizeColumnToContents(column);
}

void ShareDlg::done(int result)
{
    m_renewCode->stop();
    QDialog::done(result);
}
