#pragma once

#include "core/journal/CareEvent.h"

#include <QDate>
#include <QString>

#include <optional>
#include <string_view>

// Care dates and kinds as the widgets show and return them.
QDate toQDate(const talvane::journal::CalendarDate& date);
// Nothing for a date outside the years 1 to 9999 or an invalid one.
std::optional<talvane::journal::CalendarDate> fromQDate(const QDate& date);
// The date in the locale's short format.
QString shortDateText(const talvane::journal::CalendarDate& date);
// The kind's name as shown ("Wire removal").
QString careKindText(talvane::journal::CareKind kind);
// "Momiji: Wiring, first line of its text", as lists of tasks name them.
QString taskTitle(std::string_view treeName, const talvane::journal::CareEvent& event);
