#pragma once

// moc cannot read the standard library's concepts, which the date brings in.
#ifndef Q_MOC_RUN
#include "journal/CareEvent.h"
#endif

#include <QDialog>
#include <QStringList>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

// Asks for one event of a tree's journal: its date (today unless given), its kind, a
// text, an optional due date for the next step, an optional picture and measurements.
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
    QDateEdit* dateEdit() const { return m_date; }
    QCheckBox* dueBox() const { return m_hasDue; }
    QDateEdit* dueEdit() const { return m_due; }
    // Why OK did not close the dialog; hidden while nothing is wrong.
    QLabel* problemLabel() const { return m_problem; }
    // The amount box of a kind of measurement.
    QLineEdit* amountEdit(talvane::journal::MeasureKind kind) const;

private:
    QDateEdit* m_date;
    QComboBox* m_kind;
    QPlainTextEdit* m_text;
    QCheckBox* m_hasDue;
    QDateEdit* m_due;
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
    // The text as given and as the box first showed it: an untouched text comes back
    // with its own bytes, line breaks included.
    std::string m_givenText;
    QString m_shownText;
};
