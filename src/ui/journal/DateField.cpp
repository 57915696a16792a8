#include "ui/journal/DateField.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QToolButton>
#include <QWidgetAction>

namespace {

constexpr int kFirstYear = 1;
constexpr int kLastYear = 9999;

QString fullYearFormat(const QLocale& locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return format;
}

// Days and months in digits may be typed with or without their leading zero; names of
// days and months ("ddd", "MMM") stay as they are.
QString looseFormat(QString format)
{
    static const QRegularExpression day(QStringLiteral("(?<!d)dd(?!d)")), month(QStringLiteral("(?<!M)MM(?!M)"));
    return format.replace(day, QStringLiteral("d")).replace(month, QStringLiteral("M"));
}

bool inRange(const QDate& date)
{
    return date.isValid() && date.year() >= kFirstYear && date.year() <= kLastYear;
}

} // namespace

std::optional<QDate> parseTypedDate(const QString& typed, const QLocale& locale)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    const QString shortFormat = locale.dateFormat(QLocale::ShortFormat);
    if (const QDate date = QDate::fromString(text, QStringLiteral("yyyy-M-d")); inRange(date))
        return date;
    if (const QDate date = locale.toDate(text, looseFormat(fullYearFormat(locale))); inRange(date))
        return date;
    // A year in two digits is of this century: Qt reads it as of the 1900s.
    if (!shortFormat.contains(QStringLiteral("yyyy")))
        if (const QDate date = locale.toDate(text, looseFormat(shortFormat)); date.isValid())
            return date.addYears(100);
    return std::nullopt;
}

DateField::DateField(const QDate& date, QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_text = new QLineEdit(this);
    m_text->setPlaceholderText(tr("YYYY-MM-DD"));
    setFocusProxy(m_text);
    // A label's key hands the focus to its field only if the field takes the focus.
    setFocusPolicy(m_text->focusPolicy());
    createCalendarButton();
    layout->addWidget(m_text, 1);
    layout->addWidget(m_pick);
    // A date typed in another form is shown in the field's own once the user moves on.
    connect(m_text, &QLineEdit::editingFinished, this, [this] {
        if (const auto typed = this->date())
            m_text->setText(shownText(*typed));
    });
    setDate(date);
}

void DateField::createCalendarButton()
{
    m_pick = new QToolButton(this);
    m_pick->setArrowType(Qt::DownArrow);
    m_pick->setAccessibleName(tr("Pick from a calendar"));
    m_pick->setPopupMode(QToolButton::InstantPopup);
    m_popup = new QMenu(m_pick);
    m_calendar = new QCalendarWidget(m_popup);
    m_calendar->setDateRange(QDate(kFirstYear, 1, 1), QDate(kLastYear, 12, 31));
    m_calendar->setGridVisible(true);
    auto* holder = new QWidgetAction(m_popup);
    holder->setDefaultWidget(m_calendar);
    m_popup->addAction(holder);
    m_pick->setMenu(m_popup);
    // The calendar opens on the date typed, and a day picked in it is the field's date.
    connect(m_popup, &QMenu::aboutToShow, this, [this] {
        if (const auto shown = this->date())
            m_calendar->setSelectedDate(*shown);
    });
    connect(m_calendar, &QCalendarWidget::clicked, this, [this](const QDate& picked) {
        setDate(picked);
        m_popup->hide();
    });
}

std::optional<QDate> DateField::date() const
{
    return parseTypedDate(m_text->text(), locale());
}

void DateField::setDate(const QDate& date)
{
    m_text->setText(shownText(date));
}

QString DateField::shownText(const QDate& date) const
{
    return locale().toString(date, fullYearFormat(locale()));
}
