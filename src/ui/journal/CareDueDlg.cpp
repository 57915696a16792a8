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
#include "core/journal/Journal.h"
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

namespace {

QString stateText(long daysLeft)
{
    if (daysLeft < 0)
        return daysLeft == -1 ? QCoreApplication::translate("CareDueDlg", "Overdue by 1 day") : QCoreApplication::translate("CareDueDlg", "Overdue by %1 days").arg(-daysLeft);
    if (daysLeft == 0)
        return QCoreApplication::translate("CareDueDlg", "Today");
    return daysLeft == 1 ? QCoreApplication::translate("CareDueDlg", "Tomorrow") : QCoreApplication::translate("CareDueDlg", "In %1 days").arg(daysLeft);
}

} // namespace

CareDueDlg::CareDueDlg(CTalvaneDoc& doc, Prompter& prompter, CalendarDate today, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_prompter(prompter), m_today(today)
{
    setWindowTitle(tr("Care due"));
    auto* layout = new QVBoxLayout(this);
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
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_show, &QPushButton::clicked, this, &CareDueDlg::onShowTree);
    connect(m_markDone, &QPushButton::clicked, this, &CareDueDlg::onMarkDone);
}

void CareDueDlg::connectUpdates()
{
    connect(m_list, &QTreeWidget::itemActivated, this, &CareDueDlg::onShowTree);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] {
        m_show->setEnabled(selectedTask().has_value());
        m_markDone->setEnabled(selectedTask().has_value());
    });
    connect(m_span, &QSpinBox::valueChanged, this, &CareDueDlg::refresh);
    // The tasks follow the entries, whoever changes them: a task marked done here, a phone.
    connect(&m_doc, &CTalvaneDoc::entryChanged, this, &CareDueDlg::refresh);
    connect(&m_doc, &CTalvaneDoc::entryInserted, this, &CareDueDlg::refresh);
    connect(&m_doc, &CTalvaneDoc::entryRemoved, this, &CareDueDlg::refresh);
    connect(&m_doc, &CTalvaneDoc::entriesReset, this, &CareDueDlg::refresh);
}

void CareDueDlg::refresh()
{
    m_tasks = dueTasks(m_doc.entries(), m_today, m_span->value());
    m_list->clear();
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
    if (!m_tasks.empty())
        m_list->setCurrentItem(m_list->topLevelItem(0));
    m_show->setEnabled(!m_tasks.empty());
    m_markDone->setEnabled(!m_tasks.empty());
}

std::optional<std::size_t> CareDueDlg::selectedTask() const
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (row < 0 || static_cast<std::size_t>(row) >= m_tasks.size())
        return std::nullopt;
    return static_cast<std::size_t>(row);
}

void CareDueDlg::onShowTree()
{
    const auto task = selectedTask();
    if (!task)
        return;
    m_chosen = m_tasks[*task].entry;
    accept();
}

void CareDueDlg::onMarkDone()
{
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
