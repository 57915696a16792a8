#pragma once

#include "core/journal/CareEvent.h"

#include <QDate>
#include <QString>

#include <optional>
#include <string_view>

// Care dates and kinds as the widgets show and return them.
QDate ToQDate(const talvane::journal::CalendarDate& date);
// Nothing for a date outside the years 1 to 9999 or an invalid one.
std::optional<talvane::journal::CalendarDate> FromQDate(const QDate& date);
// The date in the locale's short format.
QString ShortDateText(const talvane::journal::CalendarDate& date);
// The kind's name as shown ("Wire removal").
QString CareKindText(talvane::journal::CareKind kind);
// "Momiji: Wiring, first line of its text", as lists of tasks name them.
QString TaskTitle(std::string_view treeName, const talvane::journal::CareEvent& event);
