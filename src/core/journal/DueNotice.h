#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/journal/DueTasks.h"
#include "core/text/Words.h"

#include <cstddef>
#include <string>
#include <string_view>

// What a notice of the care due today or overdue says, on the desktop and on the
// grower's phone alike. Texts come said in the words given (UTF-8).
namespace talvane::journal {

// "no care task due", "1 care task due", "3 care tasks due".
std::string careTasksDueText(std::size_t count, const text::Words& words);

// "3 care tasks due", or "3 care tasks due in trees" when the collection is named (UTF-8);
// of one task or more.
std::string dueNoticeSummary(std::size_t count, std::string_view collectionName, const text::Words& words);

// "Momiji: remove wire": the tree's name and the first line of the event's text, or
// its kind in lower case when it has none; the text alone for a tree without a name.
std::string dueNoticeTask(const collection::EntryList& entries, const DueTask& task, const text::Words& words);

// "1 more task", "3 more tasks": those a short notice does not name.
std::string moreTasksText(std::size_t count, const text::Words& words);

} // namespace talvane::journal
