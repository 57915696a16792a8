#include "ui/journal/BulkCareDlg.h"

#include "ui/framework/AnsiText.h"
#include "ui/framework/Mnemonic.h"
#include "ui/framework/StandardButtonKeys.h"
#include "ui/framework/StorableInput.h"
#include "ui/journal/CareTexts.h"
#include "ui/journal/DateField.h"
#include "core/garden/Place.h"
#include "core/search/CollectionPlaces.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace talvane::journal;

BulkCareDlg::BulkCareDlg(const talvane::collection::EntryList& entries, std::vector<std::size_t> selected, QWidget* parent)
    : QDialog(parent), m_entries(entries), m_selectedTrees(std::move(selected))
{
    setWindowTitle(tr("Log care on several trees"));
    auto* layout = new QVBoxLayout(this);
    addTreeChoice(layout, entries);
    addEventRows(layout);
    addButtons(layout);
    nameFieldsAfterTheirLabels(*this);
    nameFieldAfter(*m_place, m_atPlace->text());
    refresh();
}

void BulkCareDlg::addTreeChoice(QVBoxLayout* layout, const talvane::collection::EntryList& entries)
{
    auto* trees = new QGroupBox(tr("Trees"), this);
    auto* treesLayout = new QVBoxLayout(trees);
    const std::size_t chosen = m_selectedTrees.size();
    m_selected = new QRadioButton(chosen == 1 ? tr("The tree &selected in the list")
                                              : tr("The %1 trees &selected in the list").arg(chosen),
                                  trees);
    m_selected->setEnabled(chosen > 0);
    treesLayout->addWidget(m_selected);

    auto* placeRow = new QHBoxLayout;
    m_atPlace = new QRadioButton(tr("The trees &at"), trees);
    m_place = new QComboBox(trees);
    for (const talvane::garden::Place& place : talvane::search::collectionPlaces(entries)) {
        m_placeNames.push_back(place.name);
        m_place->addItem(fromAnsi(place.name));
    }
    m_atPlace->setEnabled(!m_placeNames.empty());
    m_place->setEnabled(!m_placeNames.empty());
    placeRow->addWidget(m_atPlace);
    placeRow->addWidget(m_place, 1);
    treesLayout->addLayout(placeRow);
    layout->addWidget(trees);

    (chosen > 0 || m_placeNames.empty() ? m_selected : m_atPlace)->setChecked(true);
    // Choosing a place is choosing its trees.
    connect(m_place, &QComboBox::activated, m_atPlace, [this] { m_atPlace->setChecked(true); });
    connect(m_selected, &QRadioButton::toggled, this, &BulkCareDlg::refresh);
}

void BulkCareDlg::addEventRows(QVBoxLayout* layout)
{
    auto* form = new QFormLayout;
    m_kind = new QComboBox(this);
    for (const CareKind kind : kCareKinds)
        m_kind->addItem(careKindText(kind));
    // A bench is most often logged for its watering.
    m_kind->setCurrentIndex(static_cast<int>(std::find(kCareKinds.begin(), kCareKinds.end(), CareKind::Watering) -
                                             kCareKinds.begin()));
    form->addRow(tr("&Kind:"), m_kind);

    m_date = new DateField(QDate::currentDate(), this);
    form->addRow(tr("&Date:"), m_date);
    connect(m_date->lineEdit(), &QLineEdit::textChanged, this, &BulkCareDlg::refresh);

    m_text = new QLineEdit(this);
    keepInputStorable(m_text);
    form->addRow(tr("&Text:"), m_text);
    layout->addLayout(form);

    m_problem = new QLabel(this);
    m_problem->setStyleSheet(QStringLiteral("color: #a40000"));
    m_problem->setWordWrap(true);
    layout->addWidget(m_problem);
}

void BulkCareDlg::addButtons(QVBoxLayout* layout)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    giveStandardButtonsKeys(*buttons);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void BulkCareDlg::refresh()
{
    QString problem;
    if (m_selectedTrees.empty() && m_placeNames.empty())
        problem = tr("No tree is selected in the list, and no tree has a place.");
    else if (!m_date->date())
        problem = tr("The date is not a day of the calendar: type it as %1.")
                      .arg(tr("2027-03-15 or %1").arg(QLocale().toString(QDate(2027, 3, 15), QLocale::ShortFormat)));
    m_problem->setText(problem);
    m_problem->setVisible(!problem.isEmpty());
    m_ok->setEnabled(problem.isEmpty() && !trees().empty());
}

std::vector<std::size_t> BulkCareDlg::trees() const
{
    if (m_selected->isChecked())
        return m_selectedTrees;
    const int place = m_place->currentIndex();
    if (place < 0)
        return {};
    return talvane::garden::treesAt(m_entries, m_placeNames[static_cast<std::size_t>(place)]);
}

CareEvent BulkCareDlg::event() const
{
    const auto day = m_date->date();
    return CareEvent{day ? *fromQDate(*day) : CalendarDate::today(),
                     kCareKinds.at(static_cast<std::size_t>(m_kind->currentIndex())),
                     std::nullopt,
                     {},
                     toAnsi(m_text->text()),
                     {},
                     {},
                     {}};
}
