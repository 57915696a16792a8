#pragma once

#include <QDate>
#include <QLocale>
#include <QWidget>

#include <optional>

class QCalendarWidget;
class QLineEdit;
class QMenu;
class QToolButton;

// A date as a person types it: "2027-03-15", or the locale's short form with the year
// in two or four digits ("15/03/2027", "15/03/27" for 2027). Nothing for any other text
// or a day that does not exist.
std::optional<QDate> parseTypedDate(const QString& text, const QLocale& locale = QLocale());

// A date that can be typed, or picked from a calendar that drops down from its button.
// Text that is not a date stays as typed, so that the dialog can say so.
class DateField : public QWidget {
    Q_OBJECT
public:
    explicit DateField(const QDate& date, QWidget* parent = nullptr);

    // The date typed or picked; nothing while the text is not a date.
    std::optional<QDate> date() const;
    void setDate(const QDate& date);

    QLineEdit* lineEdit() const { return m_text; }

private:
    // The button that drops the calendar down.
    void createCalendarButton();
    // What the field shows for a date: the locale's short form, the year in full.
    QString shownText(const QDate& date) const;

    QLineEdit* m_text;
    QToolButton* m_pick;
    QMenu* m_popup;
    QCalendarWidget* m_calendar;
};
