#include "ui/journal/CareDueDlg.h"

#include <QCoreApplication>

#include "ui/document/TalvaneDoc.h"
#include "ui/framework/AnsiText.h"
#include "ui/framework/CoreTexts.h"
#include "ui/framework/Mnemonic.h"
#include "ui/framework/StandardButtonKeys.h"
#include "ui/framework/UiServices.h"
#include "ui/journal/CareCalendarBeside.h"
#include "ui/journal/CareTexts.h"
#include "core/garden/TreeLimits.h"
#include "core/journal/Journal.h"
#include "ui/journal/GardenWatch.h"
#include "ui/journal/LoginReminders.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace talvane::journal;
using talvane::garden::AlertKind;
using talvane::garden::GardenAlert;

namespace {

// A snoozed wire check comes back after a week.
constexpr long kSnoozeDays = 7;

// What the alert's row says beside its date: "Frost −6 °C", "Heat 38 °C", "Wire".
QString alertStateText(const GardenAlert& alert)
{
    switch (alert.kind) {
    case AlertKind::Frost:
        return QCoreApplication::translate("CareDueDlg", "Frost %1").arg(QString::fromStdString(talvane::garden::degreesText(*alert.forecast)));
    case AlertKind::Heat:
        return QCoreApplication::translate("CareDueDlg", "Heat %1").arg(QString::fromStdString(talvane::garden::degreesText(*alert.forecast)));
    case AlertKind::Wire:
        return QCoreApplication::translate("CareDueDlg", "Wire");
    }
    return {};
}

QString alertTaskText(const GardenAlert& alert)
{
    if (alert.kind == AlertKind::Wire)
        return QString::fromStdString(talvane::garden::wireAlertText(alert, windowWords));
    return QCoreApplication::translate("CareDueDlg", "%1: %2")
        .arg(fromAnsi(alert.treeName), coreText(talvane::garden::alertTaskName(alert.kind)));
}

QString stateText(long daysLeft)
{
    if (daysLeft < 0)
        return daysLeft == -1 ? QCoreApplication::translate("CareDueDlg", "Overdue by 1 day") : QCoreApplication::translate("CareDueDlg", "Overdue by %1 days").arg(-daysLeft);
    if (daysLeft == 0)
        return QCoreApplication::translate("CareDueDlg", "Today");
    return daysLeft == 1 ? QCoreApplication::translate("CareDueDlg", "Tomorrow") : QCoreApplication::translate("CareDueDlg", "In %1 days").arg(daysLeft);
}

} // namespace

CareDueDlg::CareDueDlg(CTalvaneDoc& doc, Prompter& prompter, CalendarDate today, QWidget* parent,
                       const GardenWatch* watch)
    : QDialog(parent), m_doc(doc), m_prompter(prompter), m_today(today), m_watch(watch)
{
    setWindowTitle(tr("Care due"));
    auto* layout = new QVBoxLayout(this);
    m_alertsLine = new QLabel(this);
    m_alertsLine->setWordWrap(true);
    m_alertsLine->setVisible(false);
    layout->addWidget(m_alertsLine);
    addSpanRow(layout);
    addTaskList(layout);
    m_summary = new QLabel(this);
    layout->addWidget(m_summary);
    createFileChoices();
    layout->addWidget(m_remindAtLogin);
    layout->addWidget(m_keepCalendar);
    auto* phoneRow = new QHBoxLayout;
    phoneRow->addWidget(m_phoneReminders);
    phoneRow->addStretch();
    layout->addLayout(phoneRow);
    addButtons(layout);
    resize(560, 380);
    nameFieldsAfterTheirLabels(*this);
    connectUpdates();
    refresh();
}

void CareDueDlg::addSpanRow(QVBoxLayout* layout)
{
    auto* spanRow = new QHBoxLayout;
    auto* spanLabel = new QLabel(tr("Overdue tasks and those due in the &next"), this);
    m_span = new QSpinBox(this);
    m_span->setRange(0, 3650);
    m_span->setValue(kDefaultDueDays);
    m_span->setSuffix(tr(" days"));
    spanLabel->setBuddy(m_span);
    spanRow->addWidget(spanLabel);
    spanRow->addWidget(m_span);
    spanRow->addStretch();
    layout->addLayout(spanRow);
}

void CareDueDlg::addTaskList(QVBoxLayout* layout)
{
    m_list = new QTreeWidget(this);
    m_list->setAccessibleName(tr("Care due"));
    m_list->setRootIsDecorated(false);
    m_list->setAllColumnsShowFocus(true);
    m_list->setHeaderLabels({tr("Due"), QString(), tr("Task")});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->header()->setStretchLastSection(true);
    layout->addWidget(m_list, 1);
}

