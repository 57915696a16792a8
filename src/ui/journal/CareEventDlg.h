#pragma once

// moc cannot read the standard library's concepts, which the date brings in.
#ifndef Q_MOC_RUN
#include "core/journal/CareEvent.h"
#endif

#include <QDialog>
#include <QStringList>

#include <optional>

#include <string>
#include <vector>

class DateField;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

// Asks for one event of a tree's journal: its date (today unless given), its kind, a
// text, an optional due date for the next step and how it repeats, an optional picture
// and measurements.
class CareEventDlg : public QDialog {
    Q_OBJECT
public:
    // `pictures` are the names the picture list offers; the event's own picture is
    // kept among them even when it is no longer in the folder.
    CareEventDlg(const talvane::journal::CareEvent& event, const QStringList& pictures, QWidget* parent = nullptr);

    // What the dialog holds now.
    talvane::journal::CareEvent event() const;

    QComboBox* kindBox() const { return m_kind; }
    QPlainTextEdit* textEdit() const { return m_text; }
    DateField* dateEdit() const { return m_date; }
    QCheckBox* dueBox() const { return m_hasDue; }
    DateField* dueEdit() const { return m_due; }
    QCheckBox* repeatBox() const { return m_repeats; }
    QSpinBox* repeatEveryBox() const { return m_every; }
    QCheckBox* monthsBox() const { return m_inMonths; }
    QComboBox* firstMonthBox() const { return m_firstMonth; }
    QComboBox* lastMonthBox() const { return m_lastMonth; }
    // Why OK did not close the dialog; hidden while nothing is wrong.
    QLabel* problemLabel() const { return m_problem; }
    // The amount box of a kind of measurement.
    QLineEdit* amountEdit(talvane::journal::MeasureKind kind) const;

private:
    // Why the dialog cannot close as it stands, and the field to mend.
    struct Problem {
        QString text;
        QWidget* where;
    };
    std::optional<Problem> problem() const;
    void addEventRows(QFormLayout* form, const talvane::journal::CareEvent& event);
    void addDueRow(QFormLayout* form, const talvane::journal::CareEvent& event);
    void addRepeatRows(QFormLayout* form, const talvane::journal::CareEvent& event);
    // `own` is the event's picture, offered even when the folder no longer holds it.
    void addPictureRows(QFormLayout* form, const QString& own, const QStringList& pictures);
    void addMeasureRows(QFormLayout* form, const std::vector<talvane::journal::Measurement>& known);
    void addProblemAndButtons(QFormLayout* form);
    // Closes the dialog once nothing is wrong and no amount is half typed.
    void acceptWhenComplete();
    // The repeat's boxes can be used only with a due date, the months' only with a repeat.
    void enableRepeat();

    DateField* m_date;
    QComboBox* m_kind;
    QPlainTextEdit* m_text;
    QCheckBox* m_hasDue;
    DateField* m_due;
    QCheckBox* m_repeats;
    QSpinBox* m_every;
    QComboBox* m_unit;
    QCheckBox* m_inMonths;
    QComboBox* m_firstMonth;
    QComboBox* m_lastMonth;
    QLabel* m_problem;
    QComboBox* m_picture;
    struct Measured {
        talvane::journal::MeasureKind kind;
        QLineEdit* amount;
        QComboBox* unit;
    };
    std::vector<Measured> m_measured;
    // Kept through the edit: it names the tree the event's photo shows.
    std::string m_treeId;
    // Kept through the edit too; with no picture chosen, the first takes its place.
    std::vector<std::string> m_morePictures;
    // The day given, which an unreadable date text falls back to.
    talvane::journal::CalendarDate m_givenDate;
    // The text as given and as the box first showed it: an untouched text comes back
    // with its own bytes, line breaks included.
    std::string m_givenText;
    QString m_shownText;
};
