#include "journal/JournalFormat.h"

#include "collection/TreeIdentity.h"

#include <array>

namespace talvane::journal {

namespace {

constexpr char kSeparator = '\t';
constexpr char kDetailSeparator = ';';
constexpr std::size_t kColumns = 6;
constexpr std::string_view kTreeItem = "tree=";
constexpr std::string_view kRepeatItem = "repeat=";

void appendEscaped(std::string& out, std::string_view text)
{
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default: out += c;
        }
    }
}

std::optional<std::string> unescaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n')
            return std::nullopt;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i]) {
        case '\\': out += '\\'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case 'n': out += '\n'; break;
        default: return std::nullopt;
        }
    }
    return out;
}

// The line cut at its tabs: five columns, or six when the last holds details (an
// empty details column is never written, so it is no event).
std::optional<std::array<std::string_view, kColumns>> columns(std::string_view line)
{
    std::array<std::string_view, kColumns> parts;
    for (std::size_t i = 0; i < kColumns; ++i) {
        const auto tab = line.find(kSeparator);
        if (tab == std::string_view::npos) {
            parts[i] = line;
            const bool plain = i == kColumns - 2;
            const bool detailed = i == kColumns - 1 && !line.empty();
            return plain || detailed ? std::optional(parts) : std::nullopt;
        }
        parts[i] = line.substr(0, tab);
        line.remove_prefix(tab + 1);
    }
    return std::nullopt;
}

std::string details(const CareEvent& event)
{
    std::string out;
    const auto add = [&out](std::string_view item) {
        if (!out.empty())
            out += kDetailSeparator;
        out += item;
    };
    if (!event.treeId.empty())
        add(std::string(kTreeItem) + event.treeId);
    for (const Measurement& measurement : event.measurements)
        add(measurement.stored());
    if (event.repeat)
        add(std::string(kRepeatItem) + storedRepeat(*event.repeat));
    return out;
}

// Reads the details column into the event: only the exact form details() writes.
bool readDetails(std::string_view column, CareEvent& event)
{
    bool first = true;
    while (!column.empty()) {
        const auto end = column.find(kDetailSeparator);
        const std::string_view item = column.substr(0, end);
        if (first && item.starts_with(kTreeItem)) {
            event.treeId = item.substr(kTreeItem.size());
            if (!isWellFormedTreeId(event.treeId))
                return false;
        } else if (item.starts_with(kRepeatItem)) {
            // The repeat comes last.
            event.repeat = parseStoredRepeat(item.substr(kRepeatItem.size()));
            if (!event.repeat || end != std::string_view::npos)
                return false;
        } else {
            const auto measurement = parseStoredMeasurement(item);
            if (!measurement || (!event.measurements.empty() && event.measurements.back().kind >= measurement->kind))
                return false;
            event.measurements.push_back(*measurement);
        }
        first = false;
        if (end == std::string_view::npos)
            return true;
        column.remove_prefix(end + 1);
        if (column.empty())
            return false;
    }
    return true;
}

} // namespace

std::string eventLine(const CareEvent& event)
{
    std::string line = event.date.text();
    line += kSeparator;
    line += careKindName(event.kind);
    line += kSeparator;
    if (event.due)
        line += event.due->text();
    line += kSeparator;
    appendEscaped(line, event.picture);
    line += kSeparator;
    appendEscaped(line, event.text);
    if (const std::string more = details(event); !more.empty()) {
        line += kSeparator;
        line += more;
    }
    return line;
}

std::optional<CareEvent> parseEventLine(std::string_view line)
{
    const auto parts = columns(line);
    if (!parts)
        return std::nullopt;
    const auto& [date, kind, due, picture, text, more] = *parts;
    const auto eventDate = CalendarDate::fromText(date);
    const auto eventKind = careKindFromName(kind);
    const auto dueDate = CalendarDate::fromText(due);
    auto eventPicture = unescaped(picture);
    auto eventText = unescaped(text);
    if (!eventDate || !eventKind || (!due.empty() && !dueDate) || !eventPicture || !eventText)
        return std::nullopt;
    CareEvent event{*eventDate, *eventKind, dueDate, std::move(*eventPicture), std::move(*eventText), {}, {}, {}};
    if (!readDetails(more, event))
        return std::nullopt;
    return event;
}

std::optional<CalendarDate> quickDueOfLine(std::string_view line)
{
    const auto parts = columns(line);
    return parts ? CalendarDate::fromText((*parts)[2]) : std::nullopt;
}

std::optional<LineColumns> quickColumnsOfLine(std::string_view line)
{
    const auto parts = columns(line);
    if (!parts)
        return std::nullopt;
    const auto& [date, kind, due, picture, text, details] = *parts;
    return LineColumns{date, kind, due, picture, text, details};
}

std::optional<std::string> withLineBreaksRestored(std::string_view fieldText)
{
    if (!fieldText.starts_with(kJournalHeader) || fieldText.substr(kJournalHeader.size(), 1) != "\n")
        return std::nullopt;
    std::string restored;
    restored.reserve(fieldText.size() + fieldText.size() / 16);
    for (std::size_t i = 0; i < fieldText.size(); ++i) {
        if (fieldText[i] == '\n' && (i == 0 || fieldText[i - 1] != '\r'))
            restored += '\r';
        restored += fieldText[i];
    }
    return restored;
}

} // namespace talvane::journal
