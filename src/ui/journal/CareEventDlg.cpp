#include "ui/journal/CareEventDlg.h"

#include "ui/framework/AnsiText.h"
#include "ui/framework/CoreTexts.h"
#include "ui/framework/Mnemonic.h"
#include "ui/framework/StandardButtonKeys.h"
#include "ui/framework/WholeLineTextBox.h"
#include "ui/journal/CareTexts.h"
#include "ui/journal/DateField.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLocale>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QSpinBox>

#include <array>

using namespace talvane::journal;

namespace {

constexpr std::array<const char*, 4> kUnitTexts = {QT_TRANSLATE_NOOP("CareEventDlg", "days"), QT_TRANSLATE_NOOP("CareEventDlg", "weeks"),
                                                  QT_TRANSLATE_NOOP("CareEventDlg", "months"), QT_TRANSLATE_NOOP("CareEventDlg", "years")};

QComboBox* monthBox(unsigned month, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    for (unsigned each = 1; each <= 12; ++each)
        box->addItem(coreText(monthName(each)));
    box->setCurrentIndex(static_cast<int>(month) - 1);
    return box;
}

} // namespace

CareEventDlg::CareEventDlg(const CareEvent& event, const QStringList& pictures, QWidget* parent)
    : QDialog(parent), m_treeId(event.treeId), m_morePictures(event.morePictures), m_givenDate(event.date),
      m_givenText(event.text)
{
    setWindowTitle(tr("Care event"));
    auto* form = new QFormLayout(this);
    addEventRows(form, event);
    addDueRow(form, event);
    addRepeatRows(form, event);
    addPictureRows(form, fromAnsi(event.picture), pictures);
    addMeasureRows(form, event.measurements);
    addProblemAndButtons(form);
    nameFieldsAfterTheirLabels(*this);
    // The fields beside a check box are named after it.
    nameFieldAfter(*m_due, m_hasDue->text());
    nameFieldAfter(*m_every, m_repeats->text());
    nameFieldAfter(*m_firstMonth, m_inMonths->text());
}

void CareEventDlg::addEventRows(QFormLayout* form, const CareEvent& event)
{
    m_date = new DateField(toQDate(event.date), this);
    form->addRow(tr("&Date:"), m_date);

    m_kind = new QComboBox(this);
    for (CareKind kind : kCareKinds)
        m_kind->addItem(careKindText(kind));
    m_kind->setCurrentIndex(static_cast<int>(event.kind));
    form->addRow(tr("&Kind:"), m_kind);

    m_text = new WholeLinePlainTextEdit(fromAnsi(event.text), this);
    m_shownText = m_text->toPlainText();
    m_text->setTabChangesFocus(true);
    form->addRow(tr("&Text:"), m_text);
}

void CareEventDlg::addDueRow(QFormLayout* form, const CareEvent& event)
{
    auto* dueRow = new QHBoxLayout;
    m_hasDue = new QCheckBox(tr("Next step due &by"), this);
    m_due = new DateField(toQDate(event.due.value_or(event.date.plusDays(30))), this);
    m_hasDue->setChecked(event.due.has_value());
    dueRow->addWidget(m_hasDue);
    dueRow->addWidget(m_due, 1);
    form->addRow(dueRow);
}

void CareEventDlg::addPictureRows(QFormLayout* form, const QString& own, const QStringList& pictures)
{
    m_picture = new QComboBox(this);
    m_picture->addItem(tr("(none)"), QString());
    QStringList names = pictures;
    if (!own.isEmpty() && !names.contains(own))
        names.prepend(own);
    for (const QString& name : names)
        m_picture->addItem(name, name);
    m_picture->setCurrentIndex(std::max(0, m_picture->findData(own)));
    form->addRow(tr("&Picture:"), m_picture);
    // The event's further photos, as the phone logged them, are kept as they are.
    if (!m_morePictures.empty()) {
        QStringList more;
        for (const std::string& picture : m_morePictures)
            more << fromAnsi(picture);
        auto* further = new QLabel(more.join(QLatin1Char('\n')), this);
        further->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(tr("Further photos:"), further);
    }
}

void CareEventDlg::addMeasureRows(QFormLayout* form, const std::vector<Measurement>& known)
{
    // Amounts as growers type them, "42" or "3,5": anything else cannot be typed.
    const auto* amounts = new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\s*\\d{1,6}([.,]\\d{1,3})?\\s*")), this);
    for (MeasureKind kind : kMeasureKinds) {
        auto* row = new QHBoxLayout;
        Measured measured{kind, new QLineEdit(this), new QComboBox(this)};
        measured.amount->setValidator(amounts);
        measured.amount->setAccessibleName(coreText(measureName(kind)));
        measured.unit->setAccessibleName(tr("%1 unit").arg(coreText(measureName(kind))));
        for (LengthUnit unit : kLengthUnits)
            measured.unit->addItem(QString::fromLatin1(unitName(unit)));
        measured.unit->setCurrentIndex(static_cast<int>(LengthUnit::Centimetre));
        for (const Measurement& measurement : known)
            if (measurement.kind == kind) {
                measured.amount->setText(QString::fromLatin1(measurement.amount));
                measured.unit->setCurrentIndex(static_cast<int>(measurement.unit));
            }
        row->addWidget(measured.amount, 1);
        row->addWidget(measured.unit);
        form->addRow(tr("%1:").arg(coreText(measureName(kind))), row);
        m_measured.push_back(measured);
    }
}

