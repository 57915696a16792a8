#pragma once

#include "core/companion/CollectionSnapshot.h"
#include "core/companion/PhoneWords.h"
#include "core/journal/CalendarDate.h"
#include "core/journal/CareEvent.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The collection as the JSON API gives it: every text UTF-8, every label, kind and
// message said in the server's words. The values are the collection's own, never markup.
namespace talvane::companion {

// How far ahead the due lists look, in days.
inline constexpr int kDueWithinDays = 30;

struct ApiView {
    const CollectionSnapshot& collection;
    journal::CalendarDate today;
    const PhoneWords& words;
};

// The trees the search words (UTF-8) or a label's code find, sorted by name.
nlohmann::json treeListJson(const ApiView& view, std::string_view query, std::size_t offset,
                            std::optional<std::size_t> limit);
nlohmann::json treeJson(const ApiView& view, std::size_t position);
// One event of the journal of the tree `treeRef` (the reference after any change), found
// at `line`.
nlohmann::json eventJson(const PhoneWords& words, std::string_view treeRef, std::size_t line,
                         const journal::CareEvent& event);
nlohmann::json dueJson(const ApiView& view);
// The garden's alerts: the forecast's age when it could not be read again, the frost
// and heat of each place and day, and the alert of each tree; empty without a forecast.
nlohmann::json alertsJson(const ApiView& view);
// The places of the collection, each with its trees by name.
nlohmann::json placesJson(const ApiView& view);
// The texts of the pages' script, and the kinds of care and of measurement, said.
nlohmann::json wordsJson(const PhoneWords& words, std::string_view pageScript);

// A text as one component of a URL path or query, percent-encoded.
std::string urlComponent(std::string_view text);

// "/api/photos/2024-05-01%20Momiji.jpg?size=128" for a picture's name (Windows-1252).
std::string photoAddress(std::string_view cp1252Name, std::optional<int> size = std::nullopt);

// A task as the API names it: the tree's reference, the line and the line's check.
struct TaskName {
    std::string treeRef;
    std::size_t line = 0;
    std::string check;
};
std::string taskName(std::string_view treeRef, std::size_t line, const journal::CareEvent& event);
std::optional<TaskName> readTaskName(std::string_view text);

// {"error": "…"}.
nlohmann::json errorJson(std::string_view said);

} // namespace talvane::companion
