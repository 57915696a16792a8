#include "core/reminders/ReminderMessage.h"

#include "core/journal/DueNotice.h"
#include "core/journal/DueTasks.h"

namespace talvane::reminders {

std::optional<ReminderMessage> morningMessage(const collection::EntryList& entries, journal::CalendarDate today,
                                              std::string_view collectionName, const TreeLinks& links,
                                              const text::Words& words)
{
    const std::vector<journal::DueTask> tasks = journal::dueTasks(entries, today, 0);
    if (tasks.empty())
        return std::nullopt;
    ReminderMessage message;
    message.title = journal::dueNoticeSummary(tasks.size(), collectionName, words);
    for (const journal::DueTask& task : tasks) {
        message.body += journal::dueNoticeTask(entries, task, words) + "\n";
        if (auto link = links ? links(entries, task.entry) : std::nullopt) {
            message.body += *link + "\n";
            // The earliest task is the one to see to first.
            if (!message.link)
                message.link = std::move(link);
        }
    }
    return message;
}

ReminderMessage testMessage(std::string_view collectionName, int hour, const text::Words& words)
{
    return {text::say(words, SHOWN_TEXT("Talvane: a test")),
            text::say(words, SHOWN_TEXT("The care due in %1 will reach you here each morning from %2:00."),
                      {std::string(collectionName), std::to_string(hour)}) +
                "\n",
            std::nullopt};
}

} // namespace talvane::reminders