void CareEventDlg::addProblemAndButtons(QFormLayout* form)
{
    m_problem = new QLabel(this);
    m_problem->setStyleSheet(QStringLiteral("color: #a40000"));
    m_problem->setWordWrap(true);
    m_problem->hide();
    form->addRow(m_problem);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    giveStandardButtonsKeys(*buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CareEventDlg::acceptWhenComplete);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void CareEventDlg::acceptWhenComplete()
{
    if (const auto found = problem()) {
        m_problem->setText(found->text);
        m_problem->show();
        found->where->setFocus();
        return;
    }
    m_problem->hide();
    // A half-typed amount ("3,") would be lost: it is finished first.
    for (const Measured& measured : m_measured)
        if (!measured.amount->text().trimmed().isEmpty() && !measured.amount->hasAcceptableInput()) {
            measured.amount->setFocus();
            return;
        }
    accept();
}

void CareEventDlg::addRepeatRows(QFormLayout* form, const CareEvent& event)
{
    const CareRepeat repeat = event.repeat.value_or(CareRepeat{});
    auto* everyRow = new QHBoxLayout;
    m_repeats = new QCheckBox(tr("&Repeat every"), this);
    m_repeats->setChecked(event.repeat.has_value());
    m_every = new QSpinBox(this);
    m_every->setRange(1, static_cast<int>(CareRepeat::kMostEvery));
    m_every->setValue(static_cast<int>(repeat.every));
    m_unit = new QComboBox(this);
    for (const char* unit : kUnitTexts)
        m_unit->addItem(tr(unit));
    m_unit->setAccessibleName(tr("Repeat unit"));
    m_unit->setCurrentIndex(static_cast<int>(repeat.unit));
    everyRow->addWidget(m_repeats);
    everyRow->addWidget(m_every);
    everyRow->addWidget(m_unit, 1);
    form->addRow(everyRow);

    const MonthSpan months = repeat.months.value_or(MonthSpan{4, 9});
    auto* monthsRow = new QHBoxLayout;
    // O is OK's key.
    m_inMonths = new QCheckBox(tr("only &from"), this);
    m_inMonths->setChecked(repeat.months.has_value());
    m_firstMonth = monthBox(months.first, this);
    m_lastMonth = monthBox(months.last, this);
    auto* to = new QLabel(tr("to"), this);
    to->setBuddy(m_lastMonth);
    monthsRow->addSpacing(20);
    monthsRow->addWidget(m_inMonths);
    monthsRow->addWidget(m_firstMonth, 1);
    monthsRow->addWidget(to);
    monthsRow->addWidget(m_lastMonth, 1);
    form->addRow(monthsRow);

    for (QCheckBox* box : {m_hasDue, m_repeats, m_inMonths})
        connect(box, &QCheckBox::toggled, this, &CareEventDlg::enableRepeat);
    enableRepeat();
}

void CareEventDlg::enableRepeat()
{
    const bool due = m_hasDue->isChecked();
    m_due->setEnabled(due);
    m_repeats->setEnabled(due);
    const bool repeats = due && m_repeats->isChecked();
    m_every->setEnabled(repeats);
    m_unit->setEnabled(repeats);
    m_inMonths->setEnabled(repeats);
    m_firstMonth->setEnabled(repeats && m_inMonths->isChecked());
    m_lastMonth->setEnabled(repeats && m_inMonths->isChecked());
}

std::optional<CareEventDlg::Problem> CareEventDlg::problem() const
{
    const QString example = tr("2027-03-15 or %1").arg(QLocale().toString(QDate(2027, 3, 15), QLocale::ShortFormat));
    const auto date = m_date->date();
    if (!date)
        return Problem{tr("The event's date is not a day of the calendar: type it as %1.").arg(example), m_date};
    if (!m_hasDue->isChecked())
        return std::nullopt;
    const auto due = m_due->date();
    if (!due)
        return Problem{tr("The next step's date is not a day of the calendar: type it as %1.").arg(example), m_due};
    // A next step cannot fall due before the work it follows was done.
    if (*due < *date)
        return Problem{tr("The next step cannot be due before the event's day."), m_due};
    return std::nullopt;
}

CareEvent CareEventDlg::event() const
{
    const auto date = m_date->date();
    CareEvent event{date ? *fromQDate(*date) : m_givenDate, kCareKinds.at(static_cast<std::size_t>(m_kind->currentIndex())),
                    std::nullopt, {}, m_givenText, m_treeId, {}, {}};
    std::vector<std::string> pictures{toAnsi(m_picture->currentData().toString())};
    pictures.insert(pictures.end(), m_morePictures.begin(), m_morePictures.end());
    event.setPictures(std::move(pictures));
    if (const QString text = m_text->toPlainText(); text != m_shownText)
        event.text = toAnsi(text);
    if (const auto due = m_due->date(); m_hasDue->isChecked() && due)
        event.due = fromQDate(*due);
    if (event.due && m_repeats->isChecked()) {
        event.repeat = CareRepeat{static_cast<unsigned>(m_every->value()), static_cast<RepeatUnit>(m_unit->currentIndex()),
                                  std::nullopt};
        if (m_inMonths->isChecked())
            event.repeat->months = MonthSpan{static_cast<unsigned>(m_firstMonth->currentIndex()) + 1,
                                             static_cast<unsigned>(m_lastMonth->currentIndex()) + 1};
    }
    for (const Measured& measured : m_measured)
        if (const auto amount = amountFromTyped(measured.amount->text().toStdString()))
            event.measurements.push_back(
                {measured.kind, *amount, kLengthUnits.at(static_cast<std::size_t>(measured.unit->currentIndex()))});
    return event;
}

QLineEdit* CareEventDlg::amountEdit(MeasureKind kind) const
{
    return m_measured.at(static_cast<std::size_t>(kind)).amount;
}
