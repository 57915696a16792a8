#include "ui/garden/GardenLocationDlg.h"

#include "ui/framework/Mnemonic.h"
#include "ui/framework/StandardButtonKeys.h"
#include "ui/framework/UiServices.h"
#include "ui/journal/GardenWatch.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

using namespace talvane::garden;
using talvane::reminders::Town;

namespace {

QDoubleSpinBox* coordinateBox(double limit, QWidget* parent)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(-limit, limit);
    box->setDecimals(4);
    box->setSuffix(QStringLiteral("\u00B0"));
    return box;
}

QString townText(const Town& town)
{
    return town.region.empty() ? QString::fromStdString(town.name)
                               : QStringLiteral("%1, %2").arg(QString::fromStdString(town.name), QString::fromStdString(town.region));
}

} // namespace

GardenLocationDlg::GardenLocationDlg(GardenWatch& watch, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_watch(watch), m_prompter(prompter)
{
    setWindowTitle(tr("Garden location"));
    auto* layout = new QVBoxLayout(this);
    auto* why = new QLabel(tr("The forecast of this place warns of frost and heat for the trees it holds and counts "
                              "the warm weeks of their wire. It is kept on this computer beside the collection's "
                              "path, and sent to nobody but the forecast server."),
                           this);
    why->setWordWrap(true);
    layout->addWidget(why);
    auto* form = new QFormLayout;
    addTownRows(form);
    m_latitude = coordinateBox(90, this);
    m_longitude = coordinateBox(180, this);
    m_server = new QLineEdit(this);
    m_server->setPlaceholderText(QString::fromUtf8(kOpenMeteoBase.data(), static_cast<int>(kOpenMeteoBase.size())));
    form->addRow(tr("L&atitude:"), m_latitude);
    form->addRow(tr("Lo&ngitude:"), m_longitude);
    form->addRow(tr("Forecast &server:"), m_server);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    giveStandardButtonsKeys(*buttons);
    m_forget = buttons->addButton(tr("&Forget the location"), QDialogButtonBox::ResetRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &GardenLocationDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_forget, &QPushButton::clicked, this, &GardenLocationDlg::onForget);
    nameFieldsAfterTheirLabels(*this);
    showLocation(watch.location().value_or(GardenLocation{}));
    m_forget->setEnabled(watch.location().has_value());
}

GardenLocationDlg::~GardenLocationDlg()
{
    m_stopLooking.request_stop();
    if (m_looking)
        m_looking->wait();
}

void GardenLocationDlg::addTownRows(QFormLayout* form)
{
    auto* row = new QHBoxLayout;
    m_town = new QLineEdit(this);
    m_lookUp = new QPushButton(tr("&Look up"), this);
    row->addWidget(m_town, 1);
    row->addWidget(m_lookUp);
    auto* townLabel = new QLabel(tr("&Town:"), this);
    townLabel->setBuddy(m_town);
    m_town->setAccessibleName(tr("Town"));
    form->addRow(townLabel, row);
    m_towns = new QListWidget(this);
    m_towns->setAccessibleName(tr("Towns found"));
    m_towns->setMaximumHeight(m_towns->fontMetrics().height() * 6);
    m_note = new QLabel(this);
    m_note->setWordWrap(true);
    form->addRow(QString(), m_towns);
    form->addRow(QString(), m_note);
    connect(m_lookUp, &QPushButton::clicked, this, &GardenLocationDlg::onLookUp);
    connect(m_town, &QLineEdit::returnPressed, this, &GardenLocationDlg::onLookUp);
    connect(m_towns, &QListWidget::currentRowChanged, this, &GardenLocationDlg::onTownChosen);
}

void GardenLocationDlg::showLocation(const GardenLocation& location)
{
    m_town->setText(QString::fromStdString(location.town));
    m_town->setCursorPosition(0);
    m_latitude->setValue(location.latitude);
    m_longitude->setValue(location.longitude);
    m_server->setText(location.forecastBase == kOpenMeteoBase ? QString() : QString::fromStdString(location.forecastBase));
}

void GardenLocationDlg::onLookUp()
{
    const QString name = m_town->text().trimmed();
    if (name.isEmpty() || m_looking)
        return;
    const std::string base = m_server->text().trimmed().isEmpty() ? std::string(kOpenMeteoBase)
                                                                   : m_server->text().trimmed().toStdString();
    auto found = std::make_shared<std::variant<std::vector<Town>, std::string>>();
    m_looking = QThread::create([found, base, name = name.toStdString(), stop = m_stopLooking.get_token()] {
        *found = talvane::reminders::findTowns(base, name, stop);
    });
    m_looking->setParent(this);
    connect(m_looking, &QThread::finished, this, [this, found] {
        m_looking->deleteLater();
        m_looking = nullptr;
        m_lookUp->setEnabled(true);
        listTowns(*found);
    });
    m_lookUp->setEnabled(false);
    m_note->setText(tr("Looking up\u2026"));
    m_looking->start();
}

void GardenLocationDlg::listTowns(const std::variant<std::vector<Town>, std::string>& found)
{
    m_towns->clear();
    m_found.clear();
    if (const auto* failure = std::get_if<std::string>(&found)) {
        m_note->setText(tr("The towns could not be looked up: %1").arg(QString::fromStdString(*failure)));
        return;
    }
    m_found = std::get<std::vector<Town>>(found);
    for (const Town& town : m_found)
        m_towns->addItem(townText(town));
    m_note->setText(m_found.empty() ? tr("No town of that name was found.") : tr("Choose the town in the list."));
    if (!m_found.empty())
        m_towns->setCurrentRow(0);
}

void GardenLocationDlg::onTownChosen()
{
    const int row = m_towns->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= m_found.size())
        return;
    m_latitude->setValue(m_found[row].latitude);
    m_longitude->setValue(m_found[row].longitude);
}

void GardenLocationDlg::onForget()
{
    if (const auto failure = m_watch.setLocation(std::nullopt)) {
        m_prompter.ask(*failure, windowTitle(), mb::kOk | mb::kIconExclamation);
        return;
    }
    QDialog::accept();
}

void GardenLocationDlg::accept()
{
    GardenLocation location;
    location.latitude = m_latitude->value();
    location.longitude = m_longitude->value();
    const int row = m_towns->currentRow();
    location.town = row >= 0 && static_cast<std::size_t>(row) < m_found.size() ? townText(m_found[row]).toStdString()
                                                                               : m_town->text().trimmed().toStdString();
    if (!m_server->text().trimmed().isEmpty())
        location.forecastBase = m_server->text().trimmed().toStdString();
    if (const auto failure = m_watch.setLocation(location)) {
        m_prompter.ask(*failure, windowTitle(), mb::kOk | mb::kIconExclamation);
        return;
    }
    QDialog::accept();
}