void CareDueDlg::addButtons(QVBoxLayout* layout)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    giveStandardButtonsKeys(*buttons);
    // C is the care calendar's key.
    buttons->button(QDialogButtonBox::Close)->setText(tr("Cl&ose"));
    m_show = buttons->addButton(tr("&Show tree"), QDialogButtonBox::ActionRole);
    m_markDone = buttons->addButton(tr("&Mark done"), QDialogButtonBox::ActionRole);
    m_snooze = buttons->addButton(tr("Snoo&ze a week"), QDialogButtonBox::ActionRole);
    m_snooze->setVisible(m_watch != nullptr);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_show, &QPushButton::clicked, this, &CareDueDlg::onShowTree);
    connect(m_markDone, &QPushButton::clicked, this, &CareDueDlg::onMarkDone);
    connect(m_snooze, &QPushButton::clicked, this, &CareDueDlg::onSnooze);
}

void CareDueDlg::connectUpdates()
{
    connect(m_list, &QTreeWidget::itemActivated, this, &CareDueDlg::onShowTree);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CareDueDlg::updateButtons);
    connect(m_span, &QSpinBox::valueChanged, this, &CareDueDlg::refresh);
    // The tasks follow the entries, whoever changes them: a task marked done here, a phone.
    connect(&m_doc, &CTalvaneDoc::entryChanged, this, &CareDueDlg::refresh);
    connect(&m_doc, &CTalvaneDoc::entryInserted, this, &CareDueDlg::refresh);
    connect(&m_doc, &CTalvaneDoc::entryRemoved, this, &CareDueDlg::refresh);
    connect(&m_doc, &CTalvaneDoc::entriesReset, this, &CareDueDlg::refresh);
    connect(&m_doc, &CTalvaneDoc::entriesAppended, this, &CareDueDlg::refresh);
    if (m_watch)
        connect(m_watch, &GardenWatch::changed, this, &CareDueDlg::refresh);
}

void CareDueDlg::refresh()
{
    m_tasks = dueTasks(m_doc.entries(), m_today, m_span->value());
    m_list->clear();
    listAlerts();
    QFont overdueFont = m_list->font();
    overdueFont.setBold(true);
    for (const DueTask& task : m_tasks) {
        auto* row = new QTreeWidgetItem(m_list, {shortDateText(task.due()), stateText(m_today.daysUntil(task.due())),
                                                 taskTitle(m_doc.entryAt(task.entry)[CBonsaiData::Name], task.event)});
        if (task.isOverdue(m_today)) {
            for (int column = 0; column < m_list->columnCount(); ++column) {
                row->setFont(column, overdueFont);
                row->setForeground(column, QColor(0xB0, 0x00, 0x00));
            }
        }
    }
    m_summary->setText(QString::fromStdString(dueSummary(m_tasks.size(), m_span->value(), windowWords)));
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    updateButtons();
}

void CareDueDlg::listAlerts()
{
    m_alerts = m_watch ? m_watch->alerts() : std::vector<GardenAlert>{};
    QStringList groups;
    for (const auto& group : talvane::garden::groupAlerts(m_alerts))
        groups << QString::fromStdString(talvane::garden::alertGroupText(group, windowWords));
    m_alertsLine->setText(groups.join(QLatin1Char('\n')));
    m_alertsLine->setVisible(!groups.isEmpty());
    const QColor alertColour(0x00, 0x40, 0xA0);
    for (const GardenAlert& alert : m_alerts) {
        auto* row = new QTreeWidgetItem(m_list, {shortDateText(alert.date), alertStateText(alert), alertTaskText(alert)});
        for (int column = 0; column < m_list->columnCount(); ++column)
            row->setForeground(column, alertColour);
    }
}

void CareDueDlg::updateButtons()
{
    const bool chosen = selectedTask() || selectedAlert();
    m_show->setEnabled(chosen);
    m_markDone->setEnabled(chosen);
    const auto alert = selectedAlert();
    m_snooze->setEnabled(alert && m_alerts[*alert].kind == AlertKind::Wire);
}

std::optional<std::size_t> CareDueDlg::selectedAlert() const
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (row < 0 || static_cast<std::size_t>(row) >= m_alerts.size())
        return std::nullopt;
    return static_cast<std::size_t>(row);
}

std::optional<std::size_t> CareDueDlg::selectedTask() const
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem()) - static_cast<int>(m_alerts.size());
    if (row < 0 || static_cast<std::size_t>(row) >= m_tasks.size())
        return std::nullopt;
    return static_cast<std::size_t>(row);
}

void CareDueDlg::onShowTree()
{
    if (const auto alert = selectedAlert())
        m_chosen = m_alerts[*alert].entry;
    else if (const auto task = selectedTask())
        m_chosen = m_tasks[*task].entry;
    else
        return;
    accept();
}

