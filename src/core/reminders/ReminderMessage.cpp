#include "core/reminders/ReminderMessage.h"

#include "core/journal/DueNotice.h"
#include "core/journal/DueTasks.h"

namespace talvane::reminders {

namespace {

// "2 garden alerts in trees": the title of a morning with alerts and no care due.
std::string alertsSummary(std::size_t count, std::string_view collectionName, const text::Words& words)
{
    const std::string name(collectionName);
    return count == 1 ? text::say(words, SHOWN_TEXT("1 garden alert in %1"), {name})
                      : text::say(words, SHOWN_TEXT("%1 garden alerts in %2"), {std::to_string(count), name});
}

} // namespace

std::optional<ReminderMessage> morningMessage(const collection::EntryList& entries, journal::CalendarDate today,
                                              std::string_view collectionName, const TreeLinks& links,
                                              const text::Words& words, const std::vector<garden::GardenAlert>& alerts)
{
    const std::vector<journal::DueTask> tasks = journal::dueTasks(entries, today, 0);
    std::vector<std::string> alertLines;
    for (const garden::AlertGroup& group : garden::groupAlerts(alerts))
        alertLines.push_back(garden::alertGroupText(group, words));
    for (const garden::GardenAlert& alert : alerts)
        if (alert.kind == garden::AlertKind::Wire)
            alertLines.push_back(garden::wireAlertText(alert, words));
    if (tasks.empty() && alertLines.empty())
        return std::nullopt;
    ReminderMessage message;
    message.title = tasks.empty() ? alertsSummary(alertLines.size(), collectionName, words)
                                  : journal::dueNoticeSummary(tasks.size(), collectionName, words);
    // Frost and heat come first: they will not wait for the day's care.
    for (const std::string& line : alertLines)
        message.body += line + "\n";
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
