#include "journal/CareEventDlg.h"

#include "framework/AnsiText.h"
#include "journal/CareTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLocale>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>

using namespace talvane::journal;

namespace {

// Any day a journal can hold can be chosen, with the year written in full.
QDateEdit* MakeDateEdit(const CalendarDate& date, QWidget* parent)
{
    auto* edit = new QDateEdit(parent);
    edit->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    edit->setDisplayFormat(format);
    edit->setCalendarPopup(true);
    edit->setDate(ToQDate(date));
    return edit;
}

} // namespace

CareEventDlg::CareEventDlg(const CareEvent& event, const QStringList& pictures, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Care event"));
    auto* form = new QFormLayout(this);

    m_date = MakeDateEdit(event.date, this);
    form->addRow(QStringLiteral("&Date:"), m_date);

    m_kind = new QComboBox(this);
    for (CareKind kind : kCareKinds)
        m_kind->addItem(CareKindText(kind));
    m_kind->setCurrentIndex(static_cast<int>(event.kind));
    form->addRow(QStringLiteral("&Kind:"), m_kind);

    m_text = new QPlainTextEdit(FromAnsi(event.text), this);
    m_givenText = event.text;
    m_shownText = m_text->toPlainText();
    m_text->setTabChangesFocus(true);
    form->addRow(QStringLiteral("&Text:"), m_text);

    auto* dueRow = new QHBoxLayout;
    m_hasDue = new QCheckBox(QStringLiteral("Next step due &by"), this);
    m_due = MakeDateEdit(event.due.value_or(event.date.plusDays(30)), this);
    m_hasDue->setChecked(event.due.has_value());
    m_due->setEnabled(event.due.has_value());
    connect(m_hasDue, &QCheckBox::toggled, m_due, &QWidget::setEnabled);
    dueRow->addWidget(m_hasDue);
    dueRow->addWidget(m_due, 1);
    form->addRow(dueRow);

    m_picture = new QComboBox(this);
    m_picture->addItem(QStringLiteral("(none)"), QString());
    QStringList names = pictures;
    const QString own = FromAnsi(event.picture);
    if (!own.isEmpty() && !names.contains(own))
        names.prepend(own);
    for (const QString& name : names)
        m_picture->addItem(name, name);
    m_picture->setCurrentIndex(std::max(0, m_picture->findData(own)));
    form->addRow(QStringLiteral("&Picture:"), m_picture);

    // Amounts as growers type them, "42" or "3,5": anything else cannot be typed.
    const auto* amounts = new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\s*\\d{1,6}([.,]\\d{1,3})?\\s*")), this);
    for (MeasureKind kind : kMeasureKinds) {
        auto* row = new QHBoxLayout;
        Measured measured{kind, new QLineEdit(this), new QComboBox(this)};
        measured.amount->setValidator(amounts);
        measured.amount->setAccessibleName(QString::fromLatin1(measureName(kind)));
        for (LengthUnit unit : kLengthUnits)
            measured.unit->addItem(QString::fromLatin1(unitName(unit)));
        measured.unit->setCurrentIndex(static_cast<int>(LengthUnit::Centimetre));
        for (const Measurement& known : event.measurements)
            if (known.kind == kind) {
                measured.amount->setText(QString::fromLatin1(known.amount));
                measured.unit->setCurrentIndex(static_cast<int>(known.unit));
            }
        row->addWidget(measured.amount, 1);
        row->addWidget(measured.unit);
        form->addRow(QString::fromLatin1(measureName(kind)) + QLatin1Char(':'), row);
        m_measured.push_back(measured);
    }
    m_treeId = event.treeId;

    m_problem = new QLabel(this);
    m_problem->setStyleSheet(QStringLiteral("color: #a40000"));
    m_problem->setWordWrap(true);
    m_problem->hide();
    form->addRow(m_problem);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        // A next step cannot fall due before the work it follows was done.
        if (m_hasDue->isChecked() && m_due->date() < m_date->date()) {
            m_problem->setText(QStringLiteral("The next step cannot be due before the event's day."));
            m_problem->show();
            m_due->setFocus();
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
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

CareEvent CareEventDlg::event() const
{
    CareEvent event{*FromQDate(m_date->date()), kCareKinds.at(static_cast<std::size_t>(m_kind->currentIndex())),
                    std::nullopt, ToAnsi(m_picture->currentData().toString()), m_givenText, m_treeId, {}, {}};
    if (const QString text = m_text->toPlainText(); text != m_shownText)
        event.text = ToAnsi(text);
    if (m_hasDue->isChecked())
        event.due = FromQDate(m_due->date());
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