void CareDueDlg::markAlertDone(const GardenAlert& alert)
{
    if (alert.entry >= m_doc.entryCount())
        return;
    const CBonsaiData& entry = m_doc.entryAt(alert.entry);
    if (alert.kind == AlertKind::Wire) {
        auto watch = talvane::garden::readTreeWatch(entry[talvane::garden::kWatchField]);
        watch.wireChecked = m_today;
        watch.wireSnoozed.reset();
        m_doc.changeFieldsFromElsewhere(alert.entry, {{talvane::garden::kWatchField, talvane::garden::treeWatchText(watch)}},
                                        CTalvaneDoc::stepText(tr("Check wire"), entry[CBonsaiData::Name]));
        return;
    }
    // The tree is protected: its journal says so, which ends its alert.
    Journal journal = Journal::read(entry[kJournalField]);
    const CareEvent done{m_today, CareKind::Protection, std::nullopt, {},
                         toAnsi(coreText(talvane::garden::alertTaskName(alert.kind))), {}, {}, {}};
    if (!journal.add(done)) {
        m_prompter.ask(tr("The journal of %1 was written by another program and is kept as it is.").arg(fromAnsi(entry[CBonsaiData::Name])),
                       QStringLiteral("Talvane"), mb::kOk | mb::kIconExclamation);
        return;
    }
    m_doc.changeFieldsFromElsewhere(alert.entry, {{kJournalField, journal.text()}},
                                    CTalvaneDoc::stepText(tr("Mark done"), entry[CBonsaiData::Name]));
}

void CareDueDlg::onSnooze()
{
    const auto selected = selectedAlert();
    if (!selected || m_alerts[*selected].kind != AlertKind::Wire || m_alerts[*selected].entry >= m_doc.entryCount())
        return;
    const std::size_t position = m_alerts[*selected].entry;
    const CBonsaiData& entry = m_doc.entryAt(position);
    auto watch = talvane::garden::readTreeWatch(entry[talvane::garden::kWatchField]);
    watch.wireSnoozed = m_today.plusDays(kSnoozeDays);
    m_doc.changeFieldsFromElsewhere(position, {{talvane::garden::kWatchField, talvane::garden::treeWatchText(watch)}},
                                    CTalvaneDoc::stepText(tr("Snooze wire check"), entry[CBonsaiData::Name]));
}

void CareDueDlg::onMarkDone()
{
    if (const auto alert = selectedAlert()) {
        markAlertDone(m_alerts[*alert]);
        return;
    }
    const auto selected = selectedTask();
    if (!selected)
        return;
    const DueTask task = m_tasks[*selected];
    if (task.entry < m_doc.entryCount()) {
        const CBonsaiData& entry = m_doc.entryAt(task.entry);
        Journal journal = Journal::read(entry[kJournalField]);
        const auto& lines = journal.lines();
        const bool unchanged = task.line < lines.size() && lines[task.line].event == task.event;
        if (unchanged && journal.markDone(task.line, m_today))
            m_doc.changeFieldsFromElsewhere(task.entry, {{kJournalField, journal.text()}},
                                            CTalvaneDoc::stepText(tr("Mark done"), entry[CBonsaiData::Name]));
    }
}

void CareDueDlg::createFileChoices()
{
    const QString path = m_doc.pathName();
    m_remindAtLogin = new QCheckBox(tr("Remind me at &login"), this);
    m_remindAtLogin->setToolTip(tr("When you log in, a notification tells which trees of this collection need care that day."));
    m_keepCalendar = new QCheckBox(tr("Keep a care &calendar beside the collection"), this);
    m_phoneReminders = new QPushButton(tr("Remind me on my &phone\u2026"), this);
    m_phoneReminders->setToolTip(tr("Each morning, the care due reaches your phone as a push notification or an e-mail."));
    // All are choices about the collection's file: an untitled collection has none yet.
    m_remindAtLogin->setEnabled(!path.isEmpty());
    m_keepCalendar->setEnabled(!path.isEmpty());
    m_phoneReminders->setEnabled(!path.isEmpty());
    if (!path.isEmpty()) {
        m_remindAtLogin->setChecked(LoginReminders::isReminded(path));
        m_keepCalendar->setChecked(CareCalendarBeside::isKept(path));
        m_keepCalendar->setToolTip(tr("Every save also writes %1 in the collection's folder.")
                                       .arg(QFileInfo(CareCalendarBeside::calendarPath(path)).fileName()));
    }
    connect(m_remindAtLogin, &QCheckBox::clicked, this, &CareDueDlg::onRemindAtLogin);
    connect(m_keepCalendar, &QCheckBox::clicked, this, &CareDueDlg::onKeepCalendar);
    connect(m_phoneReminders, &QPushButton::clicked, this, &CareDueDlg::phoneRemindersRequested);
}

void CareDueDlg::onRemindAtLogin(bool remind)
{
    const QString path = m_doc.pathName();
    const auto failure = LoginReminders::setReminded(path, remind);
    m_remindAtLogin->setChecked(LoginReminders::isReminded(path));
    if (failure)
        m_prompter.ask(*failure, QStringLiteral("Talvane"), mb::kOk | mb::kIconExclamation);
}

void CareDueDlg::onKeepCalendar(bool keep)
{
    const QString path = m_doc.pathName();
    const auto failure = keep && !m_doc.hasUnsavedWork() ? CareCalendarBeside::write(path, m_doc.entries()) : std::nullopt;
    if (!failure)
        CareCalendarBeside::setKept(path, keep);
    m_keepCalendar->setChecked(CareCalendarBeside::isKept(path));
    if (failure)
        m_prompter.ask(*failure, QStringLiteral("Talvane"), mb::kOk | mb::kIconExclamation);
}
