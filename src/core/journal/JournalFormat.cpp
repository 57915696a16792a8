#include "core/journal/JournalFormat.h"

#include "core/collection/TreeIdentity.h"

#include <array>

namespace talvane::journal {

namespace {

constexpr char kSeparator = '\t';
constexpr char kDetailSeparator = ';';
constexpr std::size_t kColumns = 6;
constexpr std::string_view kTreeItem = "tree=";
constexpr std::string_view kPictureItem = "picture=";
constexpr std::string_view kRepeatItem = "repeat=";

// Where each item stands in the order details() writes them: the tree, the measurements
// in the order of their kinds, the further pictures (as many as there are), the repeat.
constexpr int kTreeRank = 0;
constexpr int kFirstMeasureRank = 1;
constexpr int kPictureRank = kFirstMeasureRank + static_cast<int>(kMeasureKinds.size());
constexpr int kRepeatRank = kPictureRank + 1;

// In a picture of the details, where ';' ends an item, a semicolon is "\;".
void appendEscaped(std::string& out, std::string_view text, bool inDetails = false)
{
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case kDetailSeparator:
            if (inDetails)
                out += '\\';
            out += c;
            break;
        default: out += c;
        }
    }
}

std::optional<std::string> unescaped(std::string_view text, bool inDetails = false)
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
        case kDetailSeparator:
            if (!inDetails)
                return std::nullopt;
            out += kDetailSeparator;
            break;
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

std::string details(const CareEvent& event, const std::vector<std::string>& morePictures)
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
    for (const std::string& picture : morePictures) {
        std::string item(kPictureItem);
        appendEscaped(item, picture, true);
        add(item);
    }
    if (event.repeat)
        add(std::string(kRepeatItem) + storedRepeat(*event.repeat));
    return out;
}

// Where the first item of a details column ends: at the first ';' no backslash escapes.
std::size_t itemEnd(std::string_view column)
{
    for (std::size_t i = 0; i < column.size(); ++i) {
        if (column[i] == '\\')
            ++i;
        else if (column[i] == kDetailSeparator)
            return i;
    }
    return std::string_view::npos;
}

// Reads one item of the details into the event; gives its rank, or nothing when it is
// no item this version knows.
std::optional<int> readItem(std::string_view item, CareEvent& event)
{
    if (item.starts_with(kTreeItem)) {
        event.treeId = item.substr(kTreeItem.size());
        return collection::isWellFormedTreeId(event.treeId) ? std::optional(kTreeRank) : std::nullopt;
    }
    if (item.starts_with(kPictureItem)) {
        auto picture = unescaped(item.substr(kPictureItem.size()), true);
        if (!picture || picture->empty())
            return std::nullopt;
        event.morePictures.push_back(std::move(*picture));
        return kPictureRank;
    }
    if (item.starts_with(kRepeatItem)) {
        event.repeat = parseStoredRepeat(item.substr(kRepeatItem.size()));
        return event.repeat ? std::optional(kRepeatRank) : std::nullopt;
    }
    const auto measurement = parseStoredMeasurement(item);
    if (!measurement)
        return std::nullopt;
    event.measurements.push_back(*measurement);
    return kFirstMeasureRank + static_cast<int>(measurement->kind);
}

// Reads the details column into the event: only the exact form details() writes.
bool readDetails(std::string_view column, CareEvent& event)
{
    int lastRank = -1;
    while (!column.empty()) {
        const auto end = itemEnd(column);
        const auto rank = readItem(column.substr(0, end), event);
        // Only pictures may follow an item of their own rank.
        if (!rank || *rank < lastRank || (*rank == lastRank && *rank != kPictureRank))
            return false;
        lastRank = *rank;
        if (end == std::string_view::npos)
            break;
        column.remove_prefix(end + 1);
        if (column.empty())
            return false;
    }
    return event.morePictures.empty() || !event.picture.empty();
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
    // An event without a first picture has no further ones: the next takes its place.
    std::vector<std::string> pictures = event.pictures();
    if (!pictures.empty())
        appendEscaped(line, pictures.front());
    line += kSeparator;
    appendEscaped(line, event.text);
    if (!pictures.empty())
        pictures.erase(pictures.begin());
    if (const std::string more = details(event, pictures); !more.empty()) {
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
