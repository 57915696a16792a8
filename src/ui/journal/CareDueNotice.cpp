#include "journal/CareDueNotice.h"

#include <QCoreApplication>

#include "framework/AnsiText.h"
#include "journal/CareTexts.h"
#include "journal/DueTasks.h"

#include <algorithm>
#include <utility>

using namespace talvane::journal;

namespace {

// A notification has room for a few words: this many tasks are named, the rest counted.
constexpr std::size_t kTasksNamed = 2;

QString TaskText(std::string_view treeName, const CareEvent& event)
{
    QString text = FromAnsi(std::string_view(event.text).substr(0, event.text.find_first_of("\r\n"))).trimmed();
    if (text.isEmpty())
        text = CareKindText(event.kind).toLower();
    return treeName.empty() ? text : FromAnsi(treeName) + QStringLiteral(": ") + text;
}

} // namespace

QString CareDueNotice::actionLabel()
{
    return QCoreApplication::translate("CareDueNotice", "Show care due");
}

QString CareTasksDueText(std::size_t count)
{
    if (count == 0)
        return QCoreApplication::translate("CareDueNotice", "no care task due");
    return count == 1 ? QCoreApplication::translate("CareDueNotice", "1 care task due") : QCoreApplication::translate("CareDueNotice", "%1 care tasks due").arg(count);
}

std::optional<CareDueNotice> MakeCareDueNotice(const EntryList& entries, CalendarDate today, const QString& collectionName)
{
    const std::vector<DueTask> tasks = dueTasks(entries, today, 0);
    if (tasks.empty())
        return std::nullopt;
    CareDueNotice notice;
    notice.taskCount = tasks.size();
    notice.summary = CareTasksDueText(tasks.size());
    if (!collectionName.isEmpty())
        notice.summary += QCoreApplication::translate("CareDueNotice", " in ") + collectionName;
    QStringList parts;
    for (std::size_t i = 0; i < std::min(tasks.size(), kTasksNamed); ++i)
        parts.append(TaskText(std::as_const(*entries[tasks[i].entry])[CBonsaiData::Name], tasks[i].event));
    if (const std::size_t more = tasks.size() - parts.size(); more > 0)
        parts.append(more == 1 ? QCoreApplication::translate("CareDueNotice", "1 more task") : QCoreApplication::translate("CareDueNotice", "%1 more tasks").arg(more));
    notice.body = parts.join(QStringLiteral("; "));
    return notice;
}
