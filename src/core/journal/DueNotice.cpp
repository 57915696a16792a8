#include "core/journal/DueNotice.h"

#include "core/text/Windows1252.h"

#include <utility>

namespace talvane::journal {

namespace {

// Spaces and tabs a line may begin or end with, the no-break space included (Windows-1252).
constexpr std::string_view kBlanks = " \t\v\f\xA0";

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Lower case for the letters the program's languages write a kind's name with: those
// of ASCII and of Latin-1 ("Défoliation", "Écorçage").
std::string lowerCased(std::string_view utf8)
{
    std::string lower;
    for (std::size_t at = 0; at < utf8.size();) {
        const char32_t point = text::nextCodePoint(utf8, at).value_or(U'?');
        const bool upper = (point >= U'A' && point <= U'Z') || (point >= 0xC0 && point <= 0xDE && point != 0xD7);
        text::appendUtf8(lower, upper ? point + 0x20 : point);
    }
    return lower;
}

} // namespace

std::string careTasksDueText(std::size_t count, const text::Words& words)
{
    using text::say;
    if (count == 0)
        return say(words, SHOWN_TEXT("no care task due"));
    return count == 1 ? say(words, SHOWN_TEXT("1 care task due"))
                      : say(words, SHOWN_TEXT("%1 care tasks due"), {std::to_string(count)});
}

std::string dueNoticeSummary(std::size_t count, std::string_view collectionName, const text::Words& words)
{
    using text::say;
    if (collectionName.empty())
        return careTasksDueText(count, words);
    const std::string name(collectionName);
    // A notice is only given of some task.
    return count == 1 ? say(words, SHOWN_TEXT("1 care task due in %1"), {name})
                      : say(words, SHOWN_TEXT("%1 care tasks due in %2"), {std::to_string(count), name});
}

std::string dueNoticeTask(const collection::EntryList& entries, const DueTask& task, const text::Words& words)
{
    const std::string_view line = trimmed(firstLineOf(task.event));
    const std::string what = line.empty() ? lowerCased(text::say(words, careKindName(task.event.kind)))
                                          : text::cp1252ToUtf8(line);
    const std::string_view treeName = std::as_const(*entries.at(task.entry))[CBonsaiData::Name];
    return treeName.empty() ? what : text::cp1252ToUtf8(treeName) + ": " + what;
}

std::string moreTasksText(std::size_t count, const text::Words& words)
{
    return count == 1 ? text::say(words, SHOWN_TEXT("1 more task"))
                      : text::say(words, SHOWN_TEXT("%1 more tasks"), {std::to_string(count)});
}

} // namespace talvane::journal
