#include "ui/journal/CareDueNotice.h"

#include <QCoreApplication>

#include "ui/framework/CoreTexts.h"
#include "core/journal/DueNotice.h"

#include <algorithm>

using namespace talvane::collection;

using namespace talvane::journal;

namespace {

// A notification has room for a few words: this many tasks are named, the rest counted.
constexpr std::size_t kTasksNamed = 2;

} // namespace

QString CareDueNotice::actionLabel()
{
    return QCoreApplication::translate("CareDueNotice", "Show care due");
}

QString careTasksDueText(std::size_t count)
{
    return QString::fromStdString(careTasksDueText(count, windowWords));
}

std::optional<CareDueNotice> makeCareDueNotice(const EntryList& entries, CalendarDate today, const QString& collectionName)
{
    const std::vector<DueTask> tasks = dueTasks(entries, today, 0);
    if (tasks.empty())
        return std::nullopt;
    CareDueNotice notice;
    notice.taskCount = tasks.size();
    notice.summary = QString::fromStdString(dueNoticeSummary(tasks.size(), collectionName.toStdString(), windowWords));
    QStringList parts;
    for (std::size_t i = 0; i < std::min(tasks.size(), kTasksNamed); ++i)
        parts.append(QString::fromStdString(dueNoticeTask(entries, tasks[i], windowWords)));
    if (const std::size_t more = tasks.size() - parts.size(); more > 0)
        parts.append(QString::fromStdString(moreTasksText(more, windowWords)));
    notice.body = parts.join(QStringLiteral("; "));
    return notice;
}
