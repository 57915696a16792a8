#pragma once

// moc cannot read the standard library's concepts, which the date brings in.
#ifndef Q_MOC_RUN
#include "core/collection/CollectionArchive.h"
#include "core/journal/CareEvent.h"
#endif

#include <QDialog>

#include <string>
#include <vector>

class DateField;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

// Asks for one care given to several trees at once, a bench watered or a shelf fed:
// which trees (those selected in the collection list, or every tree standing at one of
// the collection's places), the kind of care, its day and a text.
class BulkCareDlg : public QDialog {
    Q_OBJECT
public:
    // `selected` are the trees selected in the collection list. The entries are only
    // read, while the dialog is open.
    BulkCareDlg(const talvane::collection::EntryList& entries, std::vector<std::size_t> selected,
                QWidget* parent = nullptr);

    // The trees chosen now; empty when none is.
    std::vector<std::size_t> trees() const;
    // The event as the dialog holds it now, dated today while the date typed is no day.
    talvane::journal::CareEvent event() const;

    QRadioButton* selectedButton() const { return m_selected; }
    QRadioButton* placeButton() const { return m_atPlace; }
    QComboBox* placeBox() const { return m_place; }
    QComboBox* kindBox() const { return m_kind; }
    DateField* dateEdit() const { return m_date; }
    QLineEdit* textEdit() const { return m_text; }
    QPushButton* okButton() const { return m_ok; }
    // Why OK cannot log; empty while it can.
    QLabel* problemLabel() const { return m_problem; }

public slots:
    // OK is enabled while some tree is chosen and the date is a day; the problem says why not.
    void refresh();

private:
    void addTreeChoice(QVBoxLayout* layout, const talvane::collection::EntryList& entries);
    void addEventRows(QVBoxLayout* layout);
    void addButtons(QVBoxLayout* layout);

    const talvane::collection::EntryList& m_entries;
    std::vector<std::size_t> m_selectedTrees;
    // The names of the collection's places (Windows-1252), in the order the box lists them.
    std::vector<std::string> m_placeNames;
    QRadioButton* m_selected;
    QRadioButton* m_atPlace;
    QComboBox* m_place;
    QComboBox* m_kind;
    DateField* m_date;
    QLineEdit* m_text;
    QLabel* m_problem;
    QPushButton* m_ok;
};
