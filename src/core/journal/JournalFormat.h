#pragma once

#include "core/journal/CareEvent.h"

#include <optional>
#include <string>
#include <string_view>

// The journal's text, as kept in a tree's field 114 (Windows-1252 bytes):
//
//   TVJ1<CR LF>
//   date<TAB>kind<TAB>due<TAB>picture<TAB>text[<TAB>details]<CR LF>
//   ...                                      (no CR LF after the last line)
//
// Dates are "YYYY-MM-DD"; due is empty when nothing is pending. In the picture and
// the text, a backslash, a tab, a carriage return and a line feed are written as
// "\\", "\t", "\r" and "\n". The details column is there only when the event has
// details: items separated by ";", in this order and each at most once,
// "tree=<identifier>" then "height=", "trunk=", "nebari=", "canopy=" with an amount
// and a unit ("height=42.5cm"), then "picture=" and a further picture of the event,
// as many as it has after the one of the picture column, named as that column names
// them and escaped as it is, with ";" also written "\;" ("picture=Photos/2026-05-01
// Momiji (2).jpg"), then "repeat=" and how the task comes back once done
// (journal/CareRepeat.h: "repeat=2w@4-9"). A line with details is unreadable to
// versions that came before them, which keep it as it is; a line with further pictures
// is, to versions that came before those. Only this exact form is an event: any other
// line is unreadable and is written back as it was read.
namespace talvane::journal {

inline constexpr std::string_view kJournalHeader = "TVJ1";
inline constexpr std::string_view kLineBreak = "\r\n";

std::string eventLine(const CareEvent& event);
// The event of a line, if the line is exactly what eventLine() writes for it.
std::optional<CareEvent> parseEventLine(std::string_view line);
// The due date a line names, read from that column alone: a quick look that spares
// unescaping the texts of lines with nothing due. parseEventLine() has the last word
// on whether the line is an event at all.
std::optional<CalendarDate> quickDueOfLine(std::string_view line);

// A line's columns as written, the picture and the text still escaped, for a quick look
// at many lines (a search, a count); details is empty where the line has none.
// parseEventLine() has the last word on whether the line is an event at all.
struct LineColumns {
    std::string_view date, kind, due, picture, text, details;
};
std::optional<LineColumns> quickColumnsOfLine(std::string_view line);

// A journal whose CR LF line breaks became bare LF, as spreadsheets write a cell's line
// breaks, with each LF that follows no CR made CR LF again. The texts of its events
// hold their line breaks escaped, so a bare LF can only have been a line break.
// Nothing for a field whose header is not followed by a bare LF: it is no such journal.
std::optional<std::string> withLineBreaksRestored(std::string_view fieldText);

} // namespace talvane::journal
