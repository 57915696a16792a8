#include "journal/JournalFormat.h"

#include <array>

namespace talvane::journal {

namespace {

constexpr char kSeparator = '\t';
constexpr std::size_t kColumns = 5;

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

// The line cut at its tabs; nothing unless it has exactly the five columns.
std::optional<std::array<std::string_view, kColumns>> columns(std::string_view line)
{
    std::array<std::string_view, kColumns> parts;
    for (std::size_t i = 0; i + 1 < kColumns; ++i) {
        const auto tab = line.find(kSeparator);
        if (tab == std::string_view::npos)
            return std::nullopt;
        parts[i] = line.substr(0, tab);
        line.remove_prefix(tab + 1);
    }
    if (line.find(kSeparator) != std::string_view::npos)
        return std::nullopt;
    parts[kColumns - 1] = line;
    return parts;
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
    return line;
}

std::optional<CareEvent> parseEventLine(std::string_view line)
{
    const auto parts = columns(line);
    if (!parts)
        return std::nullopt;
    const auto& [date, kind, due, picture, text] = *parts;
    const auto eventDate = CalendarDate::fromText(date);
    const auto eventKind = careKindFromName(kind);
    const auto dueDate = CalendarDate::fromText(due);
    auto eventPicture = unescaped(picture);
    auto eventText = unescaped(text);
    if (!eventDate || !eventKind || (!due.empty() && !dueDate) || !eventPicture || !eventText)
        return std::nullopt;
    return CareEvent{*eventDate, *eventKind, dueDate, std::move(*eventPicture), std::move(*eventText)};
}

std::optional<CalendarDate> quickDueOfLine(std::string_view line)
{
    const auto parts = columns(line);
    return parts ? CalendarDate::fromText((*parts)[2]) : std::nullopt;
}

} // namespace talvane::journal
