#pragma once

// moc cannot read the standard library's concepts, which the journal brings in.
#ifndef Q_MOC_RUN
#include "core/collection/CollectionArchive.h"
#endif

#include <QString>

#include <optional>

// The care calendar kept beside a collection for a grower who asks for it: trees.tvn's
// is trees.ics in the same folder. The choice is remembered for each collection, by its
// absolute path.
class CareCalendarBeside {
public:
    static QString calendarPath(const QString& collection);
    static bool isKept(const QString& collection);
    static void setKept(const QString& collection, bool kept);
    // Writes the calendar of the entries' pending tasks beside the collection, whole or
    // not at all; nothing on success, or the sentence saying why not.
    static std::optional<QString> write(const QString& collection, const talvane::collection::EntryList& entries);

    static const QString kSettingsKey;
};
