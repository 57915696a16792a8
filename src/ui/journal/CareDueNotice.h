#pragma once

// moc cannot read the standard library's concepts, which the date brings in.
#ifndef Q_MOC_RUN
#include "core/collection/CollectionArchive.h"
#include "core/journal/CalendarDate.h"
#endif

#include <QString>

#include <cstddef>
#include <optional>

// What a desktop notification says of the care due today or overdue.
struct CareDueNotice {
    // The notification's one action, which opens the Care due window.
    static QString actionLabel();

    std::size_t taskCount = 0;
    // "3 care tasks due", or "3 care tasks due in trees" when the collection is named.
    QString summary;
    // The first two tasks, then how many more: "Momiji: remove wire; Pine: repotting; 1 more task".
    QString body;
};

// "no care task due", "1 care task due", "3 care tasks due".
QString careTasksDueText(std::size_t count);

// The notice of the tasks due on or before today, earliest first; none when nothing is.
// A task is its tree's name and the first line of its text, or its kind when it has none.
std::optional<CareDueNotice> makeCareDueNotice(const talvane::collection::EntryList& entries, talvane::journal::CalendarDate today,
                                               const QString& collectionName = QString());
