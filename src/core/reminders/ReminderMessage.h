#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/garden/GardenAlerts.h"
#include "core/journal/CalendarDate.h"
#include "core/text/Words.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvane::reminders {

// Where a paired phone opens the page of the tree at a position
// ("http://192.168.1.20:8750/tree/REF"); nothing while the collection is not shared
// with a paired phone.
using TreeLinks = std::function<std::optional<std::string>(const collection::EntryList& entries, std::size_t position)>;

// A message for the grower's phone, as a push notification or an e-mail (UTF-8).
struct ReminderMessage {
    std::string title; // one line
    std::string body;  // lines ended by "\n"
    // What choosing the notification opens.
    std::optional<std::string> link;

    bool operator==(const ReminderMessage&) const = default;
};

// The care due today or overdue, earliest first, in the desktop notification's words:
// every task on a line of its own, followed by its tree's link where there is one. The
// garden's alerts come first, a line each: every frost or heat of a place, then every
// wire to check. Nothing when no task is due and no alert is given.
std::optional<ReminderMessage> morningMessage(const collection::EntryList& entries, journal::CalendarDate today,
                                              std::string_view collectionName, const TreeLinks& links,
                                              const text::Words& words, const std::vector<garden::GardenAlert>& alerts);

// What "Send a test" sends, telling when the morning messages will come.
ReminderMessage testMessage(std::string_view collectionName, int hour, const text::Words& words);

} // namespace talvane::reminders
