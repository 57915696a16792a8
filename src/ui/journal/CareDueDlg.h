#pragma once

// moc cannot read the standard library's concepts, which the date brings in.
#ifndef Q_MOC_RUN
#include "core/garden/GardenAlerts.h"
#include "core/journal/DueTasks.h"
#endif

#include <QDialog>

#include <cstddef>
#include <optional>
#include <vector>

class CTalvaneDoc;
class GardenWatch;
class Prompter;
class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QVBoxLayout;

// The care tasks of the whole collection that are overdue or due within a span of
// days, earliest first. Marking a task done changes its tree at once, as one step
// of the history that leaves the window's pages and their edits as they are; choosing
// a task closes the window with its tree chosen. Two choices
// of the collection's file are made here too: a reminder at login, and a care
// calendar kept beside it; and the reminders that reach the grower's phone are set up
// from here. With the garden's watch, the frost, heat and wire alerts of the days ahead
// come first: protecting a tree marks its alert done and records it in its journal, and
// a wire check is marked done or snoozed for a week.
class CareDueDlg : public QDialog {
    Q_OBJECT
public:
    CareDueDlg(CTalvaneDoc& doc, Prompter& prompter, talvane::journal::CalendarDate today, QWidget* parent = nullptr,
               const GardenWatch* watch = nullptr);

    // The position of the tree whose task was chosen, once the window accepted.
    std::optional<std::size_t> chosenEntry() const { return m_chosen; }

    QSpinBox* spanBox() const { return m_span; }
    QTreeWidget* taskList() const { return m_list; }
    QPushButton* showButton() const { return m_show; }
    QPushButton* markDoneButton() const { return m_markDone; }
    QPushButton* snoozeButton() const { return m_snooze; }
    QLabel* alertsLine() const { return m_alertsLine; }
    QCheckBox* remindAtLoginBox() const { return m_remindAtLogin; }
    QCheckBox* keepCalendarBox() const { return m_keepCalendar; }
    QPushButton* phoneRemindersButton() const { return m_phoneReminders; }

signals:
    // The grower asks to set up the reminders on the phone.
    void phoneRemindersRequested();

public slots:
    void onShowTree();
    void onMarkDone();
    // A wire check comes back in a week.
    void onSnooze();
    // A choice that cannot be made is said, and its box shows the choice as it stays.
    void onRemindAtLogin(bool remind);
    // The calendar is written at once from a collection without unsaved work; one with
    // unsaved work has its calendar written by the save that keeps it.
    void onKeepCalendar(bool keep);

private:
    // Lists the tasks again from the entries as they are now.
    void refresh();
    std::optional<std::size_t> selectedTask() const;
    std::optional<std::size_t> selectedAlert() const;
    void listAlerts();
    void markAlertDone(const talvane::garden::GardenAlert& alert);
    void updateButtons();

    void addSpanRow(QVBoxLayout* layout);
    void addTaskList(QVBoxLayout* layout);
    void createFileChoices();
    void addButtons(QVBoxLayout* layout);
    // The tasks follow the span and the entries; the buttons follow the task chosen.
    void connectUpdates();

    CTalvaneDoc& m_doc;
    Prompter& m_prompter;
    talvane::journal::CalendarDate m_today;
    const GardenWatch* m_watch;
    // The rows of the list: the alerts, then the tasks.
    std::vector<talvane::garden::GardenAlert> m_alerts;
    std::vector<talvane::journal::DueTask> m_tasks;
    std::optional<std::size_t> m_chosen;
    QSpinBox* m_span;
    QTreeWidget* m_list;
    QLabel* m_summary;
    QLabel* m_alertsLine;
    QPushButton* m_show;
    QPushButton* m_markDone;
    QPushButton* m_snooze;
    QCheckBox* m_remindAtLogin;
    QCheckBox* m_keepCalendar;
    QPushButton* m_phoneReminders;
};
